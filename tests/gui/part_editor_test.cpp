// The part editor and its preview as a user works them on a part of a list: typing, the hole
// table, undo and Save.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <cmath>

#include "app/part_panel.h"
#include "app/shop_session.h"
#include "korvex_window_test.h"
#include "project/part_file.h"
#include "qt/part_editor.h"
#include "qt/part_pane.h"
#include "qt/part_preview.h"
#include "scene/draw_list.h"
#include "temp_folder.h"

namespace korvex {
namespace {

// A 60 x 4 tube cut square 100 mm either side of the middle.
Part SquareTube() {
  Part part = PanelDefaultPart();
  part.name = "post";
  part.diameter = 60;
  part.left.angle = part.right.angle = 0;
  return part;
}

class PartEditorTest : public KorvexWindowTest {
 protected:
  void SetUp() override {
    test::WriteAll(folder_ / "post.kvxp", FormatPartFile(SquareTube()).bytes);
    ASSERT_FALSE(session_.list().addParts({folder_.file("post.kvxp")}));
    session_.showRow(0);
    auto* layout = new QVBoxLayout(&window_);
    layout->addWidget(pane_ = new PartPane(session_, &window_));
    session_.setListener([this](unsigned what) { pane_->sessionChanged(what); });
    editor_ = pane_->editor();
    preview_ = pane_->preview();
    window_.resize(900, 900);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }
  void TearDown() override {}

  // Types text into the field as a user does, Return when finished.
  void type(const PartPlace& place, const QString& text, bool finish = true) {
    QLineEdit* field = editor_->field(place);
    ASSERT_NE(field, nullptr);
    field->selectAll();
    QTest::keyClicks(field, text);
    if (finish) QTest::keyClick(field, Qt::Key_Return);
  }
  void click(const char* name) {
    auto* button = editor_->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  }
  QString shownAt(const PartPlace& place) {
    QLabel* label = editor_->problemLabel(place);
    return label && !label->isHidden() ? label->text() : QString();
  }

  test::TempFolder folder_;
  ShopSession session_{ShopSettings{}};
  QWidget window_;
  PartPane* pane_ = nullptr;
  PartEditor* editor_ = nullptr;
  PartPreview* preview_ = nullptr;
};

struct BadValue {
  PartPlace place;
  const char* bad;
  const char* text;
  const char* good;
};

const BadValue kBadValues[] = {
    {{PartField::Diameter}, "-5", "MAIN TUBE DIAMETER must be a number greater than 0", "60"},
    {{PartField::Diameter}, "6o", "MAIN TUBE DIAMETER is not a number", "60"},
    {{PartField::Wall}, "-1", "THICKNESS must not be less than 0", "4"},
    {{PartField::Segments}, "12.5", "CUT SEGMENTS must be a whole number from 1 to 1000", "90"},
    {{PartField::Segments}, "1001", "CUT SEGMENTS must be a whole number from 1 to 1000", "90"},
    {{PartField::Distance, TubeEnd::Left}, "inf", "LEFT CUT DISTANCE is not a number", "-100"},
    {{PartField::Angle, TubeEnd::Right},
     "90",
     "RIGHT CUT ANGLE must lie between -90 and 90 degrees",
     "0"},
    {{PartField::Diameter, TubeEnd::Left},
     "-40",
     "LEFT CUT DIAMETER must not be less than 0",
     "40"},
};

TEST_F(PartEditorTest, ShowsEachProblemBesideItsFieldWhileTypedAndComputesOnceMended) {
  for (const BadValue& row : kBadValues) {
    SCOPED_TRACE(row.bad);
    QSignalSpy jobs(editor_, &PartEditor::jobComputed);
    type(row.place, QString::fromLatin1(row.bad), false);
    EXPECT_EQ(shownAt(row.place), QString::fromLatin1(row.text)) << "while typing";
    QTest::keyClick(editor_->field(row.place), Qt::Key_Return);
    EXPECT_EQ(editor_->problems(), QStringList{QString::fromLatin1(row.text)});
    EXPECT_EQ(shownAt(row.place), QString::fromLatin1(row.text));
    EXPECT_EQ(jobs.count(), 0);

    type(row.place, QString::fromLatin1(row.good));
    EXPECT_EQ(shownAt(row.place), QString());
    EXPECT_EQ(editor_->problems(), QStringList());
    EXPECT_EQ(jobs.count(), 1);
    EXPECT_EQ(editor_->part(), SquareTube());
  }
}

// Every vertex of a batch at the distance from the tube's axis, and its extent along the tube.
bool OnOuterSurface(const LineBatch& batch, double radius, double halfWidth) {
  double widest = 0;
  for (const Vertex& v : batch.vertices) {
    if (std::fabs(std::hypot(v.y, v.z) - radius) > 1e-3) return false;
    widest = std::max(widest, std::fabs(double{v.x}));
  }
  return !batch.vertices.empty() && std::fabs(widest - halfWidth) < 1e-2;
}

TEST_F(PartEditorTest, AHoleAddedIsDrawnAndABadOneKeepsTheLastGoodPicture) {
  const DrawList withoutHole = preview_->scene();
  QSignalSpy frames(&preview_->view(), &QOpenGLWidget::frameSwapped);
  click("addHole");
  ASSERT_TRUE(frames.wait(5000));
  EXPECT_EQ(editor_->part().holes, std::vector<PartHole>{DefaultPartHole()});

  // The default branch is 40 x 4 set on: its bore, radius 16, meets the 60 mm tube's outer
  // surface on a curve at radius 30 reaching 16 mm either side of the hole's middle at X 0.
  const std::vector<LineBatch>& batches = preview_->scene().batches();
  EXPECT_GT(batches.size(), withoutHole.batches().size());
  EXPECT_TRUE(std::any_of(batches.begin(), batches.end(),
                          [](const LineBatch& b) { return OnOuterSurface(b, 30, 16); }));
  EXPECT_FALSE(std::any_of(withoutHole.batches().begin(), withoutHole.batches().end(),
                           [](const LineBatch& b) { return OnOuterSurface(b, 30, 16); }));

  // branch-wall 20 leaves the 40 mm branch no bore.
  const DrawList withHole = preview_->scene();
  const QString noBore =
      QStringLiteral("HOLE 1 branch-wall must be less than half the branch-diameter");
  QTableWidget* table = editor_->holeTable();
  table->setCurrentCell(0, 3);
  table->editItem(table->item(0, 3));
  auto* cell = table->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(cell, nullptr);
  QSignalSpy edited(editor_, &PartEditor::partEdited);
  cell->selectAll();
  QTest::keyClicks(cell, QStringLiteral("20"));
  EXPECT_EQ(editor_->problems(), QStringList{noBore}) << "while typing";
  QTest::keyClick(cell, Qt::Key_Return);
  ASSERT_TRUE(edited.wait(5000));  // the table takes the text after the key
  EXPECT_EQ(editor_->problems(), QStringList{noBore});
  EXPECT_EQ(table->item(0, 3)->toolTip(), noBore);
  EXPECT_EQ(shownAt({PartField::BranchWall, TubeEnd::None, 1}), noBore);
  EXPECT_EQ(preview_->scene(), withHole);
}

TEST_F(PartEditorTest, UndoAndRedoWalkBackAndForthThroughTheEdits) {
  QSignalSpy jobs(editor_, &PartEditor::jobComputed);
  type({PartField::Diameter}, QStringLiteral("70"));
  click("addHole");
  auto* mode3d = editor_->findChild<QCheckBox*>(QStringLiteral("LEFT CUT 3D MODE"));
  QTest::mouseClick(mode3d, Qt::LeftButton, {}, QPoint(6, mode3d->height() / 2));
  click("removeHole");  // the hole just added is the table's current row
  EXPECT_TRUE(editor_->part().left.mode3d);
  EXPECT_TRUE(editor_->part().holes.empty());

  const struct {
    bool undo;
    double diameter;
    std::size_t holes;
    bool mode3d;
  } steps[] = {{true, 70, 1, true},  {true, 70, 1, false},  {true, 70, 0, false},
               {true, 60, 0, false}, {false, 70, 0, false}, {false, 70, 1, false},
               {false, 70, 1, true}, {false, 70, 0, true}};
  for (const auto& step : steps) {
    step.undo ? session_.part().undo() : session_.part().redo();
    EXPECT_EQ(editor_->part().diameter, step.diameter);
    EXPECT_EQ(editor_->field({PartField::Diameter})->text().toDouble(), step.diameter);
    EXPECT_EQ(editor_->holeTable()->rowCount(), static_cast<int>(step.holes));
    EXPECT_EQ(editor_->part().left.mode3d, step.mode3d);
    ASSERT_FALSE(jobs.isEmpty());
    EXPECT_EQ(jobs.takeLast().at(0).value<ComputedJob>().parameters.mainRadius, step.diameter / 2);
  }
  while (session_.part().canUndo())
    session_.part().undo();
  EXPECT_EQ(editor_->part(), SquareTube());
  EXPECT_TRUE(session_.part().isClean());
}

// Save writes the part file of its row, or says why not and writes nothing.
TEST_F(PartEditorTest, SaveWritesWhatReadsBackOrSaysWhyNot) {
  click("addHole");
  const std::string before = test::ReadAll(folder_ / "post.kvxp");
  const struct {
    const char* badDiameter;
    const char* status;
  } rows[] = {
      {"-5", "PART NOT SAVED: MAIN TUBE DIAMETER must be a number greater than 0"},
      {"6o", "PART NOT SAVED: MAIN TUBE DIAMETER is not a number"},
      {nullptr, "PART SAVED OK"}};
  for (const auto& row : rows) {
    if (row.badDiameter) type({PartField::Diameter}, QString::fromLatin1(row.badDiameter));
    click("savePart");
    EXPECT_EQ(editor_->findChild<QLabel*>(QStringLiteral("saveStatus"))->text(),
              QString::fromLatin1(row.status));
    if (row.badDiameter) {
      EXPECT_EQ(test::ReadAll(folder_ / "post.kvxp"), before);
      type({PartField::Diameter}, QStringLiteral("60"));
    }
  }
  const PartReading back = ReadPartFile(test::ReadAll(folder_ / "post.kvxp"), "post.kvxp",
                                        Part{}, PartHole{});
  ASSERT_TRUE(back.part) << back.refusal;
  EXPECT_EQ(*back.part, editor_->part());
  EXPECT_EQ(back.part->holes.size(), 1u);
  // A new edit takes the notice of the save away.
  type({PartField::Wall}, QStringLiteral("5"));
  EXPECT_EQ(editor_->findChild<QLabel*>(QStringLiteral("saveStatus"))->text(), QString());
}

}  // namespace
}  // namespace korvex
