#include "qt/qt_prompts.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
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

// The suffix a typed name gets with each filter entry: the prompt's default extension for the
// first, the extension of its first pattern ("*.pdf") for the others.
QStringList EntrySuffixes(const FilePrompt& prompt) {
  QStringList suffixes;
  std::size_t start = 0;
  for (int field = 0; start < prompt.filter.size(); ++field) {
    const std::size_t end = prompt.filter.find('|', start);
    const std::string part = prompt.filter.substr(start, end - start);
    if (field % 2 == 1) {
      const std::size_t dot = part.find('.');
      suffixes << (suffixes.isEmpty() ? QString::fromLatin1(prompt.defaultExtension)
                   : dot == std::string::npos
                       ? QString()
                       : QString::fromLatin1(part.substr(dot + 1, part.find(';') - dot - 1)));
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return suffixes;
}

// Another file type chosen in the dialog: typed names get its suffix, and the proposed name
// takes its extension.
void FollowFileType(QFileDialog& dialog, const QStringList& suffixes) {
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, suffixes] {
    const auto index = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
    if (index < 0 || index >= suffixes.size() || suffixes[index].isEmpty()) return;
    dialog.setDefaultSuffix(suffixes[index]);
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name == nullptr || name->text().isEmpty()) return;
    const QFileInfo typed(name->text());
    name->setText(typed.completeBaseName() + QLatin1Char('.') + suffixes[index].toLower());
  });
}

std::optional<SaveAnswer> RunFileDialog(const FilePrompt& prompt, QFileDialog::AcceptMode mode) {
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
  const QStringList suffixes = EntrySuffixes(prompt);
  if (suffixes.size() > 1) FollowFileType(dialog, suffixes);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  const auto type = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
  return SaveAnswer{chosen.isEmpty() ? std::string() : ToFileSystem(chosen.front()),
                    type < 0 ? 0 : static_cast<std::size_t>(type)};
}

std::optional<std::string> PathOnly(const std::optional<SaveAnswer>& answer) {
  if (!answer) return std::nullopt;
  return answer->path;
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
  return PathOnly(RunFileDialog(prompt, QFileDialog::AcceptOpen));
}

std::optional<std::string> QtPrompts::promptSavePath(const FilePrompt& prompt) {
  return PathOnly(RunFileDialog(prompt, QFileDialog::AcceptSave));
}

std::optional<SaveAnswer> QtPrompts::promptSaveFile(const FilePrompt& prompt) {
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
