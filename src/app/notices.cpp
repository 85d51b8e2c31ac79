#include "app/notices.h"

#include "app/prompts.h"
#include "base/file_helpers.h"

namespace korvex {
namespace {

constexpr const char* kTitle = "KORVEX";

}  // namespace

void ShowNotice(Prompts& prompts, const std::string& text) {
  prompts.showMessage(kTitle, text, MessageIcon::Information);
}

void ShowWarning(Prompts& prompts, const std::string& text) {
  prompts.showMessage(kTitle, text, MessageIcon::Warning);
}

void ShowFailure(Prompts& prompts, const std::string& text) {
  prompts.showMessage(kTitle, text, MessageIcon::Error);
}

void ShowNothingSaved(Prompts& prompts) {
  ShowNotice(prompts, "NOTHING SAVED");
}

bool MayReplace(Prompts& prompts, const std::string& path) {
  return !FileExists(path) ||
         prompts.askOkCancel("Critical Warning", "FILE EXIST - DO YOU WANT TO OVERWRITE ?");
}

}  // namespace korvex
