// The shop window's documents without a window: what saving a part may replace, a row whose
// file cannot be read, results that stop being current, and one list opened after another.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "app/machine_profiles.h"
#include "app/part_panel.h"
#include "app/shop_session.h"
#include "project/part_file.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;
using test::WriteAll;

const fs::path kFrame = KORVEX_PROJECTS_FOLDER "/../docs/frame";

ShopSettings Stock6000() {
  ShopSettings settings;
  settings.stock = {{std::nullopt, 6000}};
  return settings;
}

class ShopDocuments : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"rail.kvx", "post.kvx", "leg.kvx"})
      fs::copy_file(kFrame / file, folder_ / file);
  }
  // A list of the rows given as CSV lines, opened.
  void open(const std::string& name, const std::string& lines) {
    WriteAll(folder_ / name, "file,quantity,name\n" + lines);
    ASSERT_FALSE(session_.openList(folder_.file(name), Stock6000()));
  }
  // Runs a job to its end on this thread, as the window's worker does.
  void run(const std::string& folder = {}, bool withEdits = false,
           const std::atomic<bool>* cancel = nullptr) {
    auto job = session_.job(folder, withEdits);
    ASSERT_TRUE(std::holds_alternative<ShopJob>(job)) << std::get<std::string>(job);
    session_.jobStarted();
    session_.jobDone(std::get<ShopJob>(job), RunShopJob(std::get<ShopJob>(job), {}, cancel));
  }
  Part shownPart() const { return *session_.part().part(); }

  test::TempFolder folder_;
  ShopSession session_{Stock6000()};
};

// Saving a .kvx row writes the part file beside it: never over another row's file or an
// existing file without a question; over its own file only when it did not change on disk.
TEST_F(ShopDocuments, SavingAPartAsksBeforeItReplacesAnotherFile) {
  fs::copy_file(kFrame / "post.kvx", folder_ / "a.kvx");
  WriteAll(folder_ / "a.kvxp", "name = \"other\"\n[tube]\ndiameter = 60\n");
  const struct {
    const char* lines;
    std::size_t row;
    const char* target;
    const char* question;  // nullptr: none
  } cases[] = {
      {"a.kvx,1,a\na.kvxp,1,b\n", 0, "a.kvxp", "a.kvxp is the part file of row 2, \"b\""},
      {"a.kvx,1,a\n", 0, "a.kvxp", "a.kvxp already exists"},
      {"a.kvxp,1,b\n", 0, "a.kvxp", nullptr},
      {"rail.kvx,1,r\n", 0, "rail.kvxp", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    open("list.csv", c.lines);
    session_.showRow(c.row);
    EXPECT_EQ(session_.saveTarget(), folder_.file(c.target));
    const auto question = session_.saveQuestion(session_.saveTarget());
    EXPECT_EQ(question.has_value(), c.question != nullptr);
    if (question && c.question) {
      EXPECT_EQ(question->find(c.question), 0u) << *question;
    }
  }
  // The .kvxp row's own file, changed on disk since it was read, is asked about too.
  open("list.csv", "a.kvxp,1,b\n");
  WriteAll(folder_ / "a.kvxp", "name = \"changed\"\n");
  fs::last_write_time(folder_ / "a.kvxp",
                      fs::last_write_time(folder_ / "a.kvxp") + std::chrono::seconds(5));
  EXPECT_TRUE(session_.saveQuestion(folder_.file("a.kvxp")));
}

TEST_F(ShopDocuments, ASavedKvxRowNamesItsPartFileWithTheRowsNameAndQuantity) {
  open("list.csv", "rail.kvx,3,top-rail\npost.kvx,2,\n");
  session_.showRow(0);
  Part edited = shownPart();
  edited.diameter = 42;
  session_.part().edit(edited);
  EXPECT_FALSE(session_.part().isClean());
  ASSERT_FALSE(session_.savePart(session_.saveTarget()));
  EXPECT_EQ(session_.list().partPath(0), folder_.file("rail.kvxp"));
  EXPECT_EQ(session_.part().saveNotice()->text, "PART SAVED OK");
  const PartReading saved = ReadPartFile(ReadAll(folder_ / "rail.kvxp"), "rail.kvxp",
                                         PanelDefaultPart(), DefaultPartHole());
  ASSERT_TRUE(saved.part) << saved.refusal;
  EXPECT_EQ(saved.part->name, "top-rail");
  EXPECT_EQ(saved.part->quantity, 3);
  EXPECT_EQ(saved.part->diameter, 42);
  // Undo gives the row its project back; the part shown follows it, the file stays.
  session_.list().undo();
  EXPECT_EQ(session_.list().partPath(0), folder_.file("rail.kvx"));
  EXPECT_EQ(session_.part().source(), folder_.file("rail.kvx"));
  EXPECT_EQ(shownPart().diameter, 40);
  EXPECT_TRUE(fs::exists(folder_ / "rail.kvxp"));
  // Edits since the save take the notice away.
  session_.showRow(0);
  edited = shownPart();
  ASSERT_FALSE(session_.savePart(folder_.file("copy.kvxp")));
  edited.wall = 2;
  session_.part().edit(edited);
  EXPECT_FALSE(session_.part().saveNotice());
}

// A row whose file cannot be read shows why and no part; nothing of another row stands in.
TEST_F(ShopDocuments, ARowThatCannotBeReadShowsWhyAndNoPart) {
  WriteAll(folder_ / "broken.kvxp", "[tube]\ndiameter = \"wide\"\n");
  open("list.csv", "rail.kvx,1,\nmissing.kvxp,1,\nbroken.kvxp,1,\n");
  const struct {
    std::size_t row;
    const char* reason;
  } cases[] = {{1, "missing.kvxp"}, {2, "broken.kvxp:2:"}};
  for (const auto& c : cases) {
    session_.showRow(0);
    ASSERT_TRUE(session_.part().part());
    session_.showRow(c.row);
    EXPECT_EQ(session_.part().part(), nullptr);
    ASSERT_TRUE(session_.part().failure());
    EXPECT_NE(session_.part().failure()->find(c.reason), std::string::npos)
        << *session_.part().failure();
    const auto refusal = session_.savePart(session_.saveTarget());
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->rfind("PART NOT SAVED", 0), 0u);
  }
  EXPECT_EQ(ReadAll(folder_ / "broken.kvxp"), "[tube]\ndiameter = \"wide\"\n");
  EXPECT_FALSE(fs::exists(folder_ / "missing.kvxp"));
  EXPECT_TRUE(session_.list().isClean());
}

