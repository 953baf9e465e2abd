#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/posix/file_store.h"

namespace dx {
namespace {

namespace fs = std::filesystem;

class FileStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "dextrel-fs-XXXXXX").string();
        dir = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string dir;
    PosixFileStore files;
};

TEST_F(FileStoreTest, WritesWholeFilesAndReadsThemBack) {
    std::string error;
    const std::string path = dir + "/Diabete.glc";
    EXPECT_FALSE(files.read(path));
    for (const std::string bytes : {std::string("a\0b\r\n", 5), std::string()}) {
        ASSERT_TRUE(files.writeAtomic(path, bytes, error)) << error;
        EXPECT_EQ(*files.read(path), bytes);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    EXPECT_TRUE(files.remove(path));
    EXPECT_FALSE(files.exists(path));
}

// The copy is a second name for the file: it must keep the old bytes when
// the original is written again, and replace an older copy whole.
TEST_F(FileStoreTest, ACopyKeepsTheBytesItWasMadeOf) {
    std::string error;
    const std::string path = dir + "/Diabete.glc";
    const std::string copy = path + ".bak";
    EXPECT_FALSE(files.copyAtomic(path, copy, error));
    EXPECT_EQ(error, "");
    EXPECT_FALSE(files.exists(copy));
    ASSERT_TRUE(files.writeAtomic(copy, "older", error));
    ASSERT_TRUE(files.writeAtomic(path, "old", error));
    ASSERT_TRUE(files.copyAtomic(path, copy, error)) << error;
    ASSERT_TRUE(files.writeAtomic(path, "new", error));
    EXPECT_EQ(*files.read(copy), "old");
    EXPECT_EQ(*files.read(path), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(FileStoreTest, AFailedWriteSaysWhyAndLeavesNothingBehind) {
    std::string error;
    EXPECT_FALSE(files.writeAtomic(dir + "/missing/Diabete.glc", "x", error));
    EXPECT_FALSE(error.empty());
    // A folder standing where the file should go cannot be replaced.
    fs::create_directory(dir + "/Diabete.glc");
    error.clear();
    EXPECT_FALSE(files.writeAtomic(dir + "/Diabete.glc", "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FileStoreTest, LeftoversOfAnInterruptedWriteAreRemovedAndNothingElse) {
    const std::string path = dir + "/Diabete.glc";
    for (const char* name : {"/Diabete.glc.tmp-Ab12Cd", "/Diabete.glc.tmp-keepme-not",
                             "/Diabete.glc.bak", "/Other.glc.tmp-Ab12Cd"})
        std::ofstream(dir + name) << "x";
    files.removeLeftovers(path);
    EXPECT_FALSE(fs::exists(dir + "/Diabete.glc.tmp-Ab12Cd"));
    EXPECT_TRUE(fs::exists(dir + "/Diabete.glc.tmp-keepme-not"));
    EXPECT_TRUE(fs::exists(dir + "/Diabete.glc.bak"));
    EXPECT_TRUE(fs::exists(dir + "/Other.glc.tmp-Ab12Cd"));
}

} // namespace
} // namespace dx
