#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

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
    EXPECT_EQ(platform::RegisteredLibrary(kClass, reg),
              "lib.so");  // not beside it: the loader searches
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
    // The core may say more of its work in further attributes; the claim and the formula stay.
    EXPECT_EQ(line.rfind("<result minimum=\"true\"", 0), 0u) << line;
    EXPECT_TRUE(line.ends_with(">x2*|x1*+|x2*x1*</result>")) << line;
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

// A library cut short used to be mapped past its end and took the process down with a bus
// error; every cut must end in a ComError (or, where only unused bytes were lost, a load).
TEST(ClassRegistry, ALibraryCutShortIsRefusedNotCrashedOn) {
    const char* bin = std::getenv("MW_BIN_DIR");
    const std::string whole =
        testing_support::ReadAll(std::string(bin ? bin : ".") + "/libmwcore.so");
    ASSERT_GT(whole.size(), 200000u);
    testing_support::TempFolder folder;
    const std::string reg = folder / "classes.reg";
    std::ofstream(reg) << kClass << "=libmwcore.so\n";
    for (const std::size_t length :
         {std::size_t{0}, std::size_t{10}, std::size_t{63}, std::size_t{64}, std::size_t{300},
          std::size_t{4096}, std::size_t{100000}, whole.size() / 2, whole.size() - 1}) {
        testing_support::WriteAll(folder / "libmwcore.so", whole.substr(0, length));
        const std::string exchange = folder / "x";
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            MwCreateInfo info{};
            info.size = sizeof info;
            info.exchangePath = exchange.c_str();
            int status = 0;
            try {
                platform::CreateObject(kClass, info, reg);
            } catch (const platform::ComError& e) {
                status = std::string(e.what()).find("libmwcore.so") == std::string::npos ? 3 : 2;
            }
            ::_exit(status);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status))
            << "cut at " << length << ": ended by signal " << WTERMSIG(status);
        const int code = WEXITSTATUS(status);
        EXPECT_TRUE(code == 2 || (code == 0 && length >= whole.size() / 2))
            << "cut at " << length << ": " << code;
    }
}

}  // namespace