TEST_F(ShopDocuments, EditsOfTheListThatTheListRefusesSayWhyAndChangeNothing) {
  open("list.csv", "rail.kvx,2,top\npost.kvx,2,\n");
  const struct {
    bool name;
    const char* typed;
    const char* why;
  } cases[] = {
      {false, "abc", "quantity \"abc\" is not a whole number from 1 to 10000"},
      {false, "5.5", "quantity \"5.5\" is not a whole number from 1 to 10000"},
      {false, "10001", "quantity \"10001\" is not a whole number from 1 to 10000"},
      {true, "post", "the name \"post\" is already the name of row 2"},
      {true, "a/b", "the name \"a/b\" cannot name a file"},
  };
  for (const auto& c : cases) {
    const auto why = c.name ? session_.list().rename(0, c.typed)
                            : session_.list().setQuantity(0, c.typed);
    EXPECT_EQ(why, std::optional<std::string>(c.why));
  }
  EXPECT_EQ(session_.list().rows()[0].quantity, 2);
  EXPECT_EQ(session_.list().rows()[0].name, "top");
  EXPECT_FALSE(session_.list().canUndo());
  EXPECT_FALSE(session_.list().setQuantity(0, " 7 "));
  EXPECT_EQ(session_.list().rows()[0].quantity, 7);
}

