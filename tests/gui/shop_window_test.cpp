// The shop window as a user works it: a list opened with its first part shown, a quantity
// typed wrong and right and undone, a part added, edited and saved, the list nested with F5 and
// every output written, as the command line writes it; saving a project row beside another
// row's part file; a row that cannot be read; a nest or a write cancelled with Escape; a nest
// with unsaved edits; settings refused; buttons that stay where they are.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <regex>

#include "app/part_panel.h"
#include "project/part_file.h"
#include "qt/nesting_panel.h"
#include "qt/part_editor.h"
#include "qt/part_pane.h"
#include "qt/plan_view.h"
#include "qt/progress_strip.h"
#include "qt/results_pane.h"
#include "qt/shop_memory.h"
#include "shop_window_fixture.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;

class ShopWindowTest : public ShopWindowFixture {
 protected:
  void SetUp() override {
    for (const auto& file : fs::directory_iterator(KORVEX_SOURCE_DIR "/docs/frame"))
      fs::copy_file(file.path(), folder_.path() / file.path().filename());
    fs::copy_file(KORVEX_SOURCE_DIR "/Projects/tee-header.kvxp", folder_.path() / "header.kvxp");
    ShopWindowFixture::SetUp();
  }

  void list(const char* name, const std::string& rows) {
    test::WriteAll(folder_ / name, "file,quantity,name\n" + rows);
    ASSERT_FALSE(shop_->openList(path(name)));
  }
  // Answers the question box that opens next with the button of that caption; keeps its text.
  void answer(const QString& caption, QString* text = nullptr) {
    WhenOpen<QMessageBox>([caption, text](QMessageBox* box) {
      if (text) *text = box->text();
      for (QAbstractButton* button : box->buttons()) {
        if (button->text() == caption) return button->click();
      }
      ADD_FAILURE() << "no button " << caption.toStdString();
      box->reject();
    });
  }
  void clickRow(int row) {
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {},
                      table().visualRect(table().model()->index(row, 0)).center());
  }
  void waitForParts() {
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          for (int r = 0; r < table().model()->rowCount(); ++r)
            if (cell(r, 3) == "reading...") return false;
          return true;
        },
        kWait));
  }
  void typeInCell(int row, int column, const QString& text) {
    table().setCurrentIndex(table().model()->index(row, column));
    table().edit(table().currentIndex());
    auto* editor = table().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
  }
  QString notice() { return shop_->nestingPanel()->noticeLabel()->text(); }
  bool busy() { return shop_->nestingPanel()->cancelButton()->isEnabled(); }
  std::string cli(QStringList arguments) {
    QProcess process;
    process.start(KORVEX_CLI, arguments);
    EXPECT_TRUE(process.waitForFinished(kWait));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().toStdString();
  }
};

