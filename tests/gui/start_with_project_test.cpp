// The program started with a project on its command line, as a double-click on a .kvx file
// starts it.
#include <QDir>
#include <QTemporaryDir>
#include <fstream>

#include "app/control_ids.h"
#include "korvex_window_test.h"

namespace korvex {
namespace {

class StartWithProjectTest : public KorvexWindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    std::ofstream(project_, std::ios::binary)
        << "\r\n36\r\n60\r\n3\r\n-150\r\n80\r\n30\r\n10\r\n120\r\n60\r\n-20\r\n0\r\n"
           " 1\r\n 1\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n";
    projectArgument_ = project_;
    KorvexWindowTest::SetUp();
  }

  QTemporaryDir folder_;
  std::string project_ = QDir(folder_.path()).filePath("joint.kvx").toStdString();
};

TEST_F(StartWithProjectTest, OpensItAsOpenWould) {
  EXPECT_EQ(window().windowTitle().toStdString(), "KVX - " + project_);
  EXPECT_EQ(panel().text(kCutSegmentsField), "36");
  EXPECT_EQ(panel().text(kMainDiameterField), "60");
  EXPECT_EQ(panel().checkState(kLeftCutOvalBox), 1);
  EXPECT_EQ(workspace_.job.parameters.cutSegments, 36);
  EXPECT_NE(panel().text(kXLengthField), "240.000");  // the default job's length
  EXPECT_TRUE(prompts_.messages.empty());
}

class StartWithMissingProjectTest : public KorvexWindowTest {
 protected:
  void SetUp() override {
    projectArgument_ = "/nonexistent/job.kvx";
    KorvexWindowTest::SetUp();
  }
};

TEST_F(StartWithMissingProjectTest, SaysSoAndKeepsTheDefaultJob) {
  EXPECT_EQ(window().windowTitle(), "KORVEX 2014");
  EXPECT_EQ(panel().text(kXLengthField), "240.000");
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text.rfind("PROJECT NOT OPENED: ", 0), 0u);
}

}  // namespace
}  // namespace korvex
