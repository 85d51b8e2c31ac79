#pragma once

#include <string>
#include <string_view>

namespace korvex {

// A number in its shortest form that reads back to the same value, appended to a TOML text.
void AppendNumberValue(std::string& text, double value);

// A TOML basic string: quotes, backslashes and control characters escaped.
void AppendString(std::string& text, std::string_view value);

}  // namespace korvex
