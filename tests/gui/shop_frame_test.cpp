// A frame in the shop window as a user works it: opened through File > Open, its parts listed
// as the command line cuts them and nothing written; a member clicked in 3D choosing its row and
// a row lighting up its members; Write All writing what the command line writes for the frame;
// a frame with a mistake leaving the window as it was.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "project/cut_list.h"
#include "project/part_file.h"
#include "qt/frame_pane.h"
#include "qt/part_editor.h"
#include "qt/part_pane.h"
#include "shop_window_fixture.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;
using test::ReadAll;

class ShopFrameTest : public ShopWindowFixture {
 protected:
  void SetUp() override {
    fs::copy_file(KORVEX_SOURCE_DIR "/docs/truss/truss.kvxf", folder_ / "truss.kvxf");
    ShopWindowFixture::SetUp();
  }

  // The frame as korvex-cli cuts it, written into folder.
  void cli(const char* folder) {
    QProcess process;
    process.start(KORVEX_CLI,
                  {"--frame", path("truss.kvxf"), "--stock", "6000", "--out-dir", path(folder)});
    ASSERT_TRUE(process.waitForFinished(kWait));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  }
  ViewWidget& view() { return shop_->framePane()->view(); }
  // Where the view shows a member of the row chosen, lit up: the pixels of that colour.
  std::vector<QPoint> litPixels() {
    const QImage image = view().grabFramebuffer();
    std::vector<QPoint> lit;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() > c.green() + 60 && c.red() > c.blue() + 100) lit.emplace_back(x, y);
      }
    }
    return lit;
  }
  int rowNamed(const QString& name) {
    const QAbstractItemModel& rows = *table().model();
    return rows.match(rows.index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly).value(0).row();
  }
};

TEST_F(ShopFrameTest, AFramesPartsAreListedAsTheCommandLineCutsThemAndWrittenAsItWritesThem) {
  chooseFile("truss.kvxf");
  press(QKeySequence::Open);
  ASSERT_TRUE(QTest::qWaitFor([&] { return shop_->windowTitle() == "KORVEX Shop - truss.kvxf[*]"; },
                              kWait));
  EXPECT_FALSE(shop_->isWindowModified());
  EXPECT_TRUE(shop_->framePane()->isVisible());
  EXPECT_TRUE(shop_->framePane()->heading().startsWith("truss.kvxf: 7 members, 4 parts"));
  // Nothing is written until the user asks.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 1);

  cli("out");
  fs::rename(folder_ / "out", folder_ / "cli");
  const CutList listed = ParseCutList(ReadAll(folder_ / "cli" / "cut-list.csv"));
  ASSERT_EQ(table().model()->rowCount(), static_cast<int>(listed.rows.size()));
  std::map<std::string, std::string> lengthOfFile;  // from members.csv: member,part,length
  const std::string members = ReadAll(folder_ / "cli" / "members.csv");
  const std::regex member(R"([^,\r\n]+,([^,\r\n]+),([^,\r\n]+)\r\n)");
  for (auto m = std::sregex_iterator(members.begin(), members.end(), member);
       m != std::sregex_iterator(); ++m)
    lengthOfFile[(*m)[1]] = (*m)[2];
  for (int r = 0; r < table().model()->rowCount(); ++r) {
    const CutListRow& row = listed.rows[static_cast<std::size_t>(r)];
    EXPECT_EQ(cell(r, 0).toStdString(), row.name);
    EXPECT_EQ(cell(r, 1).toInt(), row.quantity);
    EXPECT_EQ(cell(r, 2).toStdString(), row.file + " (not saved)");
    EXPECT_EQ(cell(r, 4).toStdString(), lengthOfFile.at(row.file)) << row.name;
    // The part shown is the part file the command line writes, to the byte.
    table().selectRow(r);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return shop_->partPane()->heading().startsWith(cell(r, 0)); }));
    EXPECT_EQ(FormatPartFile(shop_->partEditor()->part()).bytes,
              ReadAll(folder_ / "cli" / row.file));
  }

  QSignalSpy written(shop_.get(), &ShopWindow::written);
  shop_->writeAllInto(path("out"));
  ASSERT_TRUE(written.wait(kWait));
  ExpectSameFiles(folder_ / "cli", folder_ / "out");
}

TEST_F(ShopFrameTest, AMemberClickedChoosesItsRowAndARowLightsUpItsMembers) {
  ASSERT_FALSE(shop_->openList(path("truss.kvxf")));
  QSignalSpy drawn(&view(), &QOpenGLWidget::frameSwapped);
  ASSERT_TRUE(drawn.wait(kWait));
  auto* tabs = shop_->findChild<QTabWidget*>();
  const auto chooseRow = [&](const QString& name) {
    table().selectRow(rowNamed(name));
    tabs->setCurrentWidget(shop_->framePane());  // back to the frame, as a user clicks its tab
  };

  // The three posts are one part: its row lights up three members apart from each other.
  chooseRow("post-left");
  std::set<int> columns;
  for (const QPoint& p : litPixels())
    columns.insert(p.x());
  int groups = 0;  // runs of columns with a gap of more than 20 pixels between them
  for (auto c = columns.begin(); c != columns.end(); ++c)
    groups += c == columns.begin() || *c - *std::prev(c) > 20;
  EXPECT_EQ(groups, 3);

  // Where the brace is lit, a click chooses its row from any other, the frame staying in view.
  chooseRow("brace-left");
  const std::vector<QPoint> brace = litPixels();
  ASSERT_GT(brace.size(), 50u);
  QPoint middle;
  for (const QPoint& p : brace)
    middle += p;
  middle /= static_cast<int>(brace.size());
  chooseRow("bottom");
  QTest::mouseMove(&view(), middle);  // the pointer comes in first, as a hand brings it
  QTest::mouseClick(&view(), Qt::LeftButton, {}, middle);
  EXPECT_EQ(table().currentIndex().row(), rowNamed("brace-left"));
  EXPECT_TRUE(shop_->partPane()->heading().startsWith("brace-left"));
  EXPECT_EQ(tabs->currentWidget(), shop_->framePane());
  EXPECT_EQ(litPixels(), brace);
  // A click beside every member chooses nothing else.
  QTest::mouseMove(&view(), QPoint(5, 5));
  QTest::mouseClick(&view(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(table().currentIndex().row(), rowNamed("brace-left"));
}

TEST_F(ShopFrameTest, AFrameWithAMistakeSaysWhereAndLeavesTheWindowAsItWas) {
  ASSERT_FALSE(shop_->openList(path("truss.kvxf")));
  const QString title = shop_->windowTitle();
  std::string frame = ReadAll(folder_ / "truss.kvxf");
  frame.replace(frame.find("wall = 3.2"), 10, "wall = \"thick\"");  // line 8
  test::WriteAll(folder_ / "bad.kvxf", frame);
  QString said;
  chooseFile("bad.kvxf");
  WhenOpen<QMessageBox>([&](QMessageBox* box) {  // once the file dialog is gone
    said = box->text();
    box->accept();
  });
  press(QKeySequence::Open);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !said.isEmpty(); }, kWait));
  EXPECT_TRUE(said.startsWith(path("bad.kvxf") + ":8: ")) << said.toStdString();
  EXPECT_EQ(shop_->windowTitle(), title);
  EXPECT_EQ(table().model()->rowCount(), 4);
  EXPECT_TRUE(shop_->framePane()->heading().startsWith("truss.kvxf"));
}

}  // namespace
}  // namespace korvex
