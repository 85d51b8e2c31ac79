#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "app/cut_list_plan.h"
#include "cli/run_command_line.h"
#include "gcode/machine_profile.h"
#include "plan_reading.h"
#include "project/cut_list.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::Curves;
using test::DomainCurves;
using test::Json;
using test::JsonReader;
using test::Placed;
using test::ReadAll;
using test::WriteAll;
using testing::HasSubstr;

// A project: its lines after the reserved first one, comma-separated: CUT SEGMENTS, DIAMETER,
// THICKNESS, left DISTANCE, DIAMETER, ANGLE, Angle DIFF, the same for the right end, then the
// check states 3D MODE, CUT OVAL, COMPENSATION MODE left and right, and the reserved one.
struct Project {
  const char* file;
  const char* lines;
};

std::string ProjectBytes(const Project& p) {
  std::string bytes = "\r\n" + std::string(p.lines) + "\r\n";
  for (std::size_t at = bytes.find(','); at != std::string::npos; at = bytes.find(',', at))
    bytes.replace(at, 1, "\r\n");
  return bytes;
}

// 40 x 3 tube unless said: mitred rails 800 mm between their 45-degree ends (trapezoids),
// braces with parallel 45-degree ends, bars fitted onto 40 mm tubes, bars cut square, a
// 48.3 x 3.2 leg cut square at one end and fitted at 30 degrees onto a 60.3 tube at the other.
const Project kProjects[] = {
    {"rail.kvx", "90,40,3,-400,40,45,0,400,40,-45,0, 0, 0, 0, 0, 0, 0, 0"},
    {"brace.kvx", "90,40,3,-320,40,45,0,320,40,45,0, 0, 0, 0, 0, 0, 0, 0"},
    {"bar.kvx", "100,40,3,-230,40,0,0,230,40,0,30, 0, 1, 0, 0, 1, 0, 0"},
    {"square.kvx", "90,40,3,-500,40,0,0,500,40,0,0, 0, 0, 0, 0, 0, 0, 0"},
    {"leg.kvx", "72,48.3,3.2,-350,48.3,0,0,350,60.3,30,0, 0, 0, 0, 0, 1, 0, 0"},
    {"turned.kvx", "120,40,3,-150,40,30,45,150,50,-20,0, 0, 0, 0, 0, 1, 0, 0"},
    // Odd mixes, whose first fit has to lay a stick out afresh to take one more part.
    {"m1.kvx", "72,40,3,-247.09,40,45,90,247.09,40,-34.36,0, 0, 0, 0, 0, 0, 0, 0"},
    {"m2.kvx", "90,48.3,3.2,-619.52,88.9,45,0,619.52,48.3,0,0, 0, 1, 0, 0, 1, 0, 0"},
    {"m3.kvx", "180,40,3,-347.03,40,30,0,347.03,60,0,90, 0, 0, 0, 0, 1, 0, 0"},
    {"m4.kvx", "120,48.3,3.2,-309.44,48.3,30,90,309.44,48.3,-45,0, 0, 0, 0, 0, 0, 0, 0"},
    {"m5.kvx", "100,48.3,3.2,-131.17,48.3,22.5,180,131.17,48.3,22.5,0, 0, 0, 0, 0, 0, 0, 0"},
};

struct ListCase {
  const char* name;
  std::vector<const char*> rows;  // after the header "file,quantity,name"
  std::vector<const char*> options;
  double kerf;
  double start;    // where the first part may start
  int lowerBound;  // by hand, 0: not checked
  int sticks;      // expected, 0: not checked
  double used;     // the last part's rightmost point on the only stick, 0: not checked
};

class CutListFolder : public testing::Test {
 protected:
  CutListFolder() {
    for (const Project& p : kProjects)
      WriteAll(folder_ / p.file, ProjectBytes(p));
    // Part files: a branch with an offset end, a header with a hole.
    for (const char* part : {"tee-branch.kvxp", "tee-header.kvxp"})
      fs::copy_file(fs::path(KORVEX_PROJECTS_FOLDER) / part, folder_ / part);
    // A 40 x 3 tube whose program tilts on C.
    WriteAll(folder_ / "c.kvxp", "[tube]\ndiameter = 40\nwall = 3\nangle-letter = \"C\"\n");
  }
  CliOutcome run(const std::vector<const char*>& rows, std::vector<const char*> options) {
    std::string list = "file,quantity,name\r\n";
    for (const char* row : rows)
      list += std::string(row) + "\r\n";
    WriteAll(folder_ / "list.csv", list);
    const std::string listPath = folder_.file("list.csv"), out = folder_.file("out");
    std::vector<std::string_view> arguments{"--cut-list", listPath, "--out-dir", out};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return RunCommandLine(arguments, "9.9");
  }
  test::TempFolder folder_;
};

