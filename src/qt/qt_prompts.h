#pragma once

#include "app/prompts.h"

namespace korvex {

// File prompts and message boxes as Qt dialogs. Boxes have no owner window, like the
// program's notices always had; every dialog is modal.
class QtPrompts : public Prompts {
 public:
  std::optional<std::string> promptOpenPath(const FilePrompt& prompt) override;
  std::optional<std::string> promptSavePath(const FilePrompt& prompt) override;
  std::optional<SaveAnswer> promptSaveFile(const FilePrompt& prompt) override;
  void showMessage(const std::string& title, const std::string& text, MessageIcon icon) override;
  bool askOkCancel(const std::string& title, const std::string& text) override;
};

// The object names the dialogs carry, so that a test can find and answer them.
inline constexpr const char* kFilePromptName = "korvexFilePrompt";
inline constexpr const char* kMessageBoxName = "korvexMessageBox";

}  // namespace korvex
