#include "project/part_file.h"

#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <span>

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
namespace {

std::string LineText(std::uint32_t line) {
  char digits[16];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, line);
  return std::string(digits, end);
}

// One key of a table and what reads its value; the reader returns why the value is refused.
struct Key {
  const char* name;
  std::function<std::optional<std::string>(const toml::node&)> read;
};

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

Key Number(const char* name, double& out, FieldRange range = FieldRange::Any) {
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

// Why an end's fit is refused, in the file's words.
std::string FitRefusal(ProblemKind kind) {
  if (kind == ProblemKind::NoBore) return "'joining-wall' must be less than half the 'diameter'";
  return "fit \"inside\" needs 'joining-wall', the joining tube's wall: 'diameter' is its "
         "outside, and the end is cut to its bore";
}

// The keys of an end's or a hole's table, as its fields list them.
template <typename Owner, typename E>
std::vector<Key> FieldKeys(Owner& values, std::span<const FieldOf<Owner, E>> fields) {
  std::vector<Key> keys;
  for (const FieldOf<Owner, E>& field : fields) {
    if (field.number) {
      keys.push_back(Number(field.key, values.*field.number, field.range));
    } else if (field.flag) {
      keys.push_back(Flag(field.key, values.*field.flag));
    } else {
      keys.push_back(Choice(field.key, values.*field.choice, field.words));
    }
  }
  return keys;
}

class PartReader {
 public:
  PartReader(std::string path, const PartHole& holeDefaults)
      : path_(std::move(path)), holeDefaults_(holeDefaults) {}

  std::optional<std::string> refusal;
  std::string reason;  // the refusal without its place

  void refuse(const toml::source_region& where, const std::string& why) {
    if (refusal) return;
    refusal = path_ + ":" + LineText(where.begin.line) + ": " + why;
    reason = why;
  }

  // Reads every key of the table; where names it in the messages ("[tube]", or "" at the top).
  void readTable(const toml::table& table, const std::vector<Key>& keys, const std::string& where) {
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

  Key subTable(const char* name, std::vector<Key> keys) {
    return {name, [this, name, keys = std::move(keys)](const toml::node& node) {
              const auto* table = node.as_table();
              if (!table)
                return std::optional<std::string>("must be a table [" + std::string(name) + "]");
              readTable(*table, keys, " in [" + std::string(name) + "]");
              return std::optional<std::string>();
            }};
  }

  // An end's table, whose fit must be one the end can be cut to.
  Key end(const char* name, PartEnd& end) {
    return {name, [this, name, &end](const toml::node& node) {
              const auto* table = node.as_table();
              if (!table)
                return std::optional<std::string>("must be a table [" + std::string(name) + "]");
              std::vector<Key> keys = FieldKeys(end, EndFields());
              keys.push_back(joints(name, end.joints));
              readTable(*table, keys, " in [" + std::string(name) + "]");
              if (const auto problem = FitProblem(end); problem && !refusal) {
                const toml::node* fit = table->get("fit");
                refuse(fit ? fit->source() : table->source(),
                       "[" + std::string(name) + "] " + FitRefusal(*problem));
              }
              return std::optional<std::string>();
            }};
  }

  // An end's further joining tubes, [[left.joint]] or [[right.joint]].
  Key joints(const char* end, std::vector<PartJoint>& out) {
    const std::string header = "[[" + std::string(end) + ".joint]]";
    return {"joint", [this, header, &out](const toml::node& node) -> std::optional<std::string> {
              const auto* array = node.as_array();
              if (!array) return "must be tables " + header;
              out.clear();
              for (const toml::node& element : *array) {
                const auto* table = element.as_table();
                if (!table) return "must be tables " + header;
                if (out.size() == kMaxPartJoints) {
                  refuse(element.source(),
                         "more than " + std::to_string(kMaxPartJoints) + " tables " + header);
                  return std::nullopt;
                }
                readTable(*table, FieldKeys(out.emplace_back(), JointFields()), " in " + header);
                if (refusal) return std::nullopt;
              }
              return std::nullopt;
            }};
  }

  Key holes(std::vector<PartHole>& out) {
    return {"hole", [this, &out](const toml::node& node) -> std::optional<std::string> {
              const auto* array = node.as_array();
              if (!array) return std::string("must be tables [[hole]]");
              for (const toml::node& element : *array) {
                const auto* table = element.as_table();
                if (!table) return std::string("must be tables [[hole]]");
                if (out.size() == kMaxPartHoles) {
                  refuse(element.source(), "more than " + std::to_string(kMaxPartHoles) + " holes");
                  return std::nullopt;
                }
                PartHole& hole = out.emplace_back(holeDefaults_);
                readTable(*table, FieldKeys(hole, HoleFields()), " in [[hole]]");
                if (refusal) return std::nullopt;
              }
              return std::nullopt;
            }};
  }

 private:
  std::string path_;
  PartHole holeDefaults_;
};

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

void AppendNumberValue(std::string& text, double value) {
  char digits[32];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  text.append(digits, end);
}

// A TOML basic string: quotes, backslashes and control characters escaped.
void AppendString(std::string& text, std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  text += '"';
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += c;
    } else if (byte < 0x20 || byte == 0x7f) {
      text += "\\u00";
      text += kHex[byte >> 4];
      text += kHex[byte & 15];
    } else {
      text += c;
    }
  }
  text += '"';
}

