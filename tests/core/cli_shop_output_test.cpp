#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/memory_panel.h"
#include "app/project_panel.h"
#include "cli/cli_options.h"
#include "cli/run_command_line.h"
#include "project/project_file.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;
using testing::StartsWith;
using Arguments = std::vector<std::string_view>;

struct ShopParseCase {
  const char* name;
  Arguments arguments;
  const char* templatePath;  // nullptr: not given
  const char* dxfPath;
  const char* output;
  const char* usageError;  // nullptr: none; else its start
};

class CliShopOptions : public testing::TestWithParam<ShopParseCase> {};

TEST_P(CliShopOptions, ReadsTheOutputs) {
  const ShopParseCase& c = GetParam();
  const ParsedCommandLine parsed = ParseCliArguments(c.arguments);
  if (c.usageError != nullptr) {
    ASSERT_TRUE(parsed.usageError);
    EXPECT_THAT(*parsed.usageError, StartsWith(c.usageError));
    return;
  }
  ASSERT_FALSE(parsed.usageError) << *parsed.usageError;
  EXPECT_EQ(parsed.options.templatePath.value_or("-"), c.templatePath ? c.templatePath : "-");
  EXPECT_EQ(parsed.options.dxfPath.value_or("-"), c.dxfPath ? c.dxfPath : "-");
  EXPECT_EQ(parsed.options.outputPath, c.output);
  EXPECT_EQ(parsed.options.projectPath, "p.kvx");
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CliShopOptions,
    testing::Values(
        ShopParseCase{
            "template_only", {"--template", "t.pdf", "p.kvx"}, "t.pdf", nullptr, "", nullptr},
        ShopParseCase{"svg_and_program",
                      {"--template=T.SVG", "p.kvx", "o.ngc"},
                      "T.SVG",
                      nullptr,
                      "o.ngc",
                      nullptr},
        // File types and paper names are read without regard to case.
        ShopParseCase{"dxf_and_paper",
                      {"--dxf", "d.DXF", "--template", "t.Pdf", "--paper", "A4-Landscape", "p.kvx"},
                      "t.Pdf",
                      "d.DXF",
                      "",
                      nullptr},
        ShopParseCase{
            "no_project", {"--dxf", "d.dxf"}, nullptr, nullptr, "", "a project file is needed"},
        ShopParseCase{"other_extension",
                      {"--template", "t.png", "p.kvx"},
                      nullptr,
                      nullptr,
                      "",
                      "--template needs a file name ending in .pdf or .svg"},
        ShopParseCase{"unknown_paper",
                      {"--template", "t.pdf", "--paper", "a3", "p.kvx"},
                      nullptr,
                      nullptr,
                      "",
                      "--paper must be a4, letter"},
        ShopParseCase{"paper_without_template",
                      {"--paper", "a4", "p.kvx", "o.ngc"},
                      nullptr,
                      nullptr,
                      "",
                      "--paper sets the pages of a PDF template"},
        ShopParseCase{"paper_of_an_svg",
                      {"--template", "t.svg", "--paper", "letter", "p.kvx"},
                      nullptr,
                      nullptr,
                      "",
                      "--paper sets the pages of a PDF template"},
        ShopParseCase{"dxf_of_another_type",
                      {"--dxf", "d.ngc", "p.kvx"},
                      nullptr,
                      nullptr,
                      "",
                      "--dxf needs a file name ending in .dxf"},
        ShopParseCase{
            "empty_dxf", {"--dxf", "", "p.kvx"}, nullptr, nullptr, "", "--dxf needs a file name"},
        ShopParseCase{"empty_output", {"p.kvx", ""}, nullptr, nullptr, "", "a file name is empty"}),
    [](const testing::TestParamInfo<ShopParseCase>& info) { return info.param.name; });

class CliShopRun : public testing::Test {
 protected:
  void SetUp() override { useProject(ProjectFieldsFromPanel(MemoryPanel())); }
  void useProject(const ProjectFields& fields) {
    test::WriteAll(project_, FormatProjectFile(fields).bytes);
  }
  CliOutcome run(Arguments arguments) const { return RunCommandLine(arguments, "9.9"); }

  test::TempFolder folder_{"korvex-cli-shop"};
  std::string project_ = folder_.file("part.kvx");
  std::string program_ = folder_.file("part.ngc");
  std::string pdf_ = folder_.file("part.pdf");
  std::string svg_ = folder_.file("part.Svg");
  std::string dxf_ = folder_.file("part.dxf");
};

