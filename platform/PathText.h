#pragma once
// File names are bytes; Qt's texts are Unicode, and Qt's own conversion turns a byte that is not
// UTF-8 into U+FFFD, a name no file has. Here such a byte b is kept as the lone surrogate
// U+DC00 + b (U+DC80 to U+DCFF), so that a name taken from the command line or the settings
// and given back to the system is the same bytes.

#include <QString>
#include <string>

namespace platform {

QString PathText(const std::string& bytes);
std::string PathBytes(const QString& text);

}  // namespace platform
