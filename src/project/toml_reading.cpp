#include "project/toml_reading.h"

#include <charconv>

#include "project/toml_text.h"

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
  // Every TOML file of the project is read here, its bytes checked before the parser sees them.
  TomlFile file;
  const TomlText prepared = PrepareTomlText(bytes);
  if (!prepared.refusal.empty()) {
    file.reason = prepared.refusal;
    file.refusal = path + ":" + LineText(prepared.line) + ": " + file.reason;
    return file;
  }
  toml::parse_result parsed = toml::parse(prepared.text, path);
  if (!parsed) {
    file.reason = parsed.error().description();
    file.refusal = path + ":" + LineText(parsed.error().source().begin.line) + ": " + file.reason;
    return file;
  }
  file.table = std::move(parsed).table();
  return file;
}

}  // namespace korvex
