#pragma once

#include <cstddef>
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

// A save prompt's answer: the path and which entry of the prompt's filter was chosen, 0 for the
// first.
struct SaveAnswer {
  std::string path;
  std::size_t fileType = 0;
};

enum class MessageIcon { None, Information, Warning, Error };

// The operator's side of a command: file prompts and message boxes. Every box is modal.
class Prompts {
 public:
  virtual ~Prompts() = default;

  // The chosen path, or nothing when the operator cancelled.
  virtual std::optional<std::string> promptOpenPath(const FilePrompt& prompt) = 0;
  virtual std::optional<std::string> promptSavePath(const FilePrompt& prompt) = 0;

  // A save prompt that offers several file types: the path with the chosen type. Prompts that
  // cannot tell the types apart answer with the first.
  virtual std::optional<SaveAnswer> promptSaveFile(const FilePrompt& prompt) {
    std::optional<std::string> path = promptSavePath(prompt);
    if (!path) return std::nullopt;
    return SaveAnswer{*path, 0};
  }

  // A box with a single OK button.
  virtual void showMessage(const std::string& title, const std::string& text, MessageIcon icon) = 0;

  // A box with OK and Cancel, Cancel being the default; true when the operator chose OK.
  virtual bool askOkCancel(const std::string& title, const std::string& text) = 0;
};

}  // namespace korvex