// A plan stays current until anything it was made from changes; then it says what changed.
TEST_F(ShopDocuments, APlanSaysWhatItWasMadeFromAndWhenItIsOutOfDate) {
  open("list.csv", "rail.kvx,2,top\npost.kvx,2,\n");
  ShopSettings longer = Stock6000();
  longer.stock = {{std::nullopt, 7000}};
  const std::function<void()> changes[] = {
      [&] { session_.list().setQuantity(0, "3"); },
      [&] { session_.list().rename(1, "upright"); },
      [&] { session_.list().setSettings(longer, "stock length"); },
      [&] { session_.list().undo(); },
      [&] { ASSERT_FALSE(session_.savePart(session_.saveTarget())); },
  };
  for (const auto& change : changes) {
    session_.showRow(0);
    run();
    ASSERT_TRUE(session_.plan());
    EXPECT_EQ(session_.plan()->madeFrom.rfind("list.csv: 2 rows, ", 0), 0u)
        << session_.plan()->madeFrom;
    EXPECT_FALSE(session_.planOutOfDate());
    change();
    EXPECT_TRUE(session_.planOutOfDate());
  }
  // Unsaved edits used in a plan: editing the part again puts it out of date.
  Part edited = shownPart();
  edited.diameter = 44;
  session_.part().edit(edited);
  run({}, true);
  ASSERT_TRUE(session_.plan());
  EXPECT_NE(session_.plan()->madeFrom.find("unsaved edits of rail"), std::string::npos);
  EXPECT_EQ(session_.plan()->totals.front().tube, "44x3");
  edited.wall = 2;
  session_.part().edit(edited);
  EXPECT_TRUE(session_.planOutOfDate());
}

// A cancelled nest or write, or one that fails, leaves no plan and no file.
TEST_F(ShopDocuments, ACancelledOrRefusedJobLeavesNoPlanAndNothingWritten) {
  open("list.csv", "rail.kvx,2,top\n");
  run();
  ASSERT_TRUE(session_.plan());
  const std::atomic<bool> cancelled{true};
  run(folder_.file("out"), false, &cancelled);
  EXPECT_FALSE(session_.plan());
  EXPECT_FALSE(fs::exists(folder_ / "out"));
  EXPECT_EQ(session_.notice()->text, "Cancelled: nothing written, no plan");

  ShopSettings shortStock = Stock6000();
  shortStock.stock = {{std::nullopt, 300}};
  session_.list().setSettings(shortStock, "stock length");
  run(folder_.file("out"));
  EXPECT_FALSE(session_.plan());
  EXPECT_FALSE(fs::exists(folder_ / "out"));
  ASSERT_TRUE(session_.jobProblems());
  EXPECT_NE(session_.jobProblems()->find("more than a 300 mm stick"), std::string::npos);
  session_.list().setQuantity(0, "1");
  EXPECT_FALSE(session_.jobProblems());  // about a list that is no more
}

// Opening a list replaces everything of the last one: rows, part, plan, notice, history and
// settings; a list that cannot be read changes nothing.
TEST_F(ShopDocuments, AnotherListOpenedLeavesNothingOfTheLast) {
  WriteAll(folder_ / "first.shop", "stock = 5000\nkerf = 1.5\n");
  open("first.csv", "rail.kvx,2,top\npost.kvx,1,\n");
  EXPECT_EQ(session_.list().settings().kerf, 1.5);
  session_.showRow(1);
  session_.list().setQuantity(0, "4");
  run();
  session_.say("hello", false);
  open("second.csv", "leg.kvx,4,\n");
  EXPECT_EQ(session_.list().rows().size(), 1u);
  EXPECT_EQ(session_.shownRow(), std::optional<std::size_t>(0));
  EXPECT_EQ(session_.part().source(), folder_.file("leg.kvx"));
  EXPECT_FALSE(session_.plan());
  EXPECT_FALSE(session_.notice());
  EXPECT_FALSE(session_.list().canUndo());
  EXPECT_EQ(session_.list().settings(), Stock6000());
  EXPECT_EQ(session_.list().unsummarized(), std::vector<std::string>{folder_.file("leg.kvx")});

  WriteAll(folder_ / "bad.csv", "file,quantity\nrail.kvx,2\npost.kvx,two\n");
  EXPECT_EQ(session_.openList(folder_.file("bad.csv"), Stock6000()),
            folder_.file("bad.csv") + ":3: quantity \"two\" is not a whole number from 1 to 10000");
  EXPECT_EQ(session_.list().fileName(), "second.csv");
  EXPECT_EQ(session_.list().rows().size(), 1u);
}

