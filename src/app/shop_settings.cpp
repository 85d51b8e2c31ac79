#include "app/shop_settings.h"

#include <algorithm>
#include <filesystem>

#include "app/part_check.h"
#include "base/decimal_text.h"

namespace korvex {
namespace {

const std::string kKerfRange = "must be a number of mm from 0 to 100";
const std::string kTrimRange = "must be a number of mm, 0 or more";

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

// One "key = value" line, read into settings; why not.
std::optional<std::string> ReadSetting(std::string_view key, std::string_view value,
                                       ShopSettings& settings) {
  const auto number = [&](auto reader, std::optional<double>& into) -> std::optional<std::string> {
    auto read = reader(value);
    if (auto* why = std::get_if<std::string>(&read)) return std::string(key) + " " + *why;
    into = std::get<double>(read);
    return std::nullopt;
  };
  if (key == "stock") {
    if (auto why = ReadStockText(value, settings.stock))
      return "stock " + std::string(value) + ": " + *why;
  } else if (key == "kerf") {
    return number(ReadKerfText, settings.kerf);
  } else if (key == "trim") {
    return number(ReadTrimText, settings.trim);
  } else if (key == "machine") {
    if (value.empty()) return std::string("machine needs a profile's name");
    settings.machine = value;
  } else if (key == "template") {
    const std::string kind = Lowered(value);
    if (kind != "pdf" && kind != "svg") return std::string("template must be pdf or svg");
    settings.templates = kind == "pdf" ? ShopOutput::PdfTemplate : ShopOutput::SvgTemplate;
  } else if (key == "paper") {
    const auto paper = PaperNamed(value);
    if (!paper) return std::string("paper must be a4, letter, a4-landscape or letter-landscape");
    settings.paper = *paper;
  } else {
    return "unknown key \"" + std::string(key) + "\"";
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadStockText(std::string_view text, std::vector<StockLength>& stock) {
  StockLength entry;
  std::string_view length = text;
  if (const auto equals = text.find('='); equals != std::string_view::npos) {
    const std::string_view tube = text.substr(0, equals);
    const auto x = tube.find_first_of("xX");
    const auto diameter = x == std::string_view::npos ? std::nullopt
                                                      : ReadNumberText(tube.substr(0, x));
    const auto wall = x == std::string_view::npos ? std::nullopt : ReadNumberText(tube.substr(x + 1));
    if (!diameter || !wall || *diameter <= 0 || *wall <= 0)
      return "the tube must be DIAMETERxWALL, such as 60.3x3.9";
    entry.tube = TubeSize{*diameter, *wall};
    length = text.substr(equals + 1);
  }
  const auto value = ReadNumberText(length);
  if (!value || *value <= 0 || *value > kMaxStockLength)
    return "the length must be a number of mm above 0, at most 1000000";
  entry.length = *value;
  for (const StockLength& other : stock) {
    const bool same = other.tube && entry.tube ? SameTube(*other.tube, *entry.tube)
                                               : !other.tube && !entry.tube;
    if (same) return "that tube's stock is already given";
  }
  stock.push_back(entry);
  return std::nullopt;
}

std::variant<double, std::string> ReadKerfText(std::string_view text) {
  const auto kerf = ReadNumberText(text);
  if (!kerf || *kerf < 0 || *kerf > kMaxKerf) return kKerfRange;
  return *kerf;
}

std::variant<double, std::string> ReadTrimText(std::string_view text) {
  const auto trim = ReadNumberText(text);
  if (!trim || *trim < 0) return kTrimRange;
  return *trim;
}

std::string StockText(const StockLength& stock) {
  const std::string length = ShortestText(stock.length);
  if (!stock.tube) return length;
  return ShortestText(stock.tube->diameter) + "x" + ShortestText(stock.tube->wall) + "=" + length;
}

std::string SettingsPathOf(const std::string& listPath) {
  return std::filesystem::path(listPath).replace_extension(".shop").string();
}

std::string FormatShopSettings(const ShopSettings& settings) {
  std::string text = "# KORVEX: how the cut list beside this file is nested and written\n";
  for (const StockLength& stock : settings.stock)
    text += "stock = " + StockText(stock) + "\n";
  if (settings.kerf) text += "kerf = " + ShortestText(*settings.kerf) + "\n";
  if (settings.trim) text += "trim = " + ShortestText(*settings.trim) + "\n";
  text += "machine = " + settings.machine + "\n";
  if (settings.templates)
    text += settings.templates == ShopOutput::SvgTemplate ? "template = svg\n" : "template = pdf\n";
  text += "paper = " + PaperName(settings.paper) + "\n";
  return text;
}

std::variant<ShopSettings, std::string> ParseShopSettings(std::string_view bytes,
                                                          const std::string& fileName) {
  ShopSettings settings;
  settings.stock.clear();
  std::vector<std::string> seen;
  int line = 0;
  while (!bytes.empty()) {
    ++line;
    const auto end = bytes.find('\n');
    std::string_view text = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    text = Trimmed(text);
    if (text.empty() || text.front() == '#') continue;
    const auto where = fileName + ":" + std::to_string(line) + ": ";
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) return where + "a line must be KEY = VALUE";
    const std::string key(Trimmed(text.substr(0, equals)));
    if (key != "stock" && std::find(seen.begin(), seen.end(), key) != seen.end())
      return where + key + " is given twice";
    seen.push_back(key);
    if (auto why = ReadSetting(key, Trimmed(text.substr(equals + 1)), settings))
      return where + *why;
  }
  return settings;
}

}  // namespace korvex
