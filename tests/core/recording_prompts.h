#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/prompts.h"

namespace korvex {

// Prompts that answer from a script and record what the command showed.
class RecordingPrompts : public Prompts {
 public:
  struct Message {
    std::string title;
    std::string text;
    MessageIcon icon;
  };
  struct Question {
    std::string title;
    std::string text;
  };

  std::optional<std::string> openAnswer;  // nothing: the operator cancels
  std::optional<std::string> saveAnswer;
  std::size_t saveTypeAnswer = 0;  // the file type chosen with saveAnswer
  bool overwriteAnswer = false;

  std::vector<FilePrompt> openPrompts;
  std::vector<FilePrompt> savePrompts;
  std::vector<Message> messages;
  std::vector<Question> questions;

  std::optional<std::string> promptOpenPath(const FilePrompt& prompt) override {
    openPrompts.push_back(prompt);
    return openAnswer;
  }
  std::optional<std::string> promptSavePath(const FilePrompt& prompt) override {
    savePrompts.push_back(prompt);
    return saveAnswer;
  }
  std::optional<SaveChoice> promptSaveChoice(const FilePrompt& prompt) override {
    savePrompts.push_back(prompt);
    if (!saveAnswer) return std::nullopt;
    return SaveChoice{*saveAnswer, saveTypeAnswer};
  }
  void showMessage(const std::string& title, const std::string& text, MessageIcon icon) override {
    messages.push_back({title, text, icon});
  }
  bool askOkCancel(const std::string& title, const std::string& text) override {
    questions.push_back({title, text});
    return overwriteAnswer;
  }
};

}  // namespace korvex