TEST_F(ShopDocuments, AListIsSavedWithItsSettingsBesideItAndOpensWithThem) {
  open("list.csv", "rail.kvx,2,top\n");
  ShopSettings settings = Stock6000();
  settings.stock.push_back({TubeSize{48.3, 3.2}, 6500});
  settings.kerf = 1.5;
  settings.trim = 0;
  settings.machine = "plasma";
  settings.templates = ShopOutput::PdfTemplate;
  settings.paper = Paper::LetterLandscape;
  session_.list().setSettings(settings, "settings");
  fs::create_directories(folder_ / "sub");
  ASSERT_FALSE(session_.list().saveAs(folder_.file("sub/saved.csv")));
  EXPECT_EQ(ReadAll(folder_ / "sub" / "saved.csv"), "file,quantity,name\r\n../rail.kvx,2,top\r\n");
  EXPECT_EQ(ReadAll(folder_ / "sub" / "saved.shop"),
            "# KORVEX: how the cut list beside this file is nested and written\n"
            "stock = 6000\nstock = 48.3x3.2=6500\nkerf = 1.5\ntrim = 0\nmachine = plasma\n"
            "template = pdf\npaper = letter-landscape\n");
  ASSERT_FALSE(session_.openList(folder_.file("sub/saved.csv"), {}));
  EXPECT_EQ(session_.list().settings(), settings);
  EXPECT_EQ(session_.list().partPath(0), folder_.file("rail.kvx"));
}

// Part files added take their own name and quantity; a name taken or unfit for a file gives
// way to the file's, numbered; a quantity the list cannot take refuses them all.
TEST_F(ShopDocuments, AddedPartFilesBringTheirNameAndQuantity) {
  WriteAll(folder_ / "gate.kvxp", "name = \"gate post\"\nquantity = 6\n");
  WriteAll(folder_ / "twin.kvxp", "name = \"gate post\"\nquantity = 2\n");
  WriteAll(folder_ / "slash.kvxp", "name = \"a/b\"\n");
  WriteAll(folder_ / "many.kvxp", "quantity = 20000\n");
  CutListDocument& list = session_.list();
  ASSERT_FALSE(list.addParts({folder_.file("gate.kvxp"), folder_.file("twin.kvxp"),
                              folder_.file("slash.kvxp"), folder_.file("missing.kvxp"),
                              folder_.file("rail.kvx"), folder_.file("rail.kvx")}));
  const std::vector<std::pair<std::string, int>> rows = {
      {"gate post", 6}, {"twin", 2}, {"slash", 1}, {"missing", 1}, {"rail", 1}, {"rail-2", 1}};
  ASSERT_EQ(list.rows().size(), rows.size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    EXPECT_EQ(list.rows()[r].name, rows[r].first);
    EXPECT_EQ(list.rows()[r].quantity, rows[r].second);
  }
  const auto refusal = list.addParts({folder_.file("rail.kvx"), folder_.file("many.kvxp")});
  ASSERT_TRUE(refusal);
  EXPECT_NE(refusal->find("quantity 20000"), std::string::npos) << *refusal;
  EXPECT_EQ(list.rows().size(), rows.size());
}

// The rows keep naming their files through Save As into another folder and undo after it.
TEST_F(ShopDocuments, RowsKeepTheirFilesThroughSaveAsAndUndo) {
  open("list.csv", "rail.kvx,2,top\n");
  session_.list().setQuantity(0, "3");
  fs::create_directories(folder_ / "elsewhere");
  ASSERT_FALSE(session_.list().saveAs(folder_.file("elsewhere/list.csv")));
  EXPECT_TRUE(session_.list().isClean());
  session_.list().undo();
  EXPECT_FALSE(session_.list().isClean());
  EXPECT_EQ(session_.list().partPath(0), folder_.file("rail.kvx"));
  ASSERT_FALSE(session_.list().saveAs(folder_.file("elsewhere/list.csv")));
  EXPECT_EQ(ReadAll(folder_ / "elsewhere" / "list.csv"),
            "file,quantity,name\r\n../rail.kvx,2,top\r\n");
}

