#include "project/toml_text.h"

#include <gtest/gtest.h>

#include <string>

namespace korvex {
namespace {

std::string Times(const std::string& text, int count) {
  std::string out;
  for (int i = 0; i < count; ++i)
    out += text;
  return out;
}

struct NestingCase {
  const char* name;
  std::string text;
  int refusedOnLine;  // 0: passed on to the parser unchanged
};

class TomlNesting : public testing::TestWithParam<NestingCase> {};

// Headers, dotted keys, arrays and inline tables all count, 32 levels together are enough and
// 33 too many; brackets in strings and comments are text.
TEST_P(TomlNesting, RefusesTheLineThatGoesDeeperThan32) {
  const NestingCase& c = GetParam();
  const TomlText prepared = PrepareTomlText(c.text);
  if (c.refusedOnLine == 0) {
    EXPECT_EQ(prepared.refusal, "");
    EXPECT_EQ(prepared.text, c.text);
    return;
  }
  EXPECT_EQ(prepared.refusal, "tables, keys, arrays and inline tables nested more than 32 deep");
  EXPECT_EQ(prepared.line, static_cast<std::uint32_t>(c.refusedOnLine));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TomlNesting,
    testing::Values(
        NestingCase{"header_31_and_key", "[" + Times("a.", 30) + "a]\nk = 1\n", 0},
        NestingCase{"array_header_33", "x = 1\n[[" + Times("a.", 32) + "a]]\n", 2},
        NestingCase{"dotted_key_32_with_dots_in_quotes", "\"a.b.c\"" + Times(" . a", 31) + " = 1\n",
                    0},
        NestingCase{"dotted_key_33", Times("a.", 32) + "a = 1\n", 1},
        // Under a header of 2 keys, a key of 30 parts reaches 32, one of 31 parts 33.
        NestingCase{"header_and_key_32", "[a.b]\n" + Times("k.", 29) + "k = 1\n", 0},
        NestingCase{"header_and_key_33", "[a.b]\nx = 1\n" + Times("k.", 30) + "k = 1\n", 3},
        // x is 1; each array one more.
        NestingCase{"arrays_32", "x = " + Times("[", 31) + Times("]", 31) + "\n", 0},
        NestingCase{"arrays_33", "x = [\n" + Times("[", 31) + Times("]", 32) + "\n", 2},
        // Each inline table is one level and its key a, one more: the 16th key reaches 33.
        NestingCase{"inline_tables_32", "x = " + Times("{a = ", 15) + "{}" + Times("}", 15) + "\n",
                    0},
        NestingCase{"inline_tables_33", "x = " + Times("{a = ", 16) + "1" + Times("}", 16) + "\n",
                    1},
        // Closed brackets, commas and new statements start again where they were.
        NestingCase{"siblings_and_statements",
                    "x = [" + Times("{a.b = [[1], [2]]}, ", 500) + "]\n" + "y = " + Times("[", 31) +
                        Times("]", 31) + "\n[t]\nz = " + Times("[", 30) + Times("]", 30) + "\n",
                    0},
        NestingCase{"brackets_in_strings_and_comments",
                    "x = \"" + Times("[{", 40) + "\" # " + Times("[{", 40) + "\ny = '''\n" +
                        Times("[a.", 40) + "'''\n",
                    0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvex
