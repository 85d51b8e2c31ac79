// The five image buttons run their commands; dialogs are answered by the test.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/rebuild_scene.h"
#include "app/save_gcode_command.h"
#include "korvex_window_test.h"

namespace korvex {
namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// The program SAVE G CODE writes for the job of a panel, computed without any window.
std::string ProgramFor(const MemoryPanel& source, const std::string& path) {
  MemoryPanel panel = source;
  Workspace workspace;
  EXPECT_TRUE(RebuildScene(panel, workspace).empty());
  RecordingPrompts prompts;
  prompts.saveAnswer = path;
  SaveGcodeCommand(prompts, workspace);
  return ReadBytes(path);
}

class CommandsTest : public KorvexWindowTest {
 protected:
  std::string file(const char* name) { return QDir(folder_.path()).filePath(name).toStdString(); }
  QTemporaryDir folder_;
};

struct ButtonCase {
  const char* name;
  int id;
  std::size_t openPrompts, savePrompts;
  const char* saveCaption;
  bool windowStaysOpen;
};

class ButtonCommandTest : public CommandsTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ButtonCommandTest, ClickRunsTheCommand) {
  const ButtonCase& c = GetParam();
  clickButton(c.id);  // every prompt is cancelled
  EXPECT_EQ(prompts_.openPrompts.size(), c.openPrompts);
  ASSERT_EQ(prompts_.savePrompts.size(), c.savePrompts);
  if (c.savePrompts) {
    EXPECT_EQ(prompts_.savePrompts[0].caption, c.saveCaption);
  }
  EXPECT_EQ(window().isVisible(), c.windowStaysOpen);
  EXPECT_TRUE(prompts_.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ButtonCommandTest,
    ::testing::Values(ButtonCase{"Open", kOpenButton, 1, 0, "", true},
                      ButtonCase{"Save", kSaveButton, 0, 1, "Save Project", true},
                      ButtonCase{"UpdateParams", kUpdateParamsButton, 0, 0, "", true},
                      ButtonCase{"SaveGcode", kSaveGcodeButton, 0, 1, "Save GCODE", true},
                      ButtonCase{"Exit", kExitButton, 0, 0, "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandsTest, UpdateParamsRecomputesAndRedraws) {
  panel().setText(kMainDiameterField, "50");
  panel().setText(kCutSegmentsField, "120");
  MemoryPanel expectedPanel;
  expectedPanel.setText(kMainDiameterField, "50");
  expectedPanel.setText(kCutSegmentsField, "120");
  Workspace expected;
  ASSERT_TRUE(RebuildScene(expectedPanel, expected).empty());
  ASSERT_NE(expected.scene, workspace_.scene);

  QSignalSpy frames(&view(), &QOpenGLWidget::frameSwapped);
  clickButton(kUpdateParamsButton);
  EXPECT_TRUE(frames.wait(5000));
  EXPECT_EQ(workspace_.scene, expected.scene);
  EXPECT_EQ(panel().text(kXLengthField), expectedPanel.text(kXLengthField));
  EXPECT_EQ(panel().text(kYLengthField), expectedPanel.text(kYLengthField));
  EXPECT_EQ(panel().text(kYLengthField), "157.080");
}

TEST_F(CommandsTest, InvalidJobIsExplainedAndThePreviousJobStays) {
  const DrawList before = workspace_.scene;
  const std::string xLength = panel().text(kXLengthField);
  const QImage pictureBefore = view().grabFramebuffer();
  panel().setText(kCutSegmentsField, "0");
  panel().setText(kMainDiameterField, "-5");
  clickButton(kUpdateParamsButton);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].icon, MessageIcon::Warning);
  EXPECT_NE(prompts_.messages[0].text.find("CUT SEGMENTS"), std::string::npos);
  EXPECT_NE(prompts_.messages[0].text.find("DIAMETER"), std::string::npos);
  EXPECT_EQ(workspace_.scene, before);
  EXPECT_EQ(panel().text(kXLengthField), xLength);
  EXPECT_EQ(view().grabFramebuffer(), pictureBefore);
}

TEST_F(CommandsTest, SaveGcodeRightAfterAnEditWritesThePreviousJob) {
  panel().setText(kMainDiameterField, "50");
  prompts_.saveAnswer = file("part.ngc");
  clickButton(kSaveGcodeButton);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, "G CODE SAVED OK");

  const std::string written = ReadBytes(file("part.ngc"));
  EXPECT_EQ(written, ProgramFor(MemoryPanel(), file("defaults.ngc")));
  MemoryPanel edited;
  edited.setText(kMainDiameterField, "50");
  EXPECT_NE(written, ProgramFor(edited, file("edited.ngc")));
}

