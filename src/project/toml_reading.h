#pragma once

// Reading TOML files key by key: each key of a table has a reader that says why its value is
// refused, and the first refusal is kept with its file and line.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/part_fields.h"

// The file's numbers are read with std::from_chars, never through a stream, and the library's
// own writer is not needed: the part is written below, key by key.
#define TOML_EXCEPTIONS 0
#define TOML_FLOAT_CHARCONV 1
#define TOML_ENABLE_FORMATTERS 0
#include <toml++/impl/preprocessor.h>
// The packaged parser (3.3) asserts, or with NDEBUG assumes, that a table header's key starts
// with a key character, which a file such as "[\n" breaks: the assertion would end the program
// and the assumption is undefined behaviour. Without them the parser reports the mistake as it
// does for any other.
#undef TOML_ASSERT
#undef TOML_ASSERT_ASSUME
#undef TOML_ASSUME
#define TOML_ASSERT(...) static_assert(true)
#define TOML_ASSERT_ASSUME(...) static_assert(true)
#define TOML_ASSUME(...) static_assert(true)
#include <toml++/toml.h>

namespace korvex {

std::string LineText(std::uint32_t line);

// One key of a table and what reads its value; the reader returns why the value is refused.
struct Key {
  const char* name;
  std::function<std::optional<std::string>(const toml::node&)> read;
};

Key Number(const char* name, double& out, FieldRange range = FieldRange::Any);
Key Whole(const char* name, std::int64_t& out, std::int64_t low, std::int64_t high);
Key Flag(const char* name, bool& out);
Key Text(const char* name, std::string& out);

template <typename E>
Key Choice(const char* name, E& out, const std::array<const char*, 2>& words) {
  return {name, [&out, words](const toml::node& node) -> std::optional<std::string> {
            const auto* text = node.as_string();
            for (std::size_t i = 0; text && i < words.size(); ++i) {
              if (text->get() == words[i]) {
                out = static_cast<E>(i);
                return std::nullopt;
              }
            }
            return std::string("must be \"") + words[0] + "\" or \"" + words[1] + "\"";
          }};
}

// Reads a file's tables; the first refusal is kept as "FILE:LINE: reason".
class TomlReader {
 public:
  explicit TomlReader(std::string path) : path_(std::move(path)) {}

  std::optional<std::string> refusal;
  std::string reason;  // the refusal without its place

  void refuse(const toml::source_region& where, const std::string& why);

  // Reads every key of the table; where names it in the messages ("[tube]", or "" at the top).
  void readTable(const toml::table& table, const std::vector<Key>& keys, const std::string& where);

  Key subTable(const char* name, std::vector<Key> keys);

 private:
  std::string path_;
};

// A TOML file's top table, or why it is refused: "FILE:LINE: reason", and the reason alone.
struct TomlFile {
  std::optional<toml::table> table;
  std::string refusal;
  std::string reason;
};

// Parses the bytes of a TOML file; path names it in the refusal. A character beyond ASCII is
// only taken in a double-quoted text or a comment.
TomlFile ParseTomlFile(std::string_view bytes, const std::string& path);

}  // namespace korvex
