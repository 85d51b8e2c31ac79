// SAVE G CODE offers the machine profiles as file types of its prompt and keeps the choice.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/control_ids.h"
#include "app/save_gcode_command.h"
#include "gcode/machine_program.h"
#include "korvex_window_test.h"
#include "qt/qt_prompts.h"

namespace korvex {
namespace {

std::string ReadBytes(const QString& path) {
  std::ifstream file(path.toStdString(), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// The real prompts on the window's job, with the user's configuration in a folder of the test.
class SaveGcodeTypeTest : public KorvexWindowTest {
 protected:
  void SetUp() override {
    KorvexWindowTest::SetUp();
    savedConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", folder_.filePath("config").toLocal8Bit());
  }
  void TearDown() override {
    qputenv("XDG_CONFIG_HOME", savedConfigHome_);
    KorvexWindowTest::TearDown();
  }

  // Runs SAVE G CODE through the prompts; answer sees the dialog as it opens and answers it.
  CommandOutcome Save(QtPrompts& prompts, std::function<void(QFileDialog*)> answer) {
    WhenOpen<QFileDialog>(answer);
    return SaveGcodeCommand(prompts, workspace_);
  }

  QTemporaryDir folder_;
  QByteArray savedConfigHome_;
};

TEST_F(SaveGcodeTypeTest, ChosenTypeWritesItsProgramAndIsKeptForTheNextSave) {
  panel().setText(kAngleLetterField, "B");  // the rotary profile turns the tube on A
  clickButton(kUpdateParamsButton);
  const QString settings = folder_.filePath("korvex.conf");
  const QString path = folder_.filePath("part.ngc");

  QStringList types;
  QString typeAtOpen;
  QString messageText;
  {
    QtPrompts prompts(settings);
    const CommandOutcome outcome = Save(prompts, [&](QFileDialog* dialog) {
      types = dialog->nameFilters();
      typeAtOpen = dialog->selectedNameFilter();
      auto* typeBox = dialog->findChild<QComboBox*>("fileTypeCombo");
      if (!typeBox) {
        ADD_FAILURE() << "the prompt shows no file types";
        dialog->reject();
        return;
      }
      QTest::keyClick(typeBox, Qt::Key_Down);  // the operator picks the next type
      dialog->findChild<QLineEdit*>("fileNameEdit")
          ->setText(folder_.filePath("part"));  // the type's extension
      WhenOpen<QMessageBox>([&](QMessageBox* box) {
        messageText = box->text();
        box->accept();
      });
      static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(outcome, CommandOutcome::Done);
  }
  // The machines first, each pattern listed once; the templates and the pattern follow.
  EXPECT_EQ(types.mid(0, 4),
            (QStringList{"NGC(*.NGC *.ngc)", "G-code, rotary A in degrees (*.ngc *.NGC)",
                         "G-code, plasma controller (*.ngc *.NGC)",
                         "Template PDF, A4 portrait(*.pdf *.PDF)"}));
  EXPECT_EQ(typeAtOpen, types.value(0)) << "the described program is the first choice";
  EXPECT_EQ(messageText, "G CODE SAVED OK");
  const std::string program = ReadBytes(path);
  EXPECT_EQ(program, FormatMachineProgram(workspace_.job, ProgramHeaderFor(workspace_),
                                          *FindBuiltInProfile("rotary-degrees")));
  EXPECT_NE(program.find("\r\nG93 (inverse time feed)\r\n"), std::string::npos);

  // Another start of the program: the prompt opens on the type chosen last.
  QtPrompts later(settings);
  QString typeNextTime;
  EXPECT_EQ(Save(later,
                 [&](QFileDialog* dialog) {
                   typeNextTime = dialog->selectedNameFilter();
                   dialog->reject();
                 }),
            CommandOutcome::Cancelled);
  EXPECT_EQ(typeNextTime, "G-code, rotary A in degrees (*.ngc *.NGC)");
}

TEST_F(SaveGcodeTypeTest, UsersProfilesAreOfferedAfterTheBuiltIns) {
  QDir().mkpath(folder_.filePath("config/korvex/machines"));
  QFile profile(folder_.filePath("config/korvex/machines/shop.machine"));
  ASSERT_TRUE(profile.open(QIODevice::WriteOnly));
  profile.write("title = shop plasma\ntorch-on = M3 $0 S1\npierce-delay = 0\n");
  profile.close();
  QtPrompts prompts(folder_.filePath("korvex.conf"));
  QStringList types;
  Save(prompts, [&](QFileDialog* dialog) {
    types = dialog->nameFilters();
    dialog->reject();
  });
  EXPECT_EQ(types.value(3), "G-code, shop plasma (*.ngc *.NGC)");
}

}  // namespace
}  // namespace korvex
