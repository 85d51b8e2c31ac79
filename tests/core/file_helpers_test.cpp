#include "base/file_helpers.h"
#include "temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace korvex {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

using test::ReadAll;
using test::WriteAll;

std::vector<std::string> EntriesOf(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class FileHelpersTest : public testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.file(name); }

  test::TempFolder folder_;
};

TEST_F(FileHelpersTest, ProgramFolderIsTheFolderOfTheTestProgram) {
  const std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(fs::exists(folder + "korvex_core_tests")) << folder;
}

TEST_F(FileHelpersTest, FileExistsForEveryKindOfEntry) {
  WriteAll(Path("file.txt"), "x");
  fs::create_directory(Path("sub"));
  fs::create_symlink(Path("missing"), Path("dangling"));
  EXPECT_TRUE(FileExists(Path("file.txt")));
  EXPECT_TRUE(FileExists(Path("sub")));
  EXPECT_TRUE(FileExists(folder_.path().string()));
  EXPECT_TRUE(FileExists("/dev/null"));
  EXPECT_TRUE(FileExists(Path("dangling")));
  EXPECT_FALSE(FileExists(Path("missing")));
  EXPECT_FALSE(FileExists(Path("file.txt/inner")));
  EXPECT_FALSE(FileExists(""));
}

TEST_F(FileHelpersTest, CreatesANewFileWithExactlyTheBytes) {
  const std::string bytes = std::string("A\r\nB\0C\r\n\xE9", 8);
  EXPECT_EQ(WriteFileAtomically(Path("new.ngc"), bytes), std::nullopt);
  EXPECT_EQ(ReadAll(Path("new.ngc")), bytes);
  EXPECT_THAT(EntriesOf(folder_), testing::ElementsAre("new.ngc"));
}

TEST_F(FileHelpersTest, WritesAnEmptyFile) {
  EXPECT_EQ(WriteFileAtomically(Path("empty"), ""), std::nullopt);
  EXPECT_TRUE(fs::is_regular_file(Path("empty")));
  EXPECT_EQ(fs::file_size(Path("empty")), 0u);
}

TEST_F(FileHelpersTest, ReplacesAnExistingFileAndKeepsItsPermissions) {
  WriteAll(Path("old.ngc"), std::string(5000, 'o'));
  fs::permissions(Path("old.ngc"), fs::perms(0640));
  EXPECT_EQ(WriteFileAtomically(Path("old.ngc"), "short\r\n"), std::nullopt);
  EXPECT_EQ(ReadAll(Path("old.ngc")), "short\r\n");
  EXPECT_EQ(fs::status(Path("old.ngc")).permissions(), fs::perms(0640));
  EXPECT_THAT(EntriesOf(folder_), testing::ElementsAre("old.ngc"));
}

TEST_F(FileHelpersTest, FollowsASymlinkAndReplacesItsTarget) {
  fs::create_directory(Path("real"));
  WriteAll(Path("real/target.ngc"), "old");
  fs::create_symlink("real/target.ngc", Path("link.ngc"));
  EXPECT_EQ(WriteFileAtomically(Path("link.ngc"), "new"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(Path("link.ngc"))));
  EXPECT_EQ(ReadAll(Path("real/target.ngc")), "new");
  EXPECT_THAT(EntriesOf(folder_ / "real"), testing::ElementsAre("target.ngc"));
}

TEST_F(FileHelpersTest, ADanglingSymlinkCreatesItsTarget) {
  fs::create_symlink("made.ngc", Path("link.ngc"));
  EXPECT_EQ(WriteFileAtomically(Path("link.ngc"), "made"), std::nullopt);
  EXPECT_EQ(ReadAll(Path("made.ngc")), "made");
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(Path("link.ngc"))));
}

TEST_F(FileHelpersTest, ASymlinkLoopIsRefused) {
  fs::create_symlink("b", Path("a"));
  fs::create_symlink("a", Path("b"));
  const auto reason = WriteFileAtomically(Path("a"), "x");
  ASSERT_TRUE(reason.has_value());
  EXPECT_THAT(*reason, HasSubstr("symbolic links"));
}

struct RefusedTarget {
  const char* name;
  std::string path;  // "@" stands for the test's folder
  const char* reasonPart;
};

