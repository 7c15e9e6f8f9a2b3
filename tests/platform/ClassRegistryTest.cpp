#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "TempFolder.h"
#include "platform/ClassRegistry.h"

namespace {

const char* kClass = "{47019827-6801-492F-B369-BB8555FE71D0}";

TEST(ClassRegistry, ReadsEntriesBesideTheRegistry) {
    testing_support::TempFolder folder;
    const std::string reg = folder / "classes.reg";
    std::ofstream(reg) << "# comment\n\n  {47019827-6801-492f-b369-bb8555fe71d0} = lib.so \r\n"
                          "{OTHER}=/abs/other.so\nno equals sign\n";
    EXPECT_EQ(platform::RegisteredLibrary(kClass, reg), "lib.so");  // not beside it: the loader searches
    std::ofstream(folder / "lib.so") << "";
    EXPECT_EQ(platform::RegisteredLibrary(kClass, reg), folder / "lib.so");
    EXPECT_EQ(platform::RegisteredLibrary("{other}", reg), "/abs/other.so");
    EXPECT_EQ(platform::RegisteredLibrary("{NONE}", reg), "");
    EXPECT_THROW(platform::RegisteredLibrary(kClass, folder / "missing.reg"), platform::ComError);
}

TEST(ClassRegistry, CallsGoByDispatchIdAndFailuresCarryTheirMessage) {
    const char* bin = std::getenv("MW_BIN_DIR");
    const std::string reg = std::string(bin ? bin : ".") + "/classes.reg";
    testing_support::TempFolder folder;
    const std::string exchange = folder / "x";
    MwCreateInfo info{};
    info.size = sizeof info;
    info.exchangePath = exchange.c_str();
    auto object = platform::CreateObject(kClass, info, reg);
    object->Invoke(5, {platform::ShortArg(2)});
    std::ofstream(exchange) << "0110";
    object->Invoke(1);
    object->Invoke(2);
    object->Invoke(3);
    object->Invoke(4);
    std::ifstream in(exchange);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "<result minimum=\"true\">x2*|x1*+|x2*x1*</result>");
    try {
        object->Invoke(5, {platform::ShortArg(99)});
        ADD_FAILURE() << "no error";
    } catch (const platform::ComError& e) {
        EXPECT_NE(std::string(e.what()).find("99"), std::string::npos);
    }
    EXPECT_THROW(object->Invoke(9), platform::ComError);
    EXPECT_THROW(object->Invoke(5), platform::ComError);  // missing argument
    info.exchangePath = nullptr;
    EXPECT_THROW(platform::CreateObject(kClass, info, reg), platform::ComError);
}

}  // namespace