TEST_F(CliShopRun, WritesEachOutputBesideTheProgram) {
  const CliOutcome outcome = run({"--template", pdf_, "--dxf", dxf_, project_, program_});
  ASSERT_EQ(outcome.exitStatus, 0) << outcome.error;
  EXPECT_EQ(outcome.output, "X LENGTH 240.000\nY LENGTH 125.664\n");
  EXPECT_THAT(test::ReadAll(program_), StartsWith("(Version"));
  EXPECT_THAT(test::ReadAll(pdf_), StartsWith("%PDF-1.4"));
  EXPECT_THAT(test::ReadAll(pdf_), HasSubstr("PROJECT part.kvx - TUBE D 40.000 WALL 4.000"));
  EXPECT_THAT(test::ReadAll(dxf_), HasSubstr("MACHINE_PATH"));

  ASSERT_EQ(run({"--template", svg_, project_}).exitStatus, 0);
  EXPECT_THAT(test::ReadAll(svg_), HasSubstr("<svg xmlns=\"http://www.w3.org/2000/svg\""));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 5);
}

TEST_F(CliShopRun, TheSameJobWritesTheSameBytes) {
  ASSERT_EQ(run({"--template", pdf_, "--dxf", dxf_, project_}).exitStatus, 0);
  const std::string pdf = test::ReadAll(pdf_), dxf = test::ReadAll(dxf_);
  ASSERT_EQ(run({"--template", pdf_, "--dxf", dxf_, project_}).exitStatus, 0);
  EXPECT_EQ(test::ReadAll(pdf_), pdf);
  EXPECT_EQ(test::ReadAll(dxf_), dxf);
}

TEST_F(CliShopRun, AnAbsurdTemplateWritesNothing) {
  ProjectFields fields = ProjectFieldsFromPanel(MemoryPanel());
  // main tube DIAMETER: per end a band of 2044 x 6287 mm, 12 x 30 pages of A4
  fields[2] = "2000";
  useProject(fields);
  const CliOutcome outcome = run({"--dxf", dxf_, "--template", pdf_, project_, program_});
  EXPECT_EQ(outcome.exitStatus, 1);
  EXPECT_THAT(outcome.error, StartsWith("korvex-cli: template not written: the template would "
                                        "need 720 pages of A4 PORTRAIT (at most 200)\n"));
  EXPECT_FALSE(fs::exists(program_));
  EXPECT_FALSE(fs::exists(pdf_));
  EXPECT_FALSE(fs::exists(dxf_));
}

TEST_F(CliShopRun, AFailedOutputLeavesEveryOtherAsItWas) {
  test::WriteAll(program_, "earlier program");
  const std::string folderDxf = folder_.file("folder.dxf");
  fs::create_directory(folderDxf);
  for (const std::string& dxf : {folderDxf, folder_.file("missing/part.dxf")}) {
    const CliOutcome outcome = run({"--template", pdf_, "--dxf", dxf, project_, program_});
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_THAT(outcome.error, StartsWith("korvex-cli: pattern not written: "));
    EXPECT_EQ(test::ReadAll(program_), "earlier program");
    EXPECT_FALSE(fs::exists(pdf_));
  }
  EXPECT_TRUE(fs::is_empty(folderDxf));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 3);
}

TEST_F(CliShopRun, TwoOutputsNamingOneFileAreRefused) {
  test::WriteAll(pdf_, "earlier template");
  const std::string link = folder_.file("link.dxf"), shared = folder_.file("shared.dxf");
  const std::string dottedDxf = folder_.file("./part.dxf");
  fs::create_symlink(shared, link);
  const std::vector<Arguments> commandLines = {
      {"--template", pdf_, project_, pdf_},
      {"--dxf", dxf_, project_, dxf_},
      {"--template", svg_, "--dxf", dxf_, project_, dottedDxf},
      {"--dxf", link, project_, shared},
  };
  for (const Arguments& arguments : commandLines) {
    const CliOutcome outcome = run(arguments);
    EXPECT_EQ(outcome.exitStatus, 2) << arguments.back();
    EXPECT_THAT(outcome.error, HasSubstr("name the same file"));
  }
  EXPECT_EQ(test::ReadAll(pdf_), "earlier template");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 3);
}

}  // namespace
}  // namespace korvex
