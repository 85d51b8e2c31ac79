#pragma once

#include <QString>
#include <memory>

#include "app/prompts.h"

class QSettings;

namespace korvex {

// File prompts and message boxes as Qt dialogs. Boxes have no owner window, like the
// program's notices always had; every dialog is modal.
// The file types a prompt is told to remember are kept in the user's settings: by default
// korvex/korvex in the system's settings store, or the INI file settingsFile.
class QtPrompts : public Prompts {
 public:
  explicit QtPrompts(const QString& settingsFile = QString());
  ~QtPrompts() override;

  std::optional<std::string> promptOpenPath(const FilePrompt& prompt) override;
  std::optional<std::string> promptSavePath(const FilePrompt& prompt) override;
  std::optional<SaveChoice> promptSaveChoice(const FilePrompt& prompt) override;
  void showMessage(const std::string& title, const std::string& text, MessageIcon icon) override;
  bool askOkCancel(const std::string& title, const std::string& text) override;

 private:
  std::unique_ptr<QSettings> settings_;
};

// The object names the dialogs carry, so that a test can find and answer them.
inline constexpr const char* kFilePromptName = "korvexFilePrompt";
inline constexpr const char* kMessageBoxName = "korvexMessageBox";

}  // namespace korvex
