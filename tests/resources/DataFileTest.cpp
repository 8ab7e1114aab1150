#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "resources/DataFile.h"
#include "support/FakeServices.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

class DataFileTest : public testing::Test {
protected:
    const test::TempFolder folder{"file"};
    const std::string path = folder / "HIGH10";
    test::FakeServices system;
};

TEST_F(DataFileTest, ModesOpenCreateAndEmptyAndWritersExcludeEveryoneButNeverEmptyAHeldFile) {
    DataFile file;
    EXPECT_FALSE(file.open(path, FileMode::ReadShared, system));
    EXPECT_FALSE(file.open(path, FileMode::ReadWrite, system));
    EXPECT_FALSE(file.busy());
    ASSERT_TRUE(file.open(path, FileMode::CreateReadWrite, system));
    EXPECT_TRUE(file.write("abcdef", 6));
    file.close();
    ASSERT_TRUE(file.open(path, FileMode::ReadWrite, system));
    char buffer[8] = {};
    EXPECT_EQ(file.read(buffer, 8), 6u);
    EXPECT_EQ(std::string(buffer), "abcdef");
    file.close();
    ASSERT_TRUE(file.open(path, FileMode::CreateReadWrite, system));
    EXPECT_EQ(file.size(), 0);
    file.close();

    // Writers exclude everyone and never empty a held file.
    std::ofstream(path) << "keep me";
    DataFile reader;
    DataFile otherReader;
    ASSERT_TRUE(reader.open(path, FileMode::ReadShared, system));
    EXPECT_TRUE(otherReader.open(path, FileMode::ReadShared, system));

    DataFile writer;
    EXPECT_FALSE(writer.open(path, FileMode::CreateReadWrite, system));
    EXPECT_TRUE(writer.busy());
    EXPECT_EQ(std::filesystem::file_size(path), 7u);
    EXPECT_FALSE(writer.open(path, FileMode::ReadWrite, system));
    EXPECT_TRUE(writer.busy());

    reader.close();
    otherReader.close();
    ASSERT_TRUE(writer.open(path, FileMode::ReadWrite, system));
    EXPECT_FALSE(reader.open(path, FileMode::ReadShared, system));
    EXPECT_TRUE(reader.busy());
    DataFile moved = std::move(writer);
    EXPECT_FALSE(writer.isOpen());
    moved.close();
    EXPECT_TRUE(reader.open(path, FileMode::ReadShared, system));
}

}  // namespace
}  // namespace quenford