// The part shown goes with its row; with unsaved edits it stays, but cannot be saved into a row
// that is gone. What a part file held before it was saved again is never taken for it.
TEST_F(ShopDocuments, ThePartShownFollowsItsRow) {
  open("list.csv", "rail.kvx,2,top\npost.kvx,2,\n");
  session_.showRow(1);
  session_.list().removeRows({0});
  EXPECT_EQ(session_.shownRow(), std::optional<std::size_t>(0));
  session_.list().undo();
  EXPECT_EQ(session_.shownRow(), std::optional<std::size_t>(1));
  session_.list().removeRows({1});
  EXPECT_FALSE(session_.part().rowId());
  session_.list().undo();
  session_.showRow(1);
  Part edited = shownPart();
  edited.wall = 2;
  session_.part().edit(edited);
  session_.list().removeRows({1});
  ASSERT_TRUE(session_.part().part());
  EXPECT_NE(session_.savePart(folder_.file("post.kvxp"))->find("no longer in the list"),
            std::string::npos);

  const long epoch = session_.list().summaryEpoch();
  session_.list().partFileChanged(folder_.file("rail.kvx"));
  session_.list().storeSummaries({{folder_.file("rail.kvx"), PartSummary{"99x9", 1, {}, {}}}},
                                 epoch);
  EXPECT_EQ(session_.list().summary(0), nullptr);
}

TEST(UndoHistories, StepThroughEditsAndKnowTheCleanOne) {
  UndoHistory<int> history(0);
  history.push(1, "one");
  history.push(2, "two");
  history.setClean();
  history.undo();
  EXPECT_EQ(history.current(), 1);
  EXPECT_EQ(history.redoLabel(), "two");
  EXPECT_FALSE(history.isClean());
  history.redo();
  EXPECT_TRUE(history.isClean());
  history.undo();
  history.push(3, "three");  // the clean state cannot be reached again
  EXPECT_FALSE(history.canRedo());
  EXPECT_EQ(history.undoLabel(), "three");
  history.undo();
  history.redo();
  EXPECT_FALSE(history.isClean());
  history.undo();
  history.undo();
  EXPECT_EQ(history.current(), 0);
  EXPECT_FALSE(history.canUndo());
}

struct BadSetting {
  const char* line;
  const char* why;
};

TEST(ShopSettingsFile, RefusesWhatTheCommandLineRefusesWithItsLine) {
  const BadSetting cases[] = {
      {"stock = inf", "f.shop:2: stock inf: the length must be a number of mm above 0"},
      {"stock = nan", "f.shop:2: stock nan: the length must be a number of mm above 0"},
      {"stock = 60x=100", "f.shop:2: stock 60x=100: the tube must be DIAMETERxWALL"},
      {"kerf = nan", "f.shop:2: kerf must be a number of mm from 0 to 100"},
      {"kerf = inf", "f.shop:2: kerf must be a number of mm from 0 to 100"},
      {"trim = -1", "f.shop:2: trim must be a number of mm, 0 or more"},
      {"paper = a3", "f.shop:2: paper must be a4, letter"},
      {"colour = red", "f.shop:2: unknown key \"colour\""},
      {"kerf 1", "f.shop:2: a line must be KEY = VALUE"},
      {"stock = 6000", "f.shop:2: stock 6000: that tube's stock is already given"},
  };
  for (const BadSetting& c : cases) {
    const auto read = ParseShopSettings(std::string("stock = 5000\n") + c.line + "\n", "f.shop");
    ASSERT_TRUE(std::holds_alternative<std::string>(read)) << c.line;
    EXPECT_EQ(std::get<std::string>(read).rfind(c.why, 0), 0u) << std::get<std::string>(read);
  }
}

// Where a hole's outline crosses the seam it is broken there, both pieces reaching the seam
// at the point on the straight line between its neighbours.
TEST(UnrolledHoles, AnOutlineCrossingTheSeamIsBrokenWhereItMeetsIt) {
  const std::vector<StickPoint> outline = {{0, 350}, {10, 10}, {20, 30}, {30, 350}};
  const auto pieces = UnrolledPieces(outline);
  ASSERT_EQ(pieces.size(), 3u);
  // 350 to 10 is 20 degrees, the seam 10 of them on: half way from x 0 to x 10.
  EXPECT_DOUBLE_EQ(pieces[0].back().x, 5);
  EXPECT_EQ(pieces[0].back().degrees, 360);
  EXPECT_DOUBLE_EQ(pieces[1].front().x, 5);
  EXPECT_EQ(pieces[1].front().degrees, 0);
  // 30 back to 350 is 40 degrees, the seam 30 of them on.
  EXPECT_DOUBLE_EQ(pieces[1].back().x, 20 + 10 * 30.0 / 40);
  EXPECT_EQ(pieces[2].front().degrees, 360);
  EXPECT_EQ(pieces[2].back().x, 30);
}