class CutListRun : public CutListFolder, public testing::WithParamInterface<ListCase> {};

TEST_P(CutListRun, PlacesEveryPartWithTheKerfAtEveryAngle) {
  const ListCase& c = GetParam();
  const CliOutcome outcome = run(c.rows, c.options);
  ASSERT_EQ(outcome.exitStatus, 0) << outcome.error;
  const std::string json = ReadAll(folder_ / "out" / "plan.json");
  const Json plan = JsonReader(json).value();

  std::map<std::string, int> wanted, placed;
  for (const char* row : c.rows) {
    const std::string text(row);
    const auto a = text.find(','), b = text.find(',', a + 1);
    wanted[text.substr(b + 1)] += std::stoi(text.substr(a + 1, b - a - 1));
  }
  for (const Json& stick : plan["sticks"].array) {
    const double length = stick["length"].number;
    std::vector<Placed> parts;
    for (const Json& part : stick["parts"].array) {
      ++placed[part["name"].text];
      parts.push_back({DomainCurves((folder_ / part["file"].text).string()), part["offset"].number,
                       part["flipped"].text == "true", part["turn"].number});
    }
    ASSERT_FALSE(parts.empty());
    double first = INFINITY, last = -INFINITY;
    for (double angle = 0; angle < 360; angle += 0.25) {
      first = std::min(first, parts.front().x(false, angle));
      last = std::max(last, parts.back().x(true, angle));
    }
    for (const Placed* p : {&parts.front(), &parts.back()}) {
      for (bool right : {false, true}) {
        for (double angle : p->corners(right)) {
          first = std::min(first, parts.front().x(false, angle));
          last = std::max(last, parts.back().x(true, angle));
        }
      }
    }
    EXPECT_GE(first, c.start - 1e-6);
    EXPECT_LE(last, length + 1e-6);
    EXPECT_NEAR(stick["remnant"].number, std::max(0.0, length - last - c.kerf), 1e-3);
    if (c.used > 0) {
      EXPECT_NEAR(last, c.used, 1e-3);
    }
    // Both ends run straight between their corners: the least gap lies at a corner of either.
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
      std::vector<double> angles = parts[i].corners(true);
      const std::vector<double> more = parts[i + 1].corners(false);
      angles.insert(angles.end(), more.begin(), more.end());
      for (double angle : angles) {
        EXPECT_GE(parts[i + 1].x(false, angle) - parts[i].x(true, angle), c.kerf - 1e-6)
            << "between parts " << i << " and " << i + 1 << " at " << angle << " degrees";
      }
    }
  }
  EXPECT_EQ(placed, wanted);
  if (c.lowerBound > 0) {
    EXPECT_EQ(plan["lower_bound"].number, c.lowerBound);
  }
  if (c.sticks > 0) {
    EXPECT_EQ(plan["sticks"].array.size(), static_cast<std::size_t>(c.sticks));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CutListRun,
    testing::Values(
        // Parallel 45-degree ends nest whole: 6 x 640 + the first and last ends' 20 mm + 5 kerfs.
        ListCase{"complementary_braces",
                 {"brace.kvx,6,brace"},
                 {"--stock", "6000", "--kerf", "1.5"},
                 1.5,
                 0,
                 1,
                 1,
                 6 * 640 + 2 * 20 + 5 * 1.5},
        // Mitred rails turn half a turn to nest: 7 x 800 + 40 + 6 kerfs = 5649 fits 5700, where
        // their extents (7 x 840 + 6 kerfs = 5889) would not. Bound 7 x 801.5 / 5701.5 -> 1, met.
        ListCase{"rails_meet_the_bound",
                 {"rail.kvx,7,rail"},
                 {"--stock", "5700", "--kerf", "1.5"},
                 1.5,
                 0,
                 1,
                 1,
                 7 * 800 + 40 + 6 * 1.5},
        // Square 1000 mm bars, 2 mm kerf: 5 fit a 6000 stick, 6 would need 6010; the bound,
        // 12 x 1002 / 6002 -> 3, is met.
        ListCase{"square_bars",
                 {"square.kvx,12,bar"},
                 {"--stock", "6000", "--kerf", "2"},
                 2,
                 0,
                 3,
                 3,
                 0},
        ListCase{"trimmed_mixed",
                 {"rail.kvx,4,rail", "brace.kvx,6,brace", "bar.kvx,9,bar", "turned.kvx,11,turned",
                  "square.kvx,3,square"},
                 {"--stock", "3000", "--kerf", "3", "--trim", "10"},
                 3,
                 13,
                 0,
                 0,
                 0},
        ListCase{"laid_out_afresh",
                 {"m1.kvx,2,m1", "m2.kvx,6,m2", "m3.kvx,3,m3", "m4.kvx,5,m4", "m5.kvx,5,m5"},
                 {"--stock", "2000", "--kerf", "2"},
                 2,
                 0,
                 0,
                 0,
                 0},
        ListCase{"two_tubes",
                 {"leg.kvx,5,leg", "bar.kvx,3,bar", "turned.kvx,4,turned"},
                 {"--stock", "2500", "--stock", "48.3x3.2=1600", "--kerf", "1.5"},
                 1.5,
                 0,
                 0,
                 0,
                 0},
        // A 300 mm header with its hole: 5 x 300 + 4 kerfs fits 1600. Branches from -100 to a
        // saddle on R 30.15 whose axis passes 8 mm beside: it reaches 100 - sqrt(30.15^2 -
        // (21.2 + 8)^2) = 92.49, so five fit 1000 (5 x 192.49 + 4 x 2 = 970.5): 1 + 2 sticks.
        ListCase{"part_files",
                 {"tee-header.kvxp,5,header", "tee-branch.kvxp,8,branch"},
                 {"--stock", "60.3x3.9=1600", "--stock", "1000", "--kerf", "2"},
                 2,
                 0,
                 0,
                 3,
                 0}),
    [](const testing::TestParamInfo<ListCase>& info) { return info.param.name; });

