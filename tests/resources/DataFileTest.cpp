#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "resources/DataFile.h"

namespace quenford {
namespace {

class DataFileTest : public testing::Test {
protected:
    void SetUp() override {
        path = (std::filesystem::temp_directory_path() /
                ("quenford-file-" + std::to_string(::getpid())))
                   .string();
        std::filesystem::remove(path);
    }
    void TearDown() override { std::filesystem::remove(path); }

    void writeContent(const std::string& content) { std::ofstream(path) << content; }
    uint64_t sizeOnDisk() const { return std::filesystem::file_size(path); }

    std::string path;
};

TEST_F(DataFileTest, ModesOpenCreateAndEmptyAsTheGameExpects) {
    DataFile file;
    EXPECT_FALSE(file.open(path, FileMode::ReadShared));
    EXPECT_FALSE(file.open(path, FileMode::ReadWrite));
    EXPECT_FALSE(file.busy());
    ASSERT_TRUE(file.open(path, FileMode::CreateReadWrite));
    EXPECT_TRUE(file.write("abcdef", 6));
    file.close();
    ASSERT_TRUE(file.open(path, FileMode::ReadWrite));
    char buffer[8] = {};
    EXPECT_EQ(file.read(buffer, 8), 6u);
    EXPECT_EQ(std::string(buffer), "abcdef");
    file.close();
    ASSERT_TRUE(file.open(path, FileMode::CreateReadWrite));
    EXPECT_EQ(file.size(), 0);
}

TEST_F(DataFileTest, WritersExcludeEveryoneAndNeverEmptyAHeldFile) {
    writeContent("keep me");
    DataFile reader;
    DataFile otherReader;
    ASSERT_TRUE(reader.open(path, FileMode::ReadShared));
    EXPECT_TRUE(otherReader.open(path, FileMode::ReadShared));

    DataFile writer;
    EXPECT_FALSE(writer.open(path, FileMode::CreateReadWrite));
    EXPECT_TRUE(writer.busy());
    EXPECT_EQ(sizeOnDisk(), 7u);
    EXPECT_FALSE(writer.open(path, FileMode::ReadWrite));
    EXPECT_TRUE(writer.busy());

    reader.close();
    otherReader.close();
    ASSERT_TRUE(writer.open(path, FileMode::ReadWrite));
    EXPECT_FALSE(reader.open(path, FileMode::ReadShared));
    EXPECT_TRUE(reader.busy());
    DataFile moved = std::move(writer);
    EXPECT_FALSE(writer.isOpen());
    moved.close();
    EXPECT_TRUE(reader.open(path, FileMode::ReadShared));
}

}  // namespace
}  // namespace quenford
