#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "advmin/StaleFolders.h"

namespace {

namespace fs = std::filesystem;

// A process id that no process has any more: a child that has ended and been reaped.
pid_t EndedProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

void Folder(const testing_support::TempFolder& parent, const std::string& name,
            const std::string& owner) {
    fs::create_directory(parent / name);
    std::ofstream(parent / (name + "/exchange")) << "0101";
    if (!owner.empty()) std::ofstream(parent / (name + "/" + advmin::kOwnerFile)) << owner << '\n';
}

// Only a folder of ours whose recorded process has ended goes; live owners, this process,
// missing or garbled records, other names and links stay.
TEST(StaleFolders, OnlyFoldersOfEndedProcessesAreRemoved) {
    testing_support::TempFolder parent;
    const std::string dead = std::to_string(EndedProcess());
    Folder(parent, "mapwright-dead01", dead);
    Folder(parent, "mapwright-live01", std::to_string(getppid()));
    Folder(parent, "mapwright-self01", std::to_string(getpid()));
    Folder(parent, "mapwright-none01", "");
    Folder(parent, "mapwright-junk01", "12ab");
    Folder(parent, "mapwright-huge01", "99999999999999999999");
    Folder(parent, "other-dead01", dead);
    Folder(parent, "mapwright-longername", dead);
    fs::create_directory_symlink(parent / "mapwright-dead01", parent / "mapwright-link01");

    EXPECT_EQ(advmin::RemoveStaleFolders(parent.Path().string(), "mapwright-"), 1);
    EXPECT_FALSE(fs::exists(parent / "mapwright-dead01"));
    for (const char* kept :
         {"mapwright-live01", "mapwright-self01", "mapwright-none01", "mapwright-junk01",
          "mapwright-huge01", "other-dead01", "mapwright-longername"})
        EXPECT_TRUE(fs::exists(parent / (std::string(kept) + "/exchange"))) << kept;
    EXPECT_TRUE(fs::is_symlink(parent / "mapwright-link01"));
    // A missing parent is no error.
    EXPECT_EQ(advmin::RemoveStaleFolders(parent / "absent", "mapwright-"), 0);
}

TEST(StaleFolders, TheRecordNamesThisProcessAndIsHonouredByTheNextStart) {
    testing_support::TempFolder parent;
    fs::create_directory(parent / "mapwright-mine01");
    ASSERT_TRUE(advmin::RecordOwner(parent / "mapwright-mine01"));
    EXPECT_EQ(advmin::RemoveStaleFolders(parent.Path().string(), "mapwright-"), 0);
    EXPECT_TRUE(fs::exists(parent / "mapwright-mine01"));
    EXPECT_FALSE(advmin::RecordOwner(parent / "absent"));
}

}  // namespace
