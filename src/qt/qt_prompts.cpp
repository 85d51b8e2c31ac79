#include "qt/qt_prompts.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

#include "app/prompt_filter.h"

namespace korvex {
namespace {

QString FromFileSystem(const std::string& text) {
  return QFile::decodeName(QByteArray::fromStdString(text));
}

std::string ToFileSystem(const QString& text) {
  return QFile::encodeName(text).toStdString();
}

QStringList DialogFilters(const std::string& filter) {
  QStringList filters;
  for (const std::string& entry : NameFilters(filter))
    filters << QString::fromLatin1(entry);
  return filters;
}

// A proposed name with a folder opens the dialog there; a bare name opens the initial folder.
void Propose(QFileDialog& dialog, const FilePrompt& prompt) {
  const QString proposed = FromFileSystem(prompt.proposedPath);
  const QFileInfo proposedFile(proposed);
  if (proposed.contains(QLatin1Char('/')) || proposed.contains(QLatin1Char('\\'))) {
    dialog.setDirectory(proposedFile.absolutePath());
  } else if (!prompt.initialFolder.empty()) {
    dialog.setDirectory(FromFileSystem(prompt.initialFolder));
  }
  if (!proposedFile.fileName().isEmpty()) dialog.selectFile(proposedFile.fileName());
}

std::optional<std::string> RunFileDialog(const FilePrompt& prompt, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(nullptr, QString::fromLatin1(prompt.caption));
  dialog.setObjectName(kFilePromptName);
  // The same dialog everywhere: the default suffix and the filters behave alike on every
  // desktop, and the commands ask about overwriting themselves.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setNameFilters(DialogFilters(prompt.filter));
  if (!prompt.defaultExtension.empty()) {
    dialog.setDefaultSuffix(QString::fromLatin1(prompt.defaultExtension));
  }
  Propose(dialog, prompt);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  return chosen.isEmpty() ? std::string() : ToFileSystem(chosen.front());
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

std::optional<std::string> QtPrompts::promptOpenPath(const FilePrompt& prompt) {
  return RunFileDialog(prompt, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtPrompts::promptSavePath(const FilePrompt& prompt) {
  return RunFileDialog(prompt, QFileDialog::AcceptSave);
}

void QtPrompts::showMessage(const std::string& title, const std::string& text, MessageIcon icon) {
  QMessageBox box(BoxIcon(icon), FromFileSystem(title), FromFileSystem(text), QMessageBox::Ok);
  box.setObjectName(kMessageBoxName);
  box.exec();
}

bool QtPrompts::askOkCancel(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, FromFileSystem(title), FromFileSystem(text),
                  QMessageBox::Ok | QMessageBox::Cancel);
  box.setObjectName(kMessageBoxName);
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

}  // namespace korvex
