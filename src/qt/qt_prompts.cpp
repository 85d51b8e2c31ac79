#include "qt/qt_prompts.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
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

// The description of each filter entry, the part before its patterns: what a remembered choice
// is kept as, so that it survives entries added before it.
QStringList TypeLabels(const std::string& filter) {
  QStringList labels;
  const QStringList parts = QString::fromLatin1(filter).split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    labels << parts[i];
  return labels;
}

QString TypeExtension(const FilePrompt& prompt, qsizetype type) {
  const auto index = static_cast<std::size_t>(type);
  return QString::fromLatin1(index < prompt.typeExtensions.size() ? prompt.typeExtensions[index]
                                                                  : prompt.defaultExtension);
}

// Another file type chosen in the dialog: the name typed or proposed takes its extension.
void GiveTypedNameTheExtension(QFileDialog& dialog, const QString& extension) {
  auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (extension.isEmpty() || name == nullptr || name->text().isEmpty()) return;
  name->setText(QFileInfo(name->text()).completeBaseName() + QLatin1Char('.') +
                extension.toLower());
}

std::optional<SaveChoice> RunFileDialog(const FilePrompt& prompt, QFileDialog::AcceptMode mode,
                                        QSettings& settings) {
  QFileDialog dialog(nullptr, QString::fromLatin1(prompt.caption));
  dialog.setObjectName(kFilePromptName);
  // The same dialog everywhere: the default suffix and the filters behave alike on every
  // desktop, and the commands ask about overwriting themselves.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  const QStringList filters = DialogFilters(prompt.filter);
  const QStringList labels = TypeLabels(prompt.filter);
  dialog.setNameFilters(filters);
  const QString settingsKey = QString::fromLatin1(prompt.rememberTypeAs);
  qsizetype type = static_cast<qsizetype>(prompt.selectedType);
  if (!settingsKey.isEmpty() && labels.contains(settings.value(settingsKey).toString())) {
    type = labels.indexOf(settings.value(settingsKey).toString());
  }
  if (type < filters.size()) dialog.selectNameFilter(filters[type]);
  // Each type adds its own extension to a typed name.
  auto useSuffixOf = [&dialog, &prompt](qsizetype chosen) {
    const QString suffix = TypeExtension(prompt, chosen);
    if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
  };
  useSuffixOf(type);
  QObject::connect(&dialog, &QFileDialog::filterSelected, [&](const QString& filter) {
    const qsizetype chosen = filters.indexOf(filter);
    useSuffixOf(chosen);
    GiveTypedNameTheExtension(dialog, TypeExtension(prompt, chosen));
  });
  Propose(dialog, prompt);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  SaveChoice choice{chosen.isEmpty() ? std::string() : ToFileSystem(chosen.front()), 0};
  const qsizetype chosenType = filters.indexOf(dialog.selectedNameFilter());
  if (chosenType >= 0) {
    choice.fileType = static_cast<std::size_t>(chosenType);
    if (!settingsKey.isEmpty()) settings.setValue(settingsKey, labels[chosenType]);
  }
  return choice;
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

QtPrompts::QtPrompts(const QString& settingsFile)
    : settings_(
          settingsFile.isEmpty()
              ? std::make_unique<QSettings>(QStringLiteral("korvex"), QStringLiteral("korvex"))
              : std::make_unique<QSettings>(settingsFile, QSettings::IniFormat)) {}

QtPrompts::~QtPrompts() = default;

std::optional<std::string> QtPrompts::promptOpenPath(const FilePrompt& prompt) {
  const auto choice = RunFileDialog(prompt, QFileDialog::AcceptOpen, *settings_);
  return choice ? std::optional(choice->path) : std::nullopt;
}

std::optional<std::string> QtPrompts::promptSavePath(const FilePrompt& prompt) {
  const auto choice = promptSaveChoice(prompt);
  return choice ? std::optional(choice->path) : std::nullopt;
}

std::optional<SaveChoice> QtPrompts::promptSaveChoice(const FilePrompt& prompt) {
  return RunFileDialog(prompt, QFileDialog::AcceptSave, *settings_);
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
