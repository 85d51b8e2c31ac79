#include "qt/shop_questions.h"

#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace korvex {
namespace {

// Asks with the buttons given, the first the default; Escape answers Cancel.
Answer Ask(QWidget* parent, const QString& text,
           const std::vector<std::pair<QString, Answer>>& buttons) {
  QMessageBox box(QMessageBox::Question, QObject::tr("KORVEX Shop"), text, QMessageBox::NoButton,
                  parent);
  std::vector<std::pair<QAbstractButton*, Answer>> made;
  for (const auto& [caption, answer] : buttons) {
    const auto role = answer == Answer::Cancel ? QMessageBox::RejectRole
                      : answer == Answer::Discard ? QMessageBox::DestructiveRole
                                                  : QMessageBox::AcceptRole;
    QPushButton* button = box.addButton(caption, role);
    if (made.empty()) box.setDefaultButton(button);
    if (answer == Answer::Cancel) box.setEscapeButton(button);
    made.emplace_back(button, answer);
  }
  box.exec();
  for (const auto& [button, answer] : made) {
    if (box.clickedButton() == button) return answer;
  }
  return Answer::Cancel;
}

}  // namespace

Answer AskToSave(QWidget* parent, const QString& what) {
  return Ask(parent, QObject::tr("%1 has changed. Save it?").arg(what),
             {{QObject::tr("Save"), Answer::Save},
              {QObject::tr("Discard"), Answer::Discard},
              {QObject::tr("Cancel"), Answer::Cancel}});
}

Answer AskAboutUnsavedPart(QWidget* parent, const QString& part, const QString& doing) {
  return Ask(parent,
             QObject::tr("The part %1 has unsaved changes. Save them before %2, or use them "
                         "unsaved?")
                 .arg(part, doing),
             {{QObject::tr("Save"), Answer::Save},
              {QObject::tr("Use Unsaved"), Answer::UseUnsaved},
              {QObject::tr("Cancel"), Answer::Cancel}});
}

Answer AskToReplace(QWidget* parent, const QString& question) {
  return Ask(parent, question,
             {{QObject::tr("Save As..."), Answer::SaveAs},
              {QObject::tr("Replace"), Answer::Replace},
              {QObject::tr("Cancel"), Answer::Cancel}});
}

Answer AskToReplaceFiles(QWidget* parent, const QString& question) {
  return Ask(parent, question,
             {{QObject::tr("Cancel"), Answer::Cancel}, {QObject::tr("Replace"), Answer::Replace}});
}

}  // namespace korvex
