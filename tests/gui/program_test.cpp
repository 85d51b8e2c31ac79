// The real program, started as a user starts it and ended through its window.
#include <gtest/gtest.h>
#include <sys/prctl.h>

#include <QCoreApplication>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <optional>
#include <string>

#include "x_session.h"

namespace korvex {
namespace {

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display_.connected()) << "needs an X display (xvfb-run)";
    // The installed program can stand in for the one built here.
    const QString installed = qEnvironmentVariable("KORVEX_PROGRAM_UNDER_TEST");
    program_.setProgram(installed.isEmpty() ? QStringLiteral(KORVEX_PROGRAM) : installed);
    program_.setWorkingDirectory(home_.path());
    program_.setProcessChannelMode(QProcess::ForwardedChannels);
    // A test that is stopped takes its program with it, so no stray window misleads the next.
    program_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
  }
  void start(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcessEnvironment env = environment;
    env.insert("HOME", home_.path());  // no ~/KORVEX here
    program_.setProcessEnvironment(env);
    program_.start();
    ASSERT_TRUE(program_.waitForStarted(10000));
  }
  int exitStatus() {
    EXPECT_TRUE(program_.waitForFinished(15000));
    EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit);
    return program_.exitCode();
  }
  void TearDown() override {
    if (program_.state() != QProcess::NotRunning) {
      program_.kill();
      program_.waitForFinished(5000);
    }
  }

  XSession display_;
  QTemporaryDir home_;
  QProcess program_;
};

TEST_F(ProgramTest, CloseBoxEndsWithStatusZero) {
  start();
  const auto window = display_.waitForWindow("KORVEX 2014");
  ASSERT_TRUE(window.has_value());
  display_.requestClose(*window);
  EXPECT_EQ(exitStatus(), 0);
}

TEST_F(ProgramTest, ExitButtonEndsWithStatusZero) {
  start();
  const auto window = display_.waitForWindow("KORVEX 2014");
  ASSERT_TRUE(window.has_value());
  // A point of EXIT's plain face, left of its icon and below its caption: once it shows the
  // face colour the button is drawn and takes clicks.
  const QPoint face(940 + 10, 30 + 50);
  ASSERT_TRUE(display_.waitForColour(*window, face.x(), face.y(), 0xDCDCC8));  // RGB(220,220,200)
  display_.click(*window, face.x(), face.y());
  EXPECT_EQ(exitStatus(), 0);
}

TEST_F(ProgramTest, AProjectOnTheCommandLineIsOpenedAndNamedInTheTitle) {
  const QString project = home_.filePath(QStringLiteral("joint.kvx"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(KORVEX_SOURCE_DIR "/Projects/tube-joint.kvx"), project));
  program_.setArguments({project});
  start();
  // The title names the project once it is open, which may be before or after it is shown.
  const auto window = display_.waitForWindow("KVX - " + project.toStdString());
  ASSERT_TRUE(window.has_value());
  display_.requestClose(*window);
  EXPECT_EQ(exitStatus(), 0);
}

TEST_F(ProgramTest, TheShopWindowOpensItsListAndEndsWithStatusZero) {
  for (const char* file : {"frame.csv", "rail.kvx", "post.kvx", "brace.kvx", "crossbar.kvx",
                           "leg.kvx"}) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(KORVEX_SOURCE_DIR "/docs/frame/") + file,
                            home_.filePath(file)));
  }
  program_.setArguments({"--shop", home_.filePath("frame.csv")});
  start();
  const auto window = display_.waitForWindow("KORVEX Shop - frame.csv");
  ASSERT_TRUE(window.has_value());
  EXPECT_FALSE(display_.findNow("KORVEX 2014").has_value()) << "the shop window alone";
  display_.requestClose(*window);
  EXPECT_EQ(exitStatus(), 0);
}

TEST_F(ProgramTest, OpenGlFailureShowsTheErrorBoxAndEndsNonZero) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_XCB_GL_INTEGRATION", "none");  // no OpenGL on this display
  start(environment);
  const auto box = display_.waitForWindow("Error");
  ASSERT_TRUE(box.has_value());
  EXPECT_FALSE(display_.findNow("KORVEX 2014").has_value()) << "no window without OpenGL";
  display_.requestClose(*box);
  EXPECT_NE(exitStatus(), 0);
}

}  // namespace
}  // namespace korvex

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
