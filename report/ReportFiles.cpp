#include "report/ReportFiles.h"

#include <filesystem>

#include "platform/ProgramFolder.h"
#include "platform/ReadFile.h"
#include "platform/Translate.h"

namespace report {

namespace {
constexpr std::size_t kMaxTemplateSize = 4u << 20;
}

std::string TemplatePath(const std::string& name) {
    return platform::ProgramFolder() + "Reports/Include/" + name;
}

bool ReadTemplate(const std::string& name, std::string* text, std::string* error) {
    const std::string path = TemplatePath(name);
    std::string why;
    switch (platform::ReadFileLimited(path, kMaxTemplateSize, text, &why)) {
        case platform::ReadStatus::Ok:
            return true;
        case platform::ReadStatus::Missing:
            why = platform::TranslateText("File not found");
            break;
        case platform::ReadStatus::TooLarge:
            why = platform::TranslateText("File is too large");
            break;
        case platform::ReadStatus::Failed:
            break;
    }
    *error = platform::TranslateText("Can't read the report template") + " " + path + ": " + why;
    return false;
}

std::string ReportPath() {
    std::error_code ec;
    if (!platform::SharedProgramFolder()) {
        const std::string beside = platform::ProgramFolder() + "Reports/";
        std::filesystem::create_directories(beside, ec);
        if (!ec && platform::FolderWritable(beside)) return beside + "report.htm";
    }
    const std::string user = platform::UserDataFolder() + "Reports/";
    std::filesystem::create_directories(user, ec);
    return user + "report.htm";
}

}  // namespace report