// Each part's program is the converter's program of its file.
TEST_F(CutListFolder, WritesEachPartsProgramAsTheConverterDoes) {
  ASSERT_EQ(
      run({"bar.kvx,2,bar", "tee-header.kvxp,1,header"}, {"--stock", "3000", "--machine", "plasma"})
          .exitStatus,
      0);
  for (const auto& [file, program] :
       {std::pair{"bar.kvx", "bar.ngc"}, {"tee-header.kvxp", "header.ngc"}}) {
    const std::string project = folder_.file(file), single = folder_.file("single.ngc");
    ASSERT_EQ(
        RunCommandLine(std::vector<std::string_view>{"--machine", "plasma", project, single}, "9.9")
            .exitStatus,
        0);
    EXPECT_EQ(ReadAll(folder_ / "out" / program), ReadAll(single)) << file;
  }
}

// A list given as bytes plans as its file does; a cancelled plan has nothing to write.
TEST_F(CutListFolder, PlansAListGivenAsBytesAndStopsWhenCancelled) {
  const std::vector<CutListRow> rows = {{0, "rail.kvx", 2, "a, \"quoted\" rail "},
                                        {0, "bar.kvx", 3, "bar"}};
  const MachineProfile described;  // no values: the described program
  CutListRequest request;
  request.listPath = folder_.file("list.csv");
  request.listBytes = FormatCutList(rows);
  request.stock = {{std::nullopt, 3000}};
  request.machine = &described;
  for (const bool cancelled : {false, true}) {
    std::atomic<bool> cancel = cancelled;
    request.cancel = &cancel;
    const CutListPlan plan = PlanCutList(request);
    EXPECT_EQ(plan.cancelled, cancelled);
    EXPECT_EQ(plan.problems,
              cancelled ? std::vector<std::string>{"cancelled"} : std::vector<std::string>{});
    // The two programs, the one stick's, plan.json and the cut sheet; the name as it was typed.
    EXPECT_EQ(plan.files.size(), cancelled ? 0u : 5u);
    if (!cancelled) {
      EXPECT_EQ(plan.files[0].name, "a, \"quoted\" rail .ngc");
    }
  }
}

