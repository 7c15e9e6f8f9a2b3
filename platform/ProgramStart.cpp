#include "platform/ProgramStart.h"

#include <QProcess>
#include <QStringList>

namespace platform {

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    QStringList args;
    for (const std::string& a : arguments) args << QString::fromStdString(a);
    return QProcess::startDetached(QString::fromStdString(program), args);
}

}  // namespace platform
