#include "project/toml_reading.h"

#include <charconv>

namespace korvex {
namespace {

std::optional<std::string> ReadNumber(const toml::node& node, double& out, FieldRange range) {
  double value = 0;
  if (const auto* integer = node.as_integer()) {
    value = static_cast<double>(integer->get());
  } else if (const auto* number = node.as_floating_point()) {
    value = number->get();
  } else {
    return std::string("must be a number");
  }
  if (auto problem = RangeProblem(value, range)) return problem;
  out = value;
  return std::nullopt;
}

// The file as the parser is given it: pure ASCII, with the same lines and values. The packaged
// parser (3.3) asks whether a character beyond ASCII is blank through a table that misses most
// of U+00A1..U+049A, which is undefined behaviour, wherever it meets one, even in an error's
// path. So each character beyond ASCII in a double-quoted string becomes its \U escape, one in
// a comment a blank, and one anywhere else refuses the file. Strings and comments are found as
// TOML finds them.
struct AsciiToml {
  std::string text;
  std::uint32_t line = 1;  // where the refusal is
  std::string refusal;
};

// The code point of the UTF-8 sequence at text[i], moving i past it; nothing when it is not
// UTF-8.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || i + length > text.size()) return std::nullopt;
  char32_t code = lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (next & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return std::nullopt;
  }
  i += length;
  return code;
}

AsciiToml ToAsciiToml(std::string_view text) {
  AsciiToml out;
  std::size_t i = 0;
  auto at = [&](std::string_view token) { return text.substr(i, token.size()) == token; };
  auto refuse = [&](const char* reason) {
    out.refusal = reason;
    return false;
  };
  // Copies the byte at i, or for a character beyond ASCII what stands for it.
  auto copy = [&](bool escape, bool blank) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) < 0x80) {
      if (c == '\n') ++out.line;
      out.text += c;
      ++i;
      return true;
    }
    if (!escape && !blank) return refuse("a character beyond ASCII outside double quotes");
    const std::optional<char32_t> code = DecodeUtf8(text, i);
    if (!code) return refuse("bytes that are not UTF-8");
    if (blank) {
      out.text += ' ';
    } else {
      char hex[9];
      const auto [end, error] = std::to_chars(hex, hex + 8, static_cast<std::uint32_t>(*code), 16);
      out.text +=
          "\\U" + std::string(8 - static_cast<std::size_t>(end - hex), '0') + std::string(hex, end);
    }
    return true;
  };
  // Copies the string that starts at i up to its closing quote.
  auto string = [&](std::string_view quote, bool escapes, bool multiLine) {
    out.text += quote;
    i += quote.size();
    while (i < text.size()) {
      if (escapes && text[i] == '\\' && i + 1 < text.size() &&
          static_cast<unsigned char>(text[i + 1]) < 0x80) {
        out.text += '\\';
        ++i;
        if (!copy(false, false)) return false;
      } else if (at(quote)) {
        out.text += quote;
        i += quote.size();
        return true;
      } else if (text[i] == '\n' && !multiLine) {
        return true;  // the parser stops here with its own reason
      } else if (!copy(escapes, false)) {
        return false;
      }
    }
    return true;
  };
  while (i < text.size()) {
    bool copied = true;
    if (at("\"\"\"")) {
      copied = string("\"\"\"", true, true);
    } else if (at("'''")) {
      copied = string("'''", false, true);
    } else if (text[i] == '"') {
      copied = string("\"", true, false);
    } else if (text[i] == '\'') {
      copied = string("'", false, false);
    } else if (text[i] == '#') {
      while (copied && i < text.size() && text[i] != '\n')
        copied = copy(false, true);
    } else {
      copied = copy(false, false);
    }
    if (!copied) return out;
  }
  return out;
}

}  // namespace

std::string LineText(std::uint32_t line) {
  char digits[16];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, line);
  return std::string(digits, end);
}

Key Number(const char* name, double& out, FieldRange range) {
  return {name, [&out, range](const toml::node& node) { return ReadNumber(node, out, range); }};
}

Key Whole(const char* name, std::int64_t& out, std::int64_t low, std::int64_t high) {
  return {name, [&out, low, high](const toml::node& node) -> std::optional<std::string> {
            const auto* integer = node.as_integer();
            if (!integer) return std::string("must be a whole number");
            if (integer->get() < low || integer->get() > high) {
              return "must be a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high);
            }
            out = integer->get();
            return std::nullopt;
          }};
}

Key Flag(const char* name, bool& out) {
  return {name, [&out](const toml::node& node) -> std::optional<std::string> {
            const auto* flag = node.as_boolean();
            if (!flag) return std::string("must be true or false");
            out = flag->get();
            return std::nullopt;
          }};
}

Key Text(const char* name, std::string& out) {
  return {name, [&out](const toml::node& node) -> std::optional<std::string> {
            const auto* text = node.as_string();
            if (!text) return std::string("must be a text in double quotes");
            out = text->get();
            return std::nullopt;
          }};
}

void TomlReader::refuse(const toml::source_region& where, const std::string& why) {
  if (refusal) return;
  refusal = path_ + ":" + LineText(where.begin.line) + ": " + why;
  reason = why;
}

void TomlReader::readTable(const toml::table& table, const std::vector<Key>& keys,
                           const std::string& where) {
  for (auto&& [key, node] : table) {
    const Key* known = nullptr;
    for (const Key& candidate : keys) {
      if (key.str() == candidate.name) known = &candidate;
    }
    const std::string name = "'" + std::string(key.str()) + "'" + where;
    if (!known) {
      refuse(key.source(), "unknown key " + name);
    } else if (auto reason = known->read(node)) {
      refuse(node.source(), name + " " + *reason);
    }
    if (refusal) return;
  }
}

Key TomlReader::subTable(const char* name, std::vector<Key> keys) {
  return {name, [this, name, keys = std::move(keys)](const toml::node& node) {
            const auto* table = node.as_table();
            if (!table)
              return std::optional<std::string>("must be a table [" + std::string(name) + "]");
            readTable(*table, keys, " in [" + std::string(name) + "]");
            return std::optional<std::string>();
          }};
}

TomlFile ParseTomlFile(std::string_view bytes, const std::string& path) {
  // Every TOML file of the project is read here: a check of the bytes before the parser sees
  // them, such as how deeply they nest arrays and tables, belongs at this point.
  TomlFile file;
  const AsciiToml ascii = ToAsciiToml(bytes);
  if (!ascii.refusal.empty()) {
    file.reason = ascii.refusal;
    file.refusal = path + ":" + LineText(ascii.line) + ": " + file.reason;
    return file;
  }
  toml::parse_result parsed = toml::parse(ascii.text, path);
  if (!parsed) {
    file.reason = parsed.error().description();
    file.refusal = path + ":" + LineText(parsed.error().source().begin.line) + ": " + file.reason;
    return file;
  }
  file.table = std::move(parsed).table();
  return file;
}

}  // namespace korvex
