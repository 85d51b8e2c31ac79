// Where the prompts start: beside the program when that folder is usable, else per user.
#include "app/prompt_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

class PromptFoldersTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(program_);
    fs::create_directories(samples_);
    test::WriteAll(fs::path(samples_) / "default.kvx", "\r\n90\r\n");
    test::WriteAll(fs::path(samples_) / "notes.txt", "not a project");
  }
  void TearDown() override {
    std::error_code error;
    fs::permissions(fs::path(program_) / "Projects", fs::perms::owner_all, error);
  }

  FolderPlaces places() const { return {program_ + "/", documents_, samples_}; }
  fs::path own(const std::string& name) const { return fs::path(documents_) / "KORVEX" / name; }

  test::TempFolder folder_{"korvex-folders"};
  std::string program_ = folder_.file("bin");
  std::string documents_ = folder_.file("Documents");
  std::string samples_ = folder_.file("share/korvex/Projects");
};

TEST_F(PromptFoldersTest, AWritableFolderBesideTheProgramIsUsedAsAlways) {
  fs::create_directory(fs::path(program_) / "GCODE");
  EXPECT_EQ(ChoosePromptFolder(places(), "GCODE"), program_ + "/GCODE");
  EXPECT_FALSE(fs::exists(documents_));
}

TEST_F(PromptFoldersTest, AReadOnlyProgramFolderSendsThePromptToTheUsersFolder) {
  const fs::path beside = fs::path(program_) / "Projects";
  fs::create_directory(beside);
  fs::permissions(beside, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(ChoosePromptFolder(places(), "Projects"), own("Projects").string());
  EXPECT_TRUE(fs::is_regular_file(own("Projects") / "default.kvx"));
  EXPECT_FALSE(fs::exists(own("Projects") / "notes.txt"));  // only projects are samples
}

TEST_F(PromptFoldersTest, SamplesAreCopiedTheFirstTimeOnly) {
  EXPECT_EQ(ChoosePromptFolder(places(), "Projects"), own("Projects").string());
  fs::remove(own("Projects") / "default.kvx");
  EXPECT_EQ(ChoosePromptFolder(places(), "Projects"), own("Projects").string());
  EXPECT_FALSE(fs::exists(own("Projects") / "default.kvx"));
}

TEST_F(PromptFoldersTest, ProgramsGetAnEmptyFolderOfTheirOwn) {
  EXPECT_EQ(ChoosePromptFolder(places(), "GCODE"), own("GCODE").string());
  EXPECT_TRUE(fs::is_empty(own("GCODE")));
}

TEST_F(PromptFoldersTest, WithoutADocumentsFolderThePromptStartsBesideTheProgram) {
  EXPECT_EQ(ChoosePromptFolder({program_ + "/", "", samples_}, "GCODE"), program_ + "/GCODE");
}

}  // namespace
}  // namespace korvex
