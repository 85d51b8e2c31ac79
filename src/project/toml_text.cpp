#include "project/toml_text.h"

#include <charconv>
#include <optional>
#include <vector>

namespace korvex {
namespace {

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

// How deep the value being read lies, followed through the bytes outside strings and comments:
// the keys of the last table header, each part of a dotted key, each array and each inline
// table one level. Only the brackets, braces, dots, equals signs, commas and line ends matter;
// what the parser would refuse anyway is passed over.
class NestingDepth {
 public:
  // False when the byte takes the file deeper than kMaxTomlNesting.
  bool take(char c) {
    switch (mode_) {
      case Mode::Header:
        if (c == '.') return ++parts_ <= kMaxTomlNesting;
        if (c == ']') {
          header_ = parts_;
          mode_ = Mode::AfterHeader;
        } else if (c == '\n') {
          startStatement();
        }
        return true;
      case Mode::AfterHeader:
        if (c == '\n') startStatement();
        return true;
      case Mode::Key:
        return key(c);
      case Mode::Value:
        return value(c);
    }
    return true;
  }

 private:
  enum class Mode { Key, Header, AfterHeader, Value };
  struct Open {
    char bracket;
    int depth;  // of the value it stands in
  };

  void startStatement() {
    mode_ = Mode::Key;
    keyStarted_ = false;
    base_ = header_;
    parts_ = 1;
    depth_ = 0;
    open_.clear();
  }

  bool key(char c) {
    if (c == '\n' && open_.empty()) {
      startStatement();
    } else if (c == '[' && open_.empty() && !keyStarted_) {
      mode_ = Mode::Header;  // a second '[' of "[[" changes nothing
      parts_ = 1;
    } else if (c == '.') {
      return base_ + ++parts_ <= kMaxTomlNesting;
    } else if (c == '=') {
      depth_ = base_ + parts_;
      mode_ = Mode::Value;
      return depth_ <= kMaxTomlNesting;
    } else if (c == '}' && !open_.empty()) {
      close();
    } else if (c != ' ' && c != '\t' && c != '\r') {
      keyStarted_ = true;
    }
    return true;
  }

  bool value(char c) {
    if (c == '[' || c == '{') {
      open_.push_back({c, depth_});
      ++depth_;
      if (c == '{') startKey(depth_);
      return depth_ <= kMaxTomlNesting;
    }
    if ((c == ']' || c == '}') && !open_.empty()) {
      close();
    } else if (c == ',' && !open_.empty()) {
      if (open_.back().bracket == '{')
        startKey(open_.back().depth + 1);
      else
        depth_ = open_.back().depth + 1;
    } else if (c == '\n' && open_.empty()) {
      startStatement();
    }
    return true;
  }

  void startKey(int base) {
    mode_ = Mode::Key;
    keyStarted_ = true;
    base_ = base;
    parts_ = 1;
  }

  void close() {
    depth_ = open_.back().depth;
    open_.pop_back();
    mode_ = Mode::Value;
  }

  Mode mode_ = Mode::Key;
  bool keyStarted_ = false;  // the statement has begun with a key, so '[' is no table header
  int header_ = 0;           // the keys of the last table header
  int base_ = 0;             // where the key being read starts
  int parts_ = 1;            // of the key or header being read
  int depth_ = 0;            // of the value being read
  std::vector<Open> open_;   // arrays and inline tables not closed yet, at most the limit
};

}  // namespace

TomlText PrepareTomlText(std::string_view text) {
  TomlText out;
  NestingDepth nesting;
  std::size_t i = 0;
  auto at = [&](std::string_view token) { return text.substr(i, token.size()) == token; };
  auto refuse = [&](std::string reason) {
    out.refusal = std::move(reason);
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
    } else if (!nesting.take(text[i])) {
      copied = refuse("tables, keys, arrays and inline tables nested more than " +
                      std::to_string(kMaxTomlNesting) + " deep");
    } else {
      copied = copy(false, false);
    }
    if (!copied) return out;
  }
  return out;
}

}  // namespace korvex