void PrintTo(const RefusedTarget& target, std::ostream* out) {
  *out << target.name;
}

class FileHelpersRefusalTest : public FileHelpersTest,
                               public testing::WithParamInterface<RefusedTarget> {};

TEST_P(FileHelpersRefusalTest, RefusesWithAReasonAndLeavesNothingBehind) {
  WriteAll(Path("file.txt"), "keep");
  fs::create_directory(Path("sub"));
  WriteAll(Path("sub/inside"), "keep");
  ::mkfifo(Path("fifo").c_str(), 0644);
  fs::create_symlink("sub", Path("folderlink"));
  fs::create_symlink("/dev/full", Path("devicelink"));
  const auto before = EntriesOf(folder_);

  std::string path = GetParam().path;
  if (path.starts_with("@")) path = folder_.path().string() + path.substr(1);
  const auto reason = WriteFileAtomically(path, "bytes\r\n");
  ASSERT_TRUE(reason.has_value()) << path;
  EXPECT_THAT(*reason, HasSubstr(GetParam().reasonPart)) << *reason;

  EXPECT_EQ(EntriesOf(folder_), before);
  EXPECT_THAT(EntriesOf(folder_ / "sub"), testing::ElementsAre("inside"));
  EXPECT_EQ(ReadAll(Path("file.txt")), "keep");
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FileHelpersRefusalTest,
    testing::Values(RefusedTarget{"Folder", "@/sub", "is a folder"},
                    RefusedTarget{"FolderWithSlash", "@/sub/", "is a folder"},
                    RefusedTarget{"SymlinkToFolder", "@/folderlink", "is a folder"},
                    RefusedTarget{"DevFull", "/dev/full", "/dev/full is a device"},
                    RefusedTarget{"DevNull", "/dev/null", "is a device"},
                    RefusedTarget{"SymlinkToDevice", "@/devicelink", "is a device"},
                    RefusedTarget{"Fifo", "@/fifo", "is a pipe"},
                    RefusedTarget{"MissingFolder", "@/nowhere/out.ngc", "cannot create a file in"},
                    RefusedTarget{"UnderARegularFile", "@/file.txt/out.ngc", "Not a directory"},
                    RefusedTarget{"ReadOnlyFileSystem", "/proc/korvex-out.ngc",
                                  "cannot create a file in /proc"},
                    RefusedTarget{"MissingFolderNoName", "@/nowhere/", "names no file"},
                    RefusedTarget{"Empty", "", "no file name"}),
    [](const testing::TestParamInfo<RefusedTarget>& info) { return info.param.name; });

TEST_F(FileHelpersTest, RepeatedWritesLeaveOnlyTheTarget) {
  for (int i = 0; i < 20; ++i) {
    ASSERT_EQ(WriteFileAtomically(Path("out.ngc"), std::to_string(i)), std::nullopt);
  }
  EXPECT_EQ(ReadAll(Path("out.ngc")), "19");
  EXPECT_THAT(EntriesOf(folder_), testing::ElementsAre("out.ngc"));
}

// The second target turns into a folder after staging: its replacement fails, and the first
// file, already replaced, is put back; a file that was not there is not left behind.
TEST_F(FileHelpersTest, AFailedReplacementPutsBackTheFilesReplacedBeforeIt) {
  WriteAll(Path("a.ngc"), "old a");
  {
    FileTransaction transaction;
    ASSERT_EQ(transaction.stage(Path("new.ngc"), "new"), std::nullopt);
    ASSERT_EQ(transaction.stage(Path("a.ngc"), "new a"), std::nullopt);
    ASSERT_EQ(transaction.stage(Path("b.ngc"), "new b"), std::nullopt);
    fs::create_directories(Path("b.ngc/inside"));
    const auto failure = transaction.commit();
    ASSERT_TRUE(failure.has_value());
    EXPECT_THAT(*failure, HasSubstr("b.ngc"));
  }
  EXPECT_EQ(ReadAll(Path("a.ngc")), "old a");
  EXPECT_EQ(EntriesOf(folder_.path()), (std::vector<std::string>{"a.ngc", "b.ngc"}));
}

}  // namespace
}  // namespace korvex
