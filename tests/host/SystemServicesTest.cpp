#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "host/common/ShellLauncher.h"
#include "host/common/SystemFolders.h"
#include "support/TestFiles.h"

namespace quenford::host {
namespace {

namespace fs = std::filesystem;

class SystemServicesTest : public ::testing::Test {
protected:
    const test::TempFolder root{"system"};
};

TEST_F(SystemServicesTest, CollectionFolderFollowsTheEnvironmentAndIsMade) {
    setenv("TAMBERLY_HOME", (root / "own").string().c_str(), 1);
    EXPECT_EQ(collectionDataFolder(), (root / "own").string() + "/");
    EXPECT_TRUE(fs::is_directory(root / "own"));

    unsetenv("TAMBERLY_HOME");
    setenv("XDG_DATA_HOME", (root.string() + "/data/").c_str(), 1);
    EXPECT_EQ(collectionDataFolder(), (root / "data" / "tamberly").string() + "/");

    setenv("XDG_DATA_HOME", "", 1);
    setenv("HOME", (root / "home").string().c_str(), 1);
    EXPECT_EQ(collectionDataFolder(), (root / "home/.local/share/tamberly").string() + "/");

    // A folder that cannot be made is no folder.
    std::ofstream(root / "file") << "x";
    setenv("TAMBERLY_HOME", (root / "file" / "below").string().c_str(), 1);
    EXPECT_FALSE(collectionDataFolder());
}

TEST_F(SystemServicesTest, ShellStartsDetachedWithTheCommandsLastWord) {
    const fs::path shell = root / "tamberly";
    const fs::path out = root / "argument";
    std::ofstream(shell) << "#!/bin/sh\necho \"$1 $(cut -d' ' -f6 /proc/$$/stat) $$\" > " << out
                         << ".tmp && mv " << out << ".tmp " << out << "\n";
    fs::permissions(shell, fs::perms::owner_all);
    setenv("PATH", ("/usr/bin:/bin:" + root.string()).c_str(), 1);
    EXPECT_EQ(findCollectionShell(), shell.string());

    startCollectionShell("TAMBERLY.EXE 2");
    for (int i = 0; i < 200 && !fs::exists(out); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream in(out);
    std::string argument;
    std::string session;
    std::string pid;
    in >> argument >> session >> pid;
    EXPECT_EQ(argument, "2");
    EXPECT_EQ(session, pid);  // a session of its own

    setenv("PATH", (root.string() + "/none").c_str(), 1);
    EXPECT_FALSE(findCollectionShell());
    startCollectionShell("TAMBERLY.EXE P");  // nothing to start, nothing happens
}

}  // namespace
}  // namespace quenford::host
