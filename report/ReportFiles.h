#pragma once
// Where the report's templates are read and the report is written.

#include <string>

namespace report {

// "Reports/Include/<name>" under the program folder.
std::string TemplatePath(const std::string& name);

// Reads a template; false with a message for the user in *error when it cannot be read.
bool ReadTemplate(const std::string& name, std::string* text, std::string* error);

// "Reports/report.htm" under the program folder, or under the user's data folder where the
// program folder cannot be written; the folder is created when missing.
std::string ReportPath();

}  // namespace report
