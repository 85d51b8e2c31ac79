#pragma once

#include <string>

namespace korvex {

class Prompts;

// The operator's notices, all with the title "KORVEX".
void ShowNotice(Prompts& prompts, const std::string& text);   // an outcome, information icon
void ShowWarning(Prompts& prompts, const std::string& text);  // input that was refused
void ShowFailure(Prompts& prompts, const std::string& text);  // a command that failed

// "NOTHING SAVED".
void ShowNothingSaved(Prompts& prompts);

// True when nothing stands at path, or the operator agrees to replace it.
bool MayReplace(Prompts& prompts, const std::string& path);

}  // namespace korvex