// --axis-letter gives every part the tilt axis of a machine that tilts on the ANGLE LETTER.
TEST_F(CutListFolder, AxisLetterServesEveryPartOfTheList) {
  const CliOutcome outcome =
      run({"rail.kvx,1,a", "c.kvxp,1,b"}, {"--stock", "6000", "--axis-letter", "B"});
  ASSERT_EQ(outcome.exitStatus, 0) << outcome.error;
  EXPECT_THAT(ReadAll(folder_ / "out" / "stick-1.ngc"), HasSubstr("\r\nG0 B 0.000\r\n"));
  EXPECT_THAT(ReadAll(folder_ / "out" / "b.ngc"), HasSubstr(" Y 62.832 B 0.000\r\n"));
}

struct BadCase {
  const char* name;
  std::vector<const char*> rows;  // nullptr first: the list is given as the second text whole
  std::vector<const char*> options;
  int status;
  const char* message;
};

class CutListRefusal : public CutListFolder, public testing::WithParamInterface<BadCase> {};

TEST_P(CutListRefusal, SaysWhyAndWritesNothing) {
  const BadCase& c = GetParam();
  fs::create_directory(folder_ / "folder.kvx");
  CliOutcome outcome;
  if (!c.rows.empty() && c.rows[0] == nullptr) {
    WriteAll(folder_ / "list.csv", c.rows[1]);
    const std::string list = folder_.file("list.csv"), out = folder_.file("out");
    std::vector<std::string_view> arguments{"--cut-list", list, "--out-dir", out};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    outcome = RunCommandLine(arguments, "9.9");
  } else {
    outcome = run(c.rows, c.options);
  }
  EXPECT_EQ(outcome.exitStatus, c.status);
  EXPECT_THAT(outcome.error, HasSubstr(c.message));
  EXPECT_EQ(std::count(outcome.error.begin(), outcome.error.end(), '\n'), 1) << outcome.error;
  EXPECT_FALSE(fs::exists(folder_ / "out"));
}

const std::vector<const char*> kStock{"--stock", "6000"};