TEST_F(ShopWindowTest, ListEditedNestedAndWrittenAsTheCommandLineWritesIt) {
  chooseFile("frame.csv");
  press(QKeySequence::Open);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return shop_->windowTitle() == "KORVEX Shop - frame.csv[*]"; }, kWait));
  // The first row is chosen and its part shown.
  EXPECT_EQ(table().currentIndex().row(), 0);
  EXPECT_TRUE(shop_->partPane()->heading().startsWith("top-rail"));
  waitForParts();
  // The table's length is the converter's X LENGTH of the same part.
  const std::string rail = cli({path("rail.kvx"), path("rail.ngc")});
  EXPECT_NE(rail.find("X LENGTH " + cell(0, 4).toStdString()), std::string::npos) << rail;

  // A quantity typed wrong says what is wrong and changes nothing; typed right, it is undone.
  typeInCell(0, 1, "abc");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !notice().isEmpty(); }));
  EXPECT_EQ(notice().toStdString(),
            "Not changed: quantity \"abc\" is not a whole number from 1 to 10000");
  typeInCell(0, 1, "5");
  EXPECT_TRUE(QTest::qWaitFor([&] { return cell(0, 1) == "5"; }));
  EXPECT_EQ(notice().toStdString(), "");
  EXPECT_TRUE(shop_->isWindowModified());
  press(QKeySequence::Undo);
  EXPECT_EQ(cell(0, 1), "2");
  EXPECT_FALSE(shop_->isWindowModified());

  // A part file added takes its own name; edited, a hole added shows in the preview and is
  // saved into its own file without a question.
  chooseFile("header.kvxp");
  press(QKeySequence(Qt::CTRL | Qt::Key_I));
  ASSERT_TRUE(QTest::qWaitFor([&] { return table().model()->rowCount() == 6; }, kWait));
  waitForParts();
  EXPECT_EQ(cell(5, 0), "tee header");
  EXPECT_EQ(cell(5, 3), "60.3x3.9");
  clickRow(5);
  ASSERT_TRUE(QTest::qWaitFor([&] { return shop_->partEditor()->part().holes.size() == 1; }));
  QTest::mouseClick(shop_->partEditor()->findChild<QPushButton*>("addHole"), Qt::LeftButton);
  shop_->partEditor()->holeTable()->item(1, 0)->setText("100");
  QTest::mouseClick(shop_->partEditor()->findChild<QPushButton*>("savePart"), Qt::LeftButton);
  const PartReading saved = ReadPartFile(ReadAll(folder_.path() / "header.kvxp"), "header.kvxp",
                                         PanelDefaultPart(), DefaultPartHole());
  ASSERT_TRUE(saved.part) << saved.refusal;
  EXPECT_EQ(saved.part->holes.size(), 2u);

  shop_->nestingPanel()->kerfField()->setText("1.5");
  QTest::keyClick(shop_->nestingPanel()->kerfField(), Qt::Key_Return);
  QSignalSpy ready(shop_.get(), &ShopWindow::planReady);
  press(QKeySequence(Qt::Key_F5));
  ASSERT_TRUE(ready.wait(kWait)) << shop_->results()->banner().toStdString();

  // The same list from the command line: the totals per tube and every file written the same.
  ASSERT_FALSE(shop_->saveList(path("saved.csv")));
  const std::string summary = cli({"--cut-list", path("saved.csv"), "--stock", "6000", "--kerf",
                                   "1.5", "--out-dir", path("cli")});
  const std::regex line(
      R"(TUBE (\S+) STICKS (\d+) OF (\S+) LOWER BOUND (\d+) (NOT )?MET WASTE (\S+) % )"
      R"(LONGEST REMNANT (\S+) (PROVEN OPTIMAL|BEST FOUND))");
  const QAbstractItemModel& totals = *shop_->results()->totalsTable()->model();
  int row = 0;
  for (auto it = std::sregex_iterator(summary.begin(), summary.end(), line);
       it != std::sregex_iterator(); ++it, ++row) {
    const std::smatch& m = *it;
    const auto at = [&](int column) { return totals.index(row, column).data().toString(); };
    EXPECT_EQ(at(0).toStdString(), m[1]);
    EXPECT_EQ(at(1).toStdString(), m.str(2) + " / " + m.str(4));
    EXPECT_EQ(at(2).toStdString(), m.str(2) + " x " + m.str(3));
    EXPECT_EQ(at(3).toStdString(), m[6]);
    EXPECT_EQ(at(4).toStdString(), m[7]);
    EXPECT_EQ(at(6).toStdString(), m[8] == "PROVEN OPTIMAL" ? "proven optimal" : "best found");
  }
  EXPECT_EQ(row, 3);  // three tubes
  QSignalSpy written(shop_.get(), &ShopWindow::written);
  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    QDir().mkpath(path("window"));
    dialog->setDirectory(path("window"));
    static_cast<QDialog*>(dialog)->accept();
  });
  press(QKeySequence(Qt::CTRL | Qt::Key_E));
  ASSERT_TRUE(written.wait(kWait)) << shop_->results()->banner().toStdString();
  const int files = ExpectSameFiles(folder_ / "cli", folder_ / "window");
  // The plan as drawn: the sticks of plan.json, numbered per tube, the first part named with
  // where it lies under the pointer.
  const std::string plan = ReadAll(folder_.path() / "cli" / "plan.json");
  int sticks40 = 0, allSticks = 0;
  for (auto at = plan.find("\"remnant\""); at != std::string::npos;
       at = plan.find("\"remnant\"", at + 1)) {
    ++allSticks;
    sticks40 += plan.compare(plan.rfind("\"tube\": \"", at) + 9, 5, "40x3\"") == 0;
  }
  // Five programs and the header's, a program a stick, plan.json and the cut sheet.
  EXPECT_EQ(files, 5 + 1 + allSticks + 2);
  PlanView& view = *shop_->planView();
  EXPECT_EQ(view.stickCount(), allSticks);
  EXPECT_EQ(view.stickNumber(sticks40), 1);  // the next tube counts from 1 again
  const auto name = plan.find("\"name\": \"") + 9;
  const std::string first = plan.substr(name, plan.find('"', name) - name);
  EXPECT_EQ(view.partName(0, 0).toStdString(), first);
  EXPECT_TRUE(view.partAt(view.partBounds(0, 0).center()).contains("mm along stick 1"));
  EXPECT_TRUE(shop_->results()->banner().startsWith("Plan of saved.csv: 6 rows, 14 parts"));

  // A change of the list puts the plan out of date.
  typeInCell(1, 1, "3");
  ASSERT_TRUE(QTest::qWaitFor([&] { return cell(1, 1) == "3"; }));
  EXPECT_TRUE(shop_->results()->banner().startsWith("OUT OF DATE: quantity after it was nested"))
      << shop_->results()->banner().toStdString();
  EXPECT_EQ(notice().toStdString(), "");  // what was written is the list's no more
}