// A tee's header planned: its hole is drawn where the bore (radius 42.4 / 2 - 3.6) meets the
// outer surface, which reaches the bore's radius either side of the hole's middle along the
// tube, here the middle of the 300 mm part between its square ends.
TEST(CutSheetHoles, AHoleLiesOnItsPartOnTheStickAsTheBoreMeetsTheTube) {
  test::TempFolder folder;
  fs::copy_file(KORVEX_PROJECTS_FOLDER "/tee-header.kvxp", folder / "header.kvxp");
  const MachineEntry machine = FindMachine("described", {});
  CutListRequest request;
  request.listPath = folder.file("list.csv");
  request.listBytes = "file,quantity\nheader.kvxp,2\n";
  request.stock = {{std::nullopt, 6000}};
  request.machine = &*machine.profile;
  const CutListPlan plan = PlanCutList(request);
  ASSERT_TRUE(plan.problems.empty()) << plan.problems.front();
  const auto& parts = plan.sheet.tubes.at(0).sticks.at(0).parts;
  ASSERT_EQ(parts.size(), 2u);
  for (const CutSheetPart& part : parts) {
    ASSERT_EQ(part.holes.size(), 1u);
    double least = 1e9, most = -1e9;
    for (const StickPoint& p : part.holes[0]) {
      least = std::min(least, p.x);
      most = std::max(most, p.x);
      EXPECT_TRUE(p.degrees >= 0 && p.degrees < 360) << p.degrees;
    }
    const double middle = (part.left.front() + part.right.front()) / 2;
    EXPECT_NEAR(most - least, 2 * 17.6, 0.01);
    EXPECT_NEAR((most + least) / 2, middle, 0.01);
  }
}

// A frame's parts are rows held in memory: nothing is written until the list is saved, which
// writes them beside the frame; while the rows are as the frame gave them a write is the
// frame's, with its members and sheet.
TEST_F(ShopDocuments, AFramesPartsAreHeldUntilTheListIsSavedBesideTheFrame) {
  fs::copy_file(kFrame / "../truss/truss.kvxf", folder_ / "truss.kvxf");
  WriteAll(folder_ / "bottom.kvxp", "left over");
  ASSERT_FALSE(session_.openFrame(folder_.file("truss.kvxf"), Stock6000()));
  const CutListDocument& list = session_.list();
  ASSERT_EQ(list.rows().size(), 4u);
  EXPECT_EQ(list.fileName(), "truss.kvxf");
  EXPECT_EQ(list.suggestedPath(), folder_.file("truss.csv"));
  EXPECT_EQ(shownPart().name, "bottom");
  EXPECT_EQ(session_.saveQuestion(session_.saveTarget())->find("bottom.kvxp already exists"), 0u);
  EXPECT_EQ(list.heldOnDisk(), std::vector<std::string>{folder_.file("bottom.kvxp")});

  run(folder_.file("out"));
  EXPECT_TRUE(fs::exists(folder_ / "out" / "members.csv"));
  ASSERT_FALSE(session_.list().saveAs(folder_.file("truss.csv")));
  for (const CutListRow& row : list.rows()) {
    EXPECT_EQ(ReadAll(row.file), ReadAll(folder_ / "out" / fs::path(row.file).filename()));
    EXPECT_EQ(list.heldPart(row.file), nullptr);
  }
  EXPECT_EQ(list.fileName(), "truss.csv");

  // Rows changed: a cut list's outputs only.
  ASSERT_FALSE(session_.list().setQuantity(0, "5"));
  run(folder_.file("changed"));
  EXPECT_TRUE(fs::exists(folder_ / "changed" / "bottom.ngc"));
  EXPECT_FALSE(fs::exists(folder_ / "changed" / "members.csv"));
}

}  // namespace
}  // namespace korvex
