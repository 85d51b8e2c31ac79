#include "project/project_file.h"
#include "panel_project_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/memory_panel.h"

namespace korvex {
namespace {

using namespace std::string_literals;

const std::string kDefaultProject =
    "\r\n90\r\n40\r\n4\r\n-100\r\n40\r\n45\r\n0\r\n100\r\n40\r\n45\r\n0\r\n"
    " 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n";

// A panel with a different value in every stored control.
MemoryPanel DistinctPanel() {
  MemoryPanel panel;
  const std::vector<std::pair<int, std::string>> texts = {
      {kCutSegmentsField, "36"},    {kMainDiameterField, "60.3"}, {kThicknessField, "2.9"},
      {kLeftDistanceField, "-150"}, {kLeftDiameterField, "88.9"}, {kLeftAngleField, "30"},
      {kLeftAngleDiffField, "15"},  {kRightDistanceField, "120"}, {kRightDiameterField, "76"},
      {kRightAngleField, "-20"},    {kRightAngleDiffField, "5"}};
  for (const auto& [id, text] : texts)
    panel.setText(id, text);
  for (int id : {kLeftMode3dBox, kLeftCompensationBox, kRightCutOvalBox}) {
    panel.setCheckState(id, 1);
  }
  return panel;
}

void ExpectSameProjectControls(const Panel& actual, const Panel& expected) {
  for (const test::PanelProjectLine& line : test::PanelProjectLines()) {
    if (line.isCheckState) {
      EXPECT_EQ(actual.checkState(line.controlId), expected.checkState(line.controlId))
          << line.name;
    } else {
      EXPECT_EQ(actual.text(line.controlId), expected.text(line.controlId)) << line.name;
    }
  }
}

TEST(ProjectFileFormat, DefaultPanelGivesTheNineteenLines) {
  const FormattedProject project = FormatProjectFile(ProjectFieldsFromPanel(MemoryPanel()));
  ASSERT_FALSE(project.refusal);
  EXPECT_EQ(project.bytes, kDefaultProject);
  EXPECT_EQ(project.bytes.size(), 74u);
}

TEST(ProjectFileFormat, LinesFollowTheFixedOrder) {
  const FormattedProject project = FormatProjectFile(ProjectFieldsFromPanel(DistinctPanel()));
  EXPECT_EQ(project.bytes,
            "\r\n36\r\n60.3\r\n2.9\r\n-150\r\n88.9\r\n30\r\n15\r\n120\r\n76\r\n-20\r\n5\r\n"
            " 1\r\n 0\r\n 1\r\n 0\r\n 1\r\n 0\r\n 0\r\n");
}

TEST(ProjectFileFormat, CheckStateTextHasABlankOrASign) {
  EXPECT_EQ(CheckStateText(0), " 0");
  EXPECT_EQ(CheckStateText(1), " 1");
  EXPECT_EQ(CheckStateText(-1), "-1");
  EXPECT_EQ(CheckStateText(12), " 12");
}

TEST(ProjectFileFormat, ReopeningRestoresEveryField) {
  const MemoryPanel saved = DistinctPanel();
  MemoryPanel reopened;
  ApplyProjectFields(ReadProjectFields(FormatProjectFile(ProjectFieldsFromPanel(saved)).bytes),
                     reopened);
  ExpectSameProjectControls(reopened, saved);
}

TEST(ProjectFileFormat, OpeningKeepsWhatTheFileDoesNotHold) {
  MemoryPanel panel;
  panel.setText(kAngleLetterField, "B");
  panel.setText(kAtAngleField, "90");
  panel.setCheckState(kDisplayGridBox, 1);
  ApplyProjectFields(ReadProjectFields(kDefaultProject), panel);
  EXPECT_EQ(panel.text(kAngleLetterField), "B");
  EXPECT_EQ(panel.text(kAtAngleField), "90");
  EXPECT_EQ(panel.checkState(kDisplayGridBox), 1);
}

struct StoredText {
  const char* name;
  std::string text;
  std::string line;  // as written to the file, without CR LF
};

class ProjectTextStorage : public testing::TestWithParam<StoredText> {};

TEST_P(ProjectTextStorage, TextIsWrittenSoItReadsBackUnchanged) {
  MemoryPanel panel = DistinctPanel();
  panel.setText(kLeftDiameterField, GetParam().text);
  const FormattedProject project = FormatProjectFile(ProjectFieldsFromPanel(panel));
  ASSERT_FALSE(project.refusal);

  const std::string expectedLine = "\r\n" + GetParam().line + "\r\n";
  EXPECT_NE(project.bytes.find("\r\n-150" + expectedLine), std::string::npos) << project.bytes;

  MemoryPanel reopened;
  ApplyProjectFields(ReadProjectFields(project.bytes), reopened);
  ExpectSameProjectControls(reopened, panel);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ProjectTextStorage,
    testing::Values(
        StoredText{"plain", "88.9", "88.9"}, StoredText{"trailing_blanks", "40  ", "40  "},
        StoredText{"inner_quote", "4\"0", "4\"0"}, StoredText{"latin1", "\xe9\xb0", "\xe9\xb0"},
        StoredText{"empty", "", ""}, StoredText{"comma", "12,5", "\"12,5\""},
        StoredText{"tab", "4\t0", "\"4\t0\""}, StoredText{"leading_blanks", "  40", "\"  40\""},
        StoredText{"only_blanks", "   ", "\"   \""}, StoredText{"crlf", "4\r\n0", "\"4\r\n0\""},
        StoredText{"bare_lf", "4\n0", "\"4\n0\""}, StoredText{"lone_cr", "4\r", "\"4\r\""},
        StoredText{"ctrl_z", "4\x1a", "\"4\x1a\""}),
    [](const auto& info) { return info.param.name; });

TEST(ProjectFileFormat, RefusesAQuotedTextHoldingAQuote) {
  for (const std::string text : {"\"40\"", "\"40", " 4\"0", "12,\"5", "a\t\"b"}) {
    MemoryPanel panel;
    panel.setText(kRightAngleField, text);
    const FormattedProject project = FormatProjectFile(ProjectFieldsFromPanel(panel));
    ASSERT_TRUE(project.refusal) << text;
    EXPECT_NE(project.refusal->find("RIGHT CUT ANGLE"), std::string::npos) << *project.refusal;
    EXPECT_TRUE(project.bytes.empty());
  }
}

struct ReadCase {
  const char* name;
  std::string data;
  std::vector<std::string> firstFields;  // every later field is empty
};

class ProjectFieldReading : public testing::TestWithParam<ReadCase> {};

TEST_P(ProjectFieldReading, ReadsTheFields) {
  const ProjectFields fields = ReadProjectFields(GetParam().data);
  const std::vector<std::string>& expected = GetParam().firstFields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(fields[i], i < expected.size() ? expected[i] : "") << "field " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Data, ProjectFieldReading,
    testing::Values(ReadCase{"empty", "", {}},
                    ReadCase{"lf_only_lines", "\n90\n40\n4\n-100\n", {"", "90", "40", "4", "-100"}},
                    ReadCase{"short_file", "\r\n90\r\n", {"", "90"}},
                    ReadCase{"no_line_end", "\r\n90", {"", "90"}},
                    ReadCase{"comma_splits", "12,5\r\n40\r\n", {"12", "5", "40"}},
                    ReadCase{"leading_blanks_dropped", "  40  \r\n", {"40  "}},
                    ReadCase{"tab_dropped", "4\t0\r\n", {"40"}},
                    ReadCase{"lone_cr", "a\rb\r", {"a", "b"}},
                    ReadCase{"cr_cr_lf", "a\r\r\nb", {"a", "", "b"}},
                    ReadCase{"empty_lf_line_after_crlf", "a\r\n\nb", {"a", "", "b"}},
                    ReadCase{"quoted", "\"40\"\r\n45\r\n", {"40", "45"}},
                    ReadCase{"quoted_after_blanks", "  \"40\"\r\n", {"40"}},
                    ReadCase{
                        "quoted_keeps_commas_and_lines", "\"1,2\r\n3\"\r\nx", {"1,2\r\n3", "x"}},
                    ReadCase{"quoted_then_blanks_and_comma", "\"a\" \t,b", {"a", "b"}},
                    ReadCase{"quoted_then_lf", "\"a\"\nb\n", {"a", "b"}},
                    ReadCase{"quoted_then_empty_lf_line", "\"a\"\n\nb", {"a", "", "b"}},
                    ReadCase{"quoted_then_other_text", "\"a\"x,b", {"a", "x", "b"}},
                    // In a file whose lines end in CR LF an LF after the quote is skipped.
                    ReadCase{"crlf_quoted_then_lf", "\"a\"\n\r\n40\r\n", {"a", "40"}},
                    ReadCase{"crlf_quoted_then_mixed", "\"a\" \n\t\n\r\n40\r\n", {"a", "40"}},
                    ReadCase{"unclosed_quote", "\"40\r\n45\r\n", {"40\r\n45\r\n"}},
                    ReadCase{"ctrl_z_ends_data",
                             "a\r\nb\x1a"
                             "c\r\nd\r\n",
                             {"a", "b"}},
                    ReadCase{"ctrl_z_first", "\x1a\r\n90\r\n", {}},
                    ReadCase{"ctrl_z_inside_quotes", "\"a\x1a\"\r\nb", {"a\x1a", "b"}},
                    ReadCase{"nul_bytes", "a\0b\r\n"s, {"a\0b"s}}),
    [](const auto& info) { return info.param.name; });

TEST(ProjectFieldReading, LfOnlyFileOpensLikeItsCrLfTwin) {
  std::string lfOnly;
  for (char c : kDefaultProject) {
    if (c != '\r') lfOnly += c;
  }
  const MemoryPanel saved = DistinctPanel();
  std::string savedLfOnly;
  for (char c : FormatProjectFile(ProjectFieldsFromPanel(saved)).bytes) {
    if (c != '\r') savedLfOnly += c;
  }
  EXPECT_EQ(ReadProjectFields(lfOnly), ReadProjectFields(kDefaultProject));
  MemoryPanel reopened;
  ApplyProjectFields(ReadProjectFields(savedLfOnly), reopened);
  ExpectSameProjectControls(reopened, saved);
}

TEST(ProjectFieldReading, LinesAfterTheNineteenthAreNotRead) {
  const ProjectFields fields = ReadProjectFields(kDefaultProject + "extra\r\n");
  EXPECT_EQ(fields, ReadProjectFields(kDefaultProject));
}

TEST(ProjectFieldReading, HugeLineIsReadWhole) {
  const std::string huge(1 << 20, '7');
  const ProjectFields fields = ReadProjectFields("\r\n" + huge + "\r\n40");
  EXPECT_EQ(fields[1], huge);
  EXPECT_EQ(fields[2], "40");
}

struct CheckLine {
  std::string field;
  int state;
};

class CheckLineConversion : public testing::TestWithParam<CheckLine> {};

TEST_P(CheckLineConversion, SetsTheBox) {
  ProjectFields fields = ReadProjectFields(kDefaultProject);
  fields[13] = GetParam().field;  // LEFT CUT CUT OVAL
  MemoryPanel panel;
  panel.setCheckState(kLeftCutOvalBox, 1 - GetParam().state);
  ApplyProjectFields(fields, panel);
  EXPECT_EQ(panel.checkState(kLeftCutOvalBox), GetParam().state) << GetParam().field;
}

INSTANTIATE_TEST_SUITE_P(Lines, CheckLineConversion,
                         testing::Values(CheckLine{"1", 1}, CheckLine{" 1", 1}, CheckLine{"1.0", 1},
                                         CheckLine{"0.51", 1}, CheckLine{"1E0", 1},
                                         CheckLine{"0.5", 0}, CheckLine{"1.5", 0},
                                         CheckLine{"x", 0}, CheckLine{"", 0}, CheckLine{"0", 0},
                                         CheckLine{"-1", 0}));

// The alphabet stresses the bytes the reader treats specially.
std::string RandomBytes(std::mt19937& random, std::size_t maxLength) {
  static const std::string kSpecial =
      " \t\r\n,\"\x1a"
      "019.-aZ\xff";
  std::uniform_int_distribution<std::size_t> length(0, maxLength);
  std::uniform_int_distribution<int> anyByte(0, 255);
  std::uniform_int_distribution<std::size_t> special(0, kSpecial.size() - 1);
  std::string bytes(length(random), '\0');
  for (char& c : bytes) {
    c = random() % 2 ? kSpecial[special(random)] : static_cast<char>(anyByte(random));
  }
  return bytes;
}

TEST(ProjectFileFuzz, AnyBytesOpenWithoutHarm) {
  std::mt19937 random(20140611);
  for (int round = 0; round < 3000; ++round) {
    const std::string data = RandomBytes(random, 400);
    const ProjectFields fields = ReadProjectFields(data);
    std::size_t collected = 0;
    for (const std::string& field : fields)
      collected += field.size();
    ASSERT_LE(collected, data.size());

    MemoryPanel panel;
    ApplyProjectFields(fields, panel);
    for (const test::PanelProjectLine& line : test::PanelProjectLines()) {
      const int state = panel.checkState(line.controlId);
      ASSERT_TRUE(state == 0 || state == 1) << line.name;
    }
  }
}

TEST(ProjectFileFuzz, EveryStorableTextReadsBackUnchanged) {
  std::mt19937 random(74);
  for (int round = 0; round < 3000; ++round) {
    MemoryPanel panel;
    for (const test::PanelProjectLine& line : test::PanelProjectLines()) {
      if (!line.isCheckState) panel.setText(line.controlId, RandomBytes(random, 12));
    }
    const FormattedProject project = FormatProjectFile(ProjectFieldsFromPanel(panel));
    if (project.refusal) continue;
    MemoryPanel reopened;
    ApplyProjectFields(ReadProjectFields(project.bytes), reopened);
    for (const test::PanelProjectLine& line : test::PanelProjectLines()) {
      ASSERT_EQ(reopened.text(line.controlId), panel.text(line.controlId)) << line.name;
    }
  }
}

}  // namespace
}  // namespace korvex
