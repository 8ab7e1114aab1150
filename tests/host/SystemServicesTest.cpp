#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <thread>

#include "host/common/ShellLauncher.h"
#include "host/common/SystemFolders.h"
#include "support/TestFiles.h"

namespace quenford::host {
namespace {

namespace fs = std::filesystem;

// Sets environment variables for one test and puts the old values back afterwards.
class Environment {
public:
    void set(const char* name, const std::optional<std::string>& value) {
        if (saved.count(name) == 0) {
            const char* old = std::getenv(name);
            saved[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        }
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    ~Environment() {
        for (const auto& [name, value] : saved) {
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved;
};

class SystemServicesTest : public ::testing::Test {
protected:
    const test::TempFolder root{"system"};
    Environment environment;
};

TEST_F(SystemServicesTest, CollectionFolderFollowsTheEnvironmentAndIsMade) {
    environment.set("TAMBERLY_HOME", (root / "own").string());
    EXPECT_EQ(collectionDataFolder(), (root / "own").string() + "/");
    EXPECT_TRUE(fs::is_directory(root / "own"));

    environment.set("TAMBERLY_HOME", std::nullopt);
    environment.set("XDG_DATA_HOME", (root / "data").string() + "/");
    EXPECT_EQ(collectionDataFolder(), (root / "data" / "tamberly").string() + "/");

    environment.set("XDG_DATA_HOME", "");
    environment.set("HOME", (root / "home").string());
    EXPECT_EQ(collectionDataFolder(), (root / "home/.local/share/tamberly").string() + "/");

    // A folder that cannot be made is no folder.
    std::ofstream(root / "file") << "x";
    environment.set("TAMBERLY_HOME", (root / "file" / "below").string());
    EXPECT_FALSE(collectionDataFolder());
}

TEST_F(SystemServicesTest, ShellStartsDetachedWithTheCommandsLastWord) {
    const fs::path shell = root / "tamberly";
    const fs::path out = root / "argument";
    std::ofstream(shell) << "#!/bin/sh\necho \"$1 $(cut -d' ' -f6 /proc/$$/stat) $$\" > " << out
                         << ".tmp && mv " << out << ".tmp " << out << "\n";
    fs::permissions(shell, fs::perms::owner_all);
    environment.set("PATH", "/usr/bin:/bin:" + root.string());
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

    environment.set("PATH", root.string() + "/none");
    EXPECT_FALSE(findCollectionShell());
    startCollectionShell("TAMBERLY.EXE P");  // nothing to start, nothing happens
}

}  // namespace
}  // namespace quenford::host