// Saving a project row whose part file is another row's asks, and Cancel writes nothing;
// Save As writes where the user chooses and the row names that file.
TEST_F(ShopWindowTest, SavingAKvxRowBesideItsKvxpAsksFirst) {
  fs::copy_file(folder_ / "post.kvx", folder_ / "a.kvx");
  fs::copy_file(folder_ / "header.kvxp", folder_ / "a.kvxp");
  list("a.csv", "a.kvx,2,a\na.kvxp,1,b\n");
  PartEditor& editor = *shop_->partEditor();
  QLineEdit* diameter = editor.field({PartField::Diameter});
  diameter->selectAll();
  QTest::keyClicks(diameter, "42");
  QTest::keyClick(diameter, Qt::Key_Return);
  const std::string other = ReadAll(folder_ / "a.kvxp");
  QString asked;
  answer("Cancel", &asked);
  QTest::mouseClick(editor.findChild<QPushButton*>("savePart"), Qt::LeftButton);
  EXPECT_TRUE(asked.startsWith("a.kvxp is the part file of row 2, \"b\"")) << asked.toStdString();
  EXPECT_EQ(ReadAll(folder_ / "a.kvxp"), other);
  EXPECT_EQ(cell(0, 2), "a.kvx");

  answer("Save As...");
  chooseFile("a-42.kvxp");
  QTest::mouseClick(editor.findChild<QPushButton*>("savePart"), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return cell(0, 2) == "a-42.kvxp"; }, kWait));
  EXPECT_EQ(ReadAll(folder_ / "a.kvxp"), other);
  const PartReading saved = ReadPartFile(ReadAll(folder_ / "a-42.kvxp"), "a-42.kvxp",
                                         PanelDefaultPart(), DefaultPartHole());
  ASSERT_TRUE(saved.part) << saved.refusal;
  EXPECT_EQ(saved.part->diameter, 42);
  EXPECT_EQ(saved.part->quantity, 2);
  EXPECT_EQ(saved.part->name, "a");
}

// A row whose file is missing or broken says why in place of a part, and there is no Save.
TEST_F(ShopWindowTest, ABrokenRowShowsItsReasonAndNoPart) {
  test::WriteAll(folder_ / "broken.kvxp", "[tube]\ndiameter = 40\nwall = [\n");
  list("broken.csv", "rail.kvx,1,\nmissing.kvxp,1,\nbroken.kvxp,1,\n");
  waitForParts();
  const struct {
    int row;
    const char* reason;
  } rows[] = {{2, "broken.kvxp:3:"}, {1, "missing.kvxp"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.reason);
    clickRow(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shop_->partEditor()->isVisible(); }));
    clickRow(row.row);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shop_->partEditor()->isVisible(); }));
    EXPECT_TRUE(shop_->partPane()->failure().contains(row.reason))
        << shop_->partPane()->failure().toStdString();
    EXPECT_FALSE(shop_->partEditor()->findChild<QPushButton*>("savePart")->isVisible());
    EXPECT_EQ(cell(row.row, 3), "cannot be used");
    EXPECT_TRUE(table().model()->index(row.row, 3).data(Qt::ToolTipRole).toString().contains(
        row.reason));
  }
}

// F5 then Escape: the nest stops, no plan is shown; a write stopped so leaves no file.
TEST_F(ShopWindowTest, F5ThenEscapeLeavesNoPlanAndNoFiles) {
  list("many.csv", "rail.kvx,2000,\npost.kvx,2000,\nbrace.kvx,2000,\nleg.kvx,2000,\n");
  waitForParts();
  fs::create_directories(folder_ / "out");
  for (const bool write : {false, true}) {
    SCOPED_TRACE(write);
    if (write)
      shop_->writeAllInto(path("out"));
    else
      press(QKeySequence(Qt::Key_F5));
    ASSERT_TRUE(busy());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !shop_->nestingPanel()->progress()->text().isEmpty(); }, kWait));
    QTest::keyClick(shop_.get(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !busy(); }, kWait));
    EXPECT_EQ(shop_->planView()->stickCount(), 0);
    EXPECT_EQ(notice().toStdString(), "Cancelled: nothing written, no plan");
    EXPECT_TRUE(fs::is_empty(folder_ / "out"));
  }
}

