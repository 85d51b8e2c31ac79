// The shop window as a user works it: a list opened, a quantity changed and undone, a part
// added, the list nested and every output written, then compared with the command line's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>
#include <filesystem>

#include "app/part_panel.h"
#include "project/part_file.h"
#include "korvex_window_test.h"
#include "qt/part_editor.h"
#include "qt/part_preview.h"
#include "qt/plan_view.h"
#include "qt/shop_window.h"
#include "temp_folder.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;

constexpr int kWait = 30000;

class ShopWindowTest : public KorvexWindowTest {
 protected:
  void SetUp() override {
    for (const auto& file : fs::directory_iterator(KORVEX_SOURCE_DIR "/docs/frame"))
      fs::copy_file(file.path(), folder_.path() / file.path().filename());
    fs::copy_file(KORVEX_SOURCE_DIR "/Projects/tee-header.kvxp", folder_.path() / "header.kvxp");
    shop_.show();
    shop_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shop_));
  }
  void TearDown() override { shop_.undoStack()->setClean(); }

  QString path(const char* name) const { return QString::fromStdString(folder_.file(name)); }
  // Picks files in the file dialog the key opens.
  void chooseWith(QKeySequence key, const QString& name) {
    WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
      dialog->setDirectory(QString::fromStdString(folder_.path().string()));
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
      static_cast<QDialog*>(dialog)->accept();
    });
    press(key);
  }
  // A shortcut of the window; without a window manager no window is active after a dialog.
  void press(QKeySequence key) {
    shop_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shop_));
    QTest::keySequence(&shop_, key);
  }
  void waitForParts() {
    QSignalSpy summarized(&shop_, &ShopWindow::partsSummarized);
    for (int r = 0; r < shop_.partsTable()->rowCount(); ++r) {
      if (shop_.partsTable()->item(r, 3)->text() == "reading...") {
        ASSERT_TRUE(summarized.wait(kWait));
        r = -1;
      }
    }
  }
  std::string cli(QStringList arguments) {
    QProcess process;
    process.start(KORVEX_CLI, arguments);
    EXPECT_TRUE(process.waitForFinished(kWait));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().toStdString();
  }

  test::TempFolder folder_;
  ShopWindow shop_;
};

TEST_F(ShopWindowTest, ListEditedNestedAndWrittenAsTheCommandLineWritesIt) {
  chooseWith(QKeySequence::Open, "frame.csv");
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return shop_.windowTitle() == "KORVEX Shop - frame.csv[*]"; }, kWait));
  waitForParts();
  QTableWidget& table = *shop_.partsTable();
  // The table's length is the converter's X LENGTH of the same part.
  const std::string rail = cli({path("rail.kvx"), path("rail.ngc")});
  EXPECT_NE(rail.find("X LENGTH " + table.item(0, 4)->text().toStdString()), std::string::npos)
      << rail;

  // Quantity typed in place, then undone with the usual key.
  QTest::mouseClick(table.viewport(), Qt::LeftButton, {},
                    table.visualItemRect(table.item(0, 2)).center());
  QTest::keyClick(table.viewport(), Qt::Key_F2);
  ASSERT_TRUE(
      QTest::qWaitFor([] { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), "5");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // commits once events run
  EXPECT_TRUE(QTest::qWaitFor([&] { return shop_.rows()[0].quantity == 5; }));
  EXPECT_TRUE(shop_.isWindowModified());
  press(QKeySequence::Undo);
  EXPECT_EQ(shop_.rows()[0].quantity, 2);
  EXPECT_FALSE(shop_.isWindowModified());

  chooseWith(QKeySequence(Qt::CTRL | Qt::Key_I), "header.kvxp");
  ASSERT_TRUE(QTest::qWaitFor([&] { return table.rowCount() == 6; }, kWait));
  waitForParts();
  EXPECT_EQ(table.item(5, 3)->text(), "60.3x3.9");  // the part file's [tube]

  // The header's part file in the editor: a hole added shows in the preview and is saved.
  QTest::mouseClick(table.viewport(), Qt::LeftButton, {},
                    table.visualItemRect(table.item(5, 0)).center());
  ASSERT_TRUE(QTest::qWaitFor([&] { return shop_.partEditor()->part().holes.size() == 1; }));
  EXPECT_EQ(shop_.partEditor()->part().diameter, 60.3);
  const std::size_t batches = shop_.partPreview()->scene().batches().size();
  QTest::mouseClick(shop_.partEditor()->findChild<QPushButton*>("addHole"), Qt::LeftButton);
  // Added over the first hole, the new one is refused until it is moved along the tube.
  EXPECT_TRUE(shop_.partEditor()->problems().join(' ').contains(QStringLiteral("hole 2")));
  shop_.partEditor()->holeTable()->item(1, 0)->setText("100");
  EXPECT_GT(shop_.partPreview()->scene().batches().size(), batches);
  QTest::mouseClick(shop_.partEditor()->findChild<QPushButton*>("savePart"), Qt::LeftButton);
  const PartReading saved = ReadPartFile(ReadAll(folder_.path() / "header.kvxp"), "header.kvxp",
                                         PanelDefaultPart(), DefaultPartHole());
  ASSERT_TRUE(saved.part) << saved.refusal;
  EXPECT_EQ(saved.part->holes.size(), 2u);

  shop_.stockField()->setText("6000");
  shop_.kerfField()->setText("1.5");
  QSignalSpy ready(&shop_, &ShopWindow::planReady);
  QTest::mouseClick(shop_.findChild<QPushButton*>("nest"), Qt::LeftButton);
  ASSERT_TRUE(ready.wait(kWait)) << shop_.summary().toStdString();

  // The same list from the command line: every file the window wrote is the same.
  ASSERT_FALSE(shop_.saveList(path("saved.csv")));
  const std::string summary = cli({"--cut-list", path("saved.csv"), "--stock", "6000", "--kerf",
                                   "1.5", "--out-dir", path("cli")});
  EXPECT_EQ(shop_.summary().toStdString() + "\n", summary);
  QSignalSpy written(&shop_, &ShopWindow::written);
  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    QDir().mkpath(path("window"));
    dialog->setDirectory(path("window"));
    static_cast<QDialog*>(dialog)->accept();
  });
  press(QKeySequence(Qt::CTRL | Qt::Key_E));
  ASSERT_TRUE(written.wait(kWait)) << shop_.summary().toStdString();
  int files = 0;
  for (const auto& file : fs::directory_iterator(folder_.path() / "cli")) {
    ++files;
    EXPECT_EQ(ReadAll(folder_.path() / "window" / file.path().filename()), ReadAll(file.path()))
        << file.path();
  }
  const std::string plan = ReadAll(folder_.path() / "cli" / "plan.json");
  int sticks = 0;
  for (auto at = plan.find("\"remnant\""); at != std::string::npos;
       at = plan.find("\"remnant\"", at + 1))
    ++sticks;
  // Five programs and the header's, a program a stick, plan.json and the cut sheet.
  EXPECT_EQ(files, 5 + 1 + sticks + 2);
  // The saved header's two holes and two ends.
  EXPECT_NE(ReadAll(folder_.path() / "cli" / "header.ngc").find("(Objects)\r\n(004)\r\n"),
            std::string::npos);

  // The plan as drawn: the sticks of plan.json, and the first part named under the pointer.
  EXPECT_EQ(shop_.planView()->stickCount(), sticks);
  const auto name = plan.find("\"name\": \"") + 9;
  EXPECT_EQ(shop_.planView()->partAt(shop_.planView()->partBounds(0, 0).center()).toStdString(),
            plan.substr(name, plan.find('"', name) - name));
}