TEST_F(CommandsTest, SaveGcodeWritesEachShopOutputOfTheShownJob) {
  const struct {
    std::size_t type;
    const char* name;
    const char* start;
    const char* notice;
  } cases[] = {{3, "part.pdf", "%PDF-1.4", "TEMPLATE SAVED OK"},  // after the 3 machines
               {7, "part.svg", "<?xml", "TEMPLATE SAVED OK"},
               {8, "part.dxf", "0\r\nSECTION", "DXF SAVED OK"}};
  for (const auto& c : cases) {
    prompts_.messages.clear();
    prompts_.saveAnswer = file(c.name);
    prompts_.saveTypeAnswer = c.type;
    clickButton(kSaveGcodeButton);
    ASSERT_EQ(prompts_.messages.size(), 1u) << c.name;
    EXPECT_EQ(prompts_.messages[0].text, c.notice);
    const std::string written = ReadBytes(file(c.name));
    EXPECT_EQ(written.rfind(c.start, 0), 0u) << c.name;
    EXPECT_NE(written.find("40.000"), std::string::npos) << c.name;  // the shown tube
  }
}

TEST_F(CommandsTest, SavedProjectReopensIntoTheSameFields) {
  panel().setText(kLeftAngleField, "30");
  panel().setText(kRightDistanceField, "140");
  panel().setCheckState(kLeftCutOvalBox, 1);
  panel().setCheckState(kRightMode3dBox, 1);
  prompts_.saveAnswer = file("frame.kvx");
  clickButton(kSaveButton);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, "PROJECT SAVED OK");
  EXPECT_EQ(window().windowTitle(), QString::fromStdString("KVX - " + file("frame.kvx")));

  panel().setText(kLeftAngleField, "45");
  panel().setText(kRightDistanceField, "100");
  panel().setCheckState(kLeftCutOvalBox, 0);
  panel().setCheckState(kRightMode3dBox, 0);
  const DrawList before = workspace_.scene;
  prompts_.openAnswer = file("frame.kvx");
  QSignalSpy frames(&view(), &QOpenGLWidget::frameSwapped);
  clickButton(kOpenButton);
  EXPECT_EQ(panel().text(kLeftAngleField), "30");
  EXPECT_EQ(panel().text(kRightDistanceField), "140");
  EXPECT_EQ(panel().checkState(kLeftCutOvalBox), 1);
  EXPECT_EQ(panel().checkState(kRightMode3dBox), 1);
  EXPECT_NE(workspace_.scene, before);
  EXPECT_TRUE(frames.wait(5000));
}

// The desktop program and the converter write the same bytes for the same project and path.
class SampleProjectTest : public CommandsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SampleProjectTest, GcodeMatchesTheConverter) {
  const std::string project = std::string(KORVEX_SOURCE_DIR "/Projects/") + GetParam();
  prompts_.openAnswer = project;
  clickButton(kOpenButton);
  ASSERT_TRUE(prompts_.messages.empty());
  prompts_.saveAnswer = file("window.ngc");
  clickButton(kSaveGcodeButton);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  ASSERT_EQ(prompts_.messages[0].text, "G CODE SAVED OK");

  QProcess converter;
  converter.start(KORVEX_CLI,
                  {QString::fromStdString(project), QString::fromStdString(file("cli.ngc"))});
  ASSERT_TRUE(converter.waitForFinished(20000));
  ASSERT_EQ(converter.exitCode(), 0) << converter.readAllStandardError().toStdString();
  const std::string written = ReadBytes(file("window.ngc"));
  EXPECT_GT(written.size(), 1000u);
  EXPECT_EQ(written, ReadBytes(file("cli.ngc")));
  EXPECT_EQ(converter.readAllStandardOutput().toStdString(),
            "X LENGTH " + panel().text(kXLengthField) + "\nY LENGTH " +
                panel().text(kYLengthField) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Projects, SampleProjectTest,
                         ::testing::Values("default.kvx", "bevel-3d.kvx", "tube-joint.kvx",
                                           "tee-header.kvxp", "lateral-header.kvxp"));

TEST_F(CommandsTest, TickingAndTypingTriggerNothing) {
  const DrawList before = workspace_.scene;
  QTest::mouseClick(panel().control(kDisplayGridBox), Qt::LeftButton);
  QTest::mouseClick(panel().control(kLeftCutOvalBox), Qt::LeftButton);
  QTest::keyClicks(panel().control(kThicknessField), "2");
  EXPECT_EQ(panel().checkState(kDisplayGridBox), 1);
  EXPECT_EQ(panel().text(kThicknessField), "42");
  EXPECT_EQ(workspace_.scene, before);
  EXPECT_TRUE(prompts_.messages.empty());
}

}  // namespace
}  // namespace korvex
