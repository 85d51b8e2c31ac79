#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace korvex {

// What a file prompt shows. filter is written as "DESCRIPTION|PATTERN|", e.g. "KVX(*.kvx)|*.kvx|".
struct FilePrompt {
  std::string caption;
  std::string proposedPath;
  std::string initialFolder;
  std::string filter;
  std::string defaultExtension;  // added to a typed name without extension; empty for none
  // The filter entry selected when the prompt opens, and per entry the extension added when it
  // is the chosen one (defaultExtension for entries beyond the list).
  std::size_t selectedType = 0;
  std::vector<std::string> typeExtensions{};
  // The name under which the user's last chosen entry is kept and selected the next time; empty
  // when the choice is not kept.
  std::string rememberTypeAs{};
};

// One file type a save prompt offers.
struct FileType {
  std::string label;      // "NGC(*.NGC)"
  std::string pattern;    // "*.NGC"
  std::string extension;  // added to a typed name without extension when this type is chosen
};

// The prompt's filter, default extension and per-type extensions for types, the first selected.
void SetFileTypes(FilePrompt& prompt, const std::vector<FileType>& types);

// The chosen path and the filter entry it was chosen under.
struct SaveChoice {
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
  // The chosen path with its file type, or nothing when the operator cancelled.
  virtual std::optional<SaveChoice> promptSaveChoice(const FilePrompt& prompt) = 0;

  // A box with a single OK button.
  virtual void showMessage(const std::string& title, const std::string& text, MessageIcon icon) = 0;

  // A box with OK and Cancel, Cancel being the default; true when the operator chose OK.
  virtual bool askOkCancel(const std::string& title, const std::string& text) = 0;
};

}  // namespace korvex