// A list that cannot be read says where, and the open list stays as it was.
TEST_F(ShopWindowTest, ABadListIsReportedWithItsLineAndChangesNothing) {
  ASSERT_FALSE(shop_.openList(path("frame.csv")));
  test::WriteAll(folder_.path() / "bad.csv", "file,quantity\nrail.kvx,2\npost.kvx,two\n");
  const struct {
    const char* file;
    const char* message;
  } cases[] = {{"bad.csv", "bad.csv:3: quantity \"two\" is not a whole number"},
               {"missing.csv", "missing.csv not opened"}};
  for (const auto& c : cases) {
    const auto failure = shop_.openList(path(c.file));
    ASSERT_TRUE(failure.has_value()) << c.file;
    EXPECT_NE(failure->toStdString().find(c.message), std::string::npos) << failure->toStdString();
    EXPECT_EQ(shop_.rows().size(), 5u);
    EXPECT_EQ(shop_.windowTitle(), "KORVEX Shop - frame.csv[*]");
  }
}

// Delete in the table removes the selected part, undo brings it back; closing with unsaved
// changes asks first, and Cancel keeps the window and its list.
TEST_F(ShopWindowTest, RemovedPartsComeBackAndClosingWithChangesAsksFirst) {
  ASSERT_FALSE(shop_.addParts({path("rail.kvx"), path("post.kvx")}));
  QTableWidget& table = *shop_.partsTable();
  QTest::mouseClick(table.viewport(), Qt::LeftButton, {},
                    table.visualItemRect(table.item(0, 0)).center());
  QTest::keyClick(table.viewport(), Qt::Key_Delete);
  ASSERT_EQ(shop_.rows().size(), 1u);
  EXPECT_EQ(shop_.rows()[0].name, "post");
  press(QKeySequence::Undo);
  EXPECT_EQ(shop_.rows().size(), 2u);
  for (const auto button : {QMessageBox::Cancel, QMessageBox::Discard}) {
    WhenOpen<QMessageBox>([button](QMessageBox* box) { box->button(button)->click(); });
    shop_.close();
    EXPECT_EQ(shop_.isVisible(), button == QMessageBox::Cancel);
  }
}

// The next window opens with the size the last one was closed at.
TEST_F(ShopWindowTest, ANewWindowTakesTheSizeTheLastWasClosedAt) {
  shop_.resize(900, 700);
  ASSERT_TRUE(QTest::qWaitFor([&] { return shop_.size() == QSize(900, 700); }));
  shop_.close();
  ShopWindow next;
  EXPECT_EQ(next.size(), QSize(900, 700));
}

}  // namespace
}  // namespace korvex