INSTANTIATE_TEST_SUITE_P(
    BadInputs, CutListRefusal,
    testing::Values(
        BadCase{"missing_file",
                {"rail.kvx,1,a", "gone.kvx,2,b"},
                kStock,
                1,
                "list.csv:3: gone.kvx not opened"},
        BadCase{"unreadable_file",
                {"folder.kvx,1,a"},
                kStock,
                1,
                "list.csv:2: folder.kvx not opened: "},
        BadCase{"longer_than_stock",
                {"rail.kvx,1,a"},
                {"--stock", "830"},
                1,
                "list.csv:2: part a is 840 mm long, longer than the 830 mm"},
        BadCase{"longer_after_trim",
                {"rail.kvx,1,a"},
                {"--stock", "845", "--trim", "4", "--kerf", "1.5"},
                1,
                "longer than the 839.5 mm"},
        BadCase{"tube_without_stock",
                {"rail.kvx,1,a", "leg.kvx,1,b"},
                {"--stock", "40x3=6000"},
                1,
                "list.csv:3: tube 48.3x3.2 has no stock length"},
        BadCase{"quantity_zero",
                {"rail.kvx,0,a"},
                kStock,
                1,
                "list.csv:2: quantity \"0\" is not a whole number from 1 to 10000"},
        BadCase{"quantity_too_many", {"rail.kvx,10001,a"}, kStock, 1, "quantity \"10001\" is not"},
        BadCase{"quantity_fraction", {"rail.kvx,2.5,a"}, kStock, 1, "quantity \"2.5\" is not"},
        BadCase{"quantity_text", {"rail.kvx,two,a"}, kStock, 1, "quantity \"two\" is not"},
        BadCase{"duplicate_name",
                {"rail.kvx,1,a", "brace.kvx,1,a"},
                kStock,
                1,
                "list.csv:3: the name \"a\" is already used on line 2"},
        BadCase{"duplicate_stem",
                {"rail.kvx,1,", "sub/rail.kvx,1,"},
                kStock,
                1,
                "\"rail\" is already used"},
        BadCase{"name_with_folder",
                {"rail.kvx,1,x/y"},
                kStock,
                1,
                "the name \"x/y\" cannot name a file"},
        BadCase{"unclosed_quote",
                {nullptr, "file,quantity\n\"rail.kvx,1\n"},
                kStock,
                1,
                "list.csv:2: a quoted field is not closed"},
        BadCase{"text_after_quote",
                {nullptr, "file,quantity\n\"rail.kvx\"x,1\n"},
                kStock,
                1,
                "list.csv:2: text after a field's closing double quote"},
        BadCase{"quote_inside",
                {nullptr, "file,quantity\nra\"il.kvx,1\n"},
                kStock,
                1,
                "list.csv:2: a double quote inside a field"},
        BadCase{"field_count",
                {nullptr, "file,quantity\nrail.kvx,1,3\n"},
                kStock,
                1,
                "list.csv:2: 3 fields where the header has 2"},
        BadCase{"no_quantity_column",
                {nullptr, "file,count\nrail.kvx,1\n"},
                kStock,
                1,
                "list.csv:1: the header row has no \"quantity\" column"},
        BadCase{"empty_list", {nullptr, ""}, kStock, 1, "the list is empty"},
        BadCase{"no_stock", {"rail.kvx,1,a"}, {}, 2, "a cut list needs --stock"},
        BadCase{"bad_stock",
                {"rail.kvx,1,a"},
                {"--stock", "40=6000"},
                2,
                "the tube must be DIAMETERxWALL"},
        BadCase{"negative_kerf",
                {"rail.kvx,1,a"},
                {"--stock", "6000", "--kerf", "-1"},
                2,
                "--kerf must be"},
        BadCase{"name_of_a_stick_program",
                {"rail.kvx,1,stick-12"},
                kStock,
                1,
                "list.csv:2: the name \"stick-12\" is kept for the sticks' programs"},
        BadCase{"tilt_letters_differ_on_a_stick",
                {"rail.kvx,1,a", "c.kvxp,1,b"},
                kStock,
                1,
                " on the same stick; give --axis-letter"},
        BadCase{"axis_letter_beside_the_machines_tilt",
                {"rail.kvx,1,a"},
                {"--stock", "6000", "--machine", "rotary-degrees", "--axis-letter", "C"},
                2,
                "--axis-letter \"C\": the machine rotary A in degrees tilts the torch on B"},
        BadCase{"template_collides",
                {"rail.kvx,1,cut-sheet"},
                {"--stock", "6000", "--template"},
                1,
                "over the cut sheet"}),
    [](const testing::TestParamInfo<BadCase>& info) { return info.param.name; });

struct ParseCase {
  const char* name;
  const char* bytes;
  std::vector<CutListRow> rows;
};

class CutListParsing : public testing::TestWithParam<ParseCase> {};

TEST_P(CutListParsing, ReadsTheRows) {
  const CutList list = ParseCutList(GetParam().bytes);
  ASSERT_TRUE(list.problems.empty()) << list.problems[0].what;
  ASSERT_EQ(list.rows.size(), GetParam().rows.size());
  for (std::size_t i = 0; i < list.rows.size(); ++i) {
    const CutListRow& want = GetParam().rows[i];
    EXPECT_EQ(list.rows[i].line, want.line);
    EXPECT_EQ(list.rows[i].file, want.file);
    EXPECT_EQ(list.rows[i].quantity, want.quantity);
    EXPECT_EQ(list.rows[i].name, want.name);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CutListParsing,
    testing::Values(
        ParseCase{"plain_crlf",
                  "file,quantity,name\r\na.kvx,2,top\r\nb/c.d.kvxp,1,\r\n",
                  {{2, "a.kvx", 2, "top"}, {3, "b/c.d.kvxp", 1, "c.d"}}},
        ParseCase{
            "quoted_any_order_bom_lf",
            "\xEF\xBB\xBFQuantity, Note ,File\n3,\"x, \"\"y\"\"\nz\", \"my file.kvx\" \n\n4,,e.kvx",
            {{2, "my file.kvx", 3, "my file"}, {5, "e.kvx", 4, "e"}}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

}  // namespace
}  // namespace korvex
