// The Qt dialogs behind the prompts, answered by the test while they are open.
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "korvex_window_test.h"
#include "qt/qt_prompts.h"

namespace korvex {
namespace {

class QtPromptsTest : public KorvexWindowTest {
 protected:
  QtPrompts prompts;
  QTemporaryDir folder;
};

TEST_F(QtPromptsTest, SavePromptShowsCaptionFilterFolderAndAddsTheSuffix) {
  QStringList filters;
  QString caption, directory, suffix;
  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    caption = dialog->windowTitle();
    filters = dialog->nameFilters();
    directory = dialog->directory().absolutePath();
    suffix = dialog->defaultSuffix();
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText("frame");
    static_cast<QDialog*>(dialog)->accept();
  });
  const auto path = prompts.promptSavePath(
      {"Save Project", "korvex.kvx", folder.path().toStdString(), "KVX(*.KVX)|*.KVX|", "kvx"});
  EXPECT_EQ(caption, "Save Project");
  EXPECT_EQ(filters, QStringList{"KVX(*.KVX *.kvx)"});
  EXPECT_EQ(directory, folder.path());
  EXPECT_EQ(suffix, "kvx");
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, folder.filePath("frame.kvx").toStdString());
}

TEST_F(QtPromptsTest, SavePromptTellsTheChosenTypeAndGivesItsExtension) {
  QString suffix, proposed;
  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    const QStringList filters = dialog->nameFilters();
    dialog->selectNameFilter(filters[2]);
    emit dialog->filterSelected(filters[2]);
    suffix = dialog->defaultSuffix();
    proposed = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
    static_cast<QDialog*>(dialog)->accept();
  });
  FilePrompt prompt{"Save GCODE", "part.ngc", folder.path().toStdString(), "", ""};
  SetFileTypes(prompt, {{"NGC(*.NGC)", "*.NGC", "ngc"},
                        {"PDF(*.pdf)", "*.pdf", "pdf"},
                        {"DXF(*.dxf)", "*.dxf", "dxf"}});
  const auto answer = prompts.promptSaveChoice(prompt);
  EXPECT_EQ(suffix, "dxf");
  EXPECT_EQ(proposed, "part.dxf");
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->fileType, 2u);
  EXPECT_EQ(answer->path, folder.filePath("part.dxf").toStdString());
}

TEST_F(QtPromptsTest, OpenPromptProposesTheCurrentProject) {
  QFile project(folder.filePath("PART.KVX"));
  ASSERT_TRUE(project.open(QIODevice::WriteOnly));
  project.close();
  QString proposed;
  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    proposed = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
    static_cast<QDialog*>(dialog)->accept();
  });
  const auto path = prompts.promptOpenPath(
      {"Open Project", project.fileName().toStdString(), "/nonexistent", "KVX(*.kvx)|*.kvx|", ""});
  EXPECT_EQ(proposed, "PART.KVX");
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, project.fileName().toStdString());
}

TEST_F(QtPromptsTest, CancelledPromptGivesNothing) {
  WhenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_FALSE(prompts.promptOpenPath({"Open Project", "", "", "KVX(*.kvx)|*.kvx|", ""}));
}

TEST_F(QtPromptsTest, OverwriteQuestionDefaultsToCancel) {
  QString title, text;
  bool cancelIsDefault = false;
  WhenOpen<QMessageBox>([&](QMessageBox* box) {
    title = box->windowTitle();
    text = box->text();
    cancelIsDefault = box->defaultButton() == box->button(QMessageBox::Cancel);
    QTest::keyClick(box, Qt::Key_Return);
  });
  EXPECT_FALSE(prompts.askOkCancel("Critical Warning", "FILE EXIST - DO YOU WANT TO OVERWRITE ?"));
  EXPECT_EQ(title, "Critical Warning");
  EXPECT_EQ(text, "FILE EXIST - DO YOU WANT TO OVERWRITE ?");
  EXPECT_TRUE(cancelIsDefault);

  WhenOpen<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
  EXPECT_TRUE(prompts.askOkCancel("Critical Warning", "FILE EXIST - DO YOU WANT TO OVERWRITE ?"));
}

TEST_F(QtPromptsTest, NoticeHasTitleTextAndInformationIcon) {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool ownerless = false;
  WhenOpen<QMessageBox>([&](QMessageBox* box) {
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    ownerless = box->parentWidget() == nullptr;
    box->accept();
  });
  prompts.showMessage("KORVEX", "G CODE SAVED OK", MessageIcon::Information);
  EXPECT_EQ(title, "KORVEX");
  EXPECT_EQ(text, "G CODE SAVED OK");
  EXPECT_EQ(icon, QMessageBox::Information);
  EXPECT_TRUE(ownerless);
}

}  // namespace
}  // namespace korvex