class PartWriter {
 public:
  std::string text;

  void number(const char* key, double value) {
    start(key);
    AppendNumberValue(text, value);
    text += '\n';
  }
  void whole(const char* key, std::int64_t value) {
    start(key);
    text += std::to_string(value) + '\n';
  }
  void flag(const char* key, bool value) {
    start(key);
    text += value ? "true\n" : "false\n";
  }
  void string(const char* key, std::string_view value) {
    start(key);
    AppendString(text, value);
    text += '\n';
  }
  void end(const char* table, const PartEnd& end) {
    text += std::string("\n[") + table + "]\n";
    for (const EndField& field : EndFields()) {
      // A joining tube's wall is written only where it is given, so that parts without one keep
      // their bytes.
      if (field.field == PartField::JoiningWall && end.joiningWall == 0) continue;
      value(end, field);
    }
    for (const PartJoint& joint : end.joints) {
      text += std::string("\n[[") + table + ".joint]]\n";
      for (const JointField& field : JointFields())
        value(joint, field);
    }
  }
  void hole(const PartHole& hole) {
    text += "\n[[hole]]\n";
    for (const HoleField& field : HoleFields())
      value(hole, field);
  }

 private:
  template <typename Owner, typename E>
  void value(const Owner& values, const FieldOf<Owner, E>& field) {
    if (field.number) {
      number(field.key, values.*field.number);
    } else if (field.flag) {
      flag(field.key, values.*field.flag);
    } else {
      string(field.key, field.words[static_cast<std::size_t>(values.*field.choice)]);
    }
  }

  void start(const char* key) { text += std::string(key) + " = "; }
};

}  // namespace

PartReading ReadPartFile(std::string_view bytes, const std::string& path, const Part& defaults,
                         const PartHole& holeDefaults) {
  PartReading reading;
  const AsciiToml ascii = ToAsciiToml(bytes);
  if (!ascii.refusal.empty()) {
    reading.reason = ascii.refusal;
    reading.refusal = path + ":" + LineText(ascii.line) + ": " + reading.reason;
    return reading;
  }
  const toml::parse_result parsed = toml::parse(ascii.text, path);
  if (!parsed) {
    reading.reason = parsed.error().description();
    reading.refusal =
        path + ":" + LineText(parsed.error().source().begin.line) + ": " + reading.reason;
    return reading;
  }
  Part part = defaults;
  part.holes.clear();
  part.left.joints.clear();
  part.right.joints.clear();
  PartReader reader(path, holeDefaults);
  const std::vector<Key> top{
      Text("name", part.name),
      Whole("quantity", part.quantity, 1, 1000000),
      reader.subTable("tube", {Number("diameter", part.diameter, FieldRange::Positive),
                               Number("wall", part.wall, FieldRange::NotNegative),
                               Whole("segments", part.segments, 1, 1000),
                               Text("angle-letter", part.angleLetter)}),
      reader.end("left", part.left),
      reader.end("right", part.right),
      reader.holes(part.holes)};
  reader.readTable(parsed.table(), top, "");
  if (reader.refusal) {
    reading.refusal = *reader.refusal;
    reading.reason = reader.reason;
  } else {
    reading.part = std::move(part);
  }
  return reading;
}

FormattedPart FormatPartFile(const Part& part) {
  PartWriter writer;
  writer.string("name", part.name);
  writer.whole("quantity", part.quantity);
  writer.text += "\n[tube]\n";
  writer.number("diameter", part.diameter);
  writer.number("wall", part.wall);
  writer.whole("segments", part.segments);
  writer.string("angle-letter", part.angleLetter);
  writer.end("left", part.left);
  writer.end("right", part.right);
  for (const PartHole& hole : part.holes)
    writer.hole(hole);
  // What the reader would refuse is never written: read back, the file gives the same part.
  const PartReading back = ReadPartFile(writer.text, "", part, PartHole{});
  if (!back.part) return {{}, back.reason};
  return {std::move(writer.text), std::nullopt};
}

bool IsPartFilePath(std::string_view path) {
  constexpr std::string_view kExtension = ".kvxp";
  if (path.size() < kExtension.size()) return false;
  const std::string_view tail = path.substr(path.size() - kExtension.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    const char c = tail[i];
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != kExtension[i]) return false;
  }
  return true;
}

}  // namespace korvex
