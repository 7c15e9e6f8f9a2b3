// The Boolean function file: the function as its three minterm sets in an initialization file,
// the form the advanced minimizer reads too. Other sections of an existing file stay.

#include "engine/CarnoGrid.h"
#include "platform/IniFile.h"
#include "platform/Message.h"
#include "platform/Translate.h"

bool TCarnoGrid::SaveToBooleanFunctionFile(const std::string& fileName) const {
    std::string ones, zeros, dontCares;
    MapToSets(ones, zeros, dontCares);
    platform::IniFile file(fileName);
    if (file.WriteStrings("Boolean Function",
                          {{"VarCount", std::to_string(VariableCount())}, {"1", ones}, {"0", zeros}, {"*", dontCares}}))
        return true;
    platform::SayFileError("Cannot write the Boolean function file.", fileName, file.LastError());
    return false;
}