// Nest with unsaved edits of the part shown asks first: Cancel runs nothing; Use Unsaved nests
// with them, leaves the file as it is, and the plan says so until the part is edited again.
TEST_F(ShopWindowTest, NestingWithUnsavedEditsAsksToSaveOrUseThem) {
  list("two.csv", "rail.kvx,2,top\npost.kvx,2,\n");
  const std::string before = ReadAll(folder_ / "rail.kvx");
  const auto type = [&](PartField field, const char* text) {
    QLineEdit* edit = shop_->partEditor()->field({field});
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  };
  type(PartField::Diameter, "44");
  answer("Cancel");
  press(QKeySequence(Qt::Key_F5));
  EXPECT_FALSE(busy());
  EXPECT_EQ(shop_->results()->banner(), "No plan yet.");

  QSignalSpy ready(shop_.get(), &ShopWindow::planReady);
  answer("Use Unsaved");
  press(QKeySequence(Qt::Key_F5));
  ASSERT_TRUE(ready.wait(kWait)) << shop_->results()->banner().toStdString();
  EXPECT_TRUE(shop_->results()->banner().endsWith("with the unsaved edits of rail.kvx"));
  EXPECT_EQ(shop_->results()->totalsTable()->model()->index(0, 0).data().toString(), "44x3");
  EXPECT_EQ(ReadAll(folder_ / "rail.kvx"), before);
  type(PartField::Wall, "2");
  EXPECT_TRUE(shop_->results()->banner().startsWith(
      "OUT OF DATE: the part it used unsaved was edited after it was nested"));
}

// Stock per tube and the kerf are checked as the command line checks them; whatever the
// window says meanwhile, the buttons stay where they are.
TEST_F(ShopWindowTest, SettingsAreCheckedAndTheButtonsStayWhereTheyAre) {
  ASSERT_FALSE(shop_->openList(path("frame.csv")));
  waitForParts();
  NestingPanel& panel = *shop_->nestingPanel();
  const auto places = [&] {
    std::vector<QRect> rects;
    for (QPushButton* button : {panel.nestButton(), panel.writeButton(), panel.cancelButton()})
      rects.emplace_back(button->mapTo(shop_.get(), QPoint()), button->size());
    return rects;
  };
  const std::vector<QRect> before = places();
  panel.kerfField()->setText("inf");
  QTest::keyClick(panel.kerfField(), Qt::Key_Return);
  EXPECT_EQ(notice().toStdString(), "Not changed: the kerf must be a number of mm from 0 to 100");
  EXPECT_EQ(places(), before);

  QTableView& stock = *panel.stockTable();
  const auto typeStock = [&](int row, const char* text) {
    stock.setCurrentIndex(stock.model()->index(row, 1));
    stock.edit(stock.currentIndex());
    auto* editor = stock.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
  };
  ASSERT_EQ(stock.model()->index(1, 0).data().toString(), "40x3");
  typeStock(1, "nan");
  ASSERT_TRUE(QTest::qWaitFor([&] { return notice().startsWith("Stock of 40x3 not changed"); }));
  typeStock(1, "5000");
  ASSERT_TRUE(QTest::qWaitFor([&] { return stock.model()->index(1, 1).data() == "5000"; }));
  EXPECT_EQ(places(), before);

  QSignalSpy ready(shop_.get(), &ShopWindow::planReady);
  press(QKeySequence(Qt::Key_F5));
  EXPECT_EQ(places(), before);
  ASSERT_TRUE(ready.wait(kWait));
  const QAbstractItemModel& totals = *shop_->results()->totalsTable()->model();
  EXPECT_TRUE(totals.index(0, 2).data().toString().endsWith(" x 5000"));
  EXPECT_TRUE(totals.index(1, 2).data().toString().endsWith(" x 6000"));
  EXPECT_EQ(places(), before);
}

// Delete in the table removes the selected part, undo brings it back; closing with unsaved
// changes asks first, and Cancel keeps the window and its list.
TEST_F(ShopWindowTest, RemovedPartsComeBackAndClosingWithChangesAsksFirst) {
  ASSERT_FALSE(shop_->addParts({path("rail.kvx"), path("post.kvx")}));
  clickRow(0);
  QTest::keyClick(table().viewport(), Qt::Key_Delete);
  ASSERT_EQ(table().model()->rowCount(), 1);
  EXPECT_EQ(cell(0, 0), "post");
  press(QKeySequence::Undo);
  EXPECT_EQ(table().model()->rowCount(), 2);
  for (const char* button : {"Cancel", "Discard"}) {
    answer(button);
    shop_->close();
    EXPECT_EQ(shop_->isVisible(), QString(button) == "Cancel");
  }
}

// The next window opens with the size the last one was closed at.
TEST_F(ShopWindowTest, ANewWindowTakesTheSizeTheLastWasClosedAt) {
  shop_->resize(900, 700);
  ASSERT_TRUE(QTest::qWaitFor([&] { return shop_->size() == QSize(900, 700); }));
  shop_->close();
  ShopWindow next;
  EXPECT_EQ(next.size(), QSize(900, 700));
}

}  // namespace
}  // namespace korvex
