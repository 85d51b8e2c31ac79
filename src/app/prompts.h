#pragma once

#include <optional>
#include <string>

namespace korvex {

// What a file prompt shows. filter is written as "DESCRIPTION|PATTERN|", e.g. "KVX(*.kvx)|*.kvx|".
struct FilePrompt {
  std::string caption;
  std::string proposedPath;
  std::string initialFolder;
  std::string filter;
  std::string defaultExtension;  // added to a typed name without extension; empty for none
};

enum class MessageIcon { None, Information, Warning, Error };

// The operator's side of a command: file prompts and message boxes. Every box is modal.
class Prompts {
 public:
  virtual ~Prompts() = default;

  // The chosen path, or nothing when the operator cancelled.
  virtual std::optional<std::string> promptOpenPath(const FilePrompt& prompt) = 0;
  virtual std::optional<std::string> promptSavePath(const FilePrompt& prompt) = 0;

  // A box with a single OK button.
  virtual void showMessage(const std::string& title, const std::string& text, MessageIcon icon) = 0;

  // A box with OK and Cancel, Cancel being the default; true when the operator chose OK.
  virtual bool askOkCancel(const std::string& title, const std::string& text) = 0;
};

}  // namespace korvex
