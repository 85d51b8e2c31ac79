#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/cut_list_plan.h"

namespace korvex {

inline constexpr double kMaxStockLength = 1e6;
inline constexpr double kMaxKerf = 100;

// What a cut list is nested and written with, as the command line's options give it.
struct ShopSettings {
  std::vector<StockLength> stock;       // the length for every tube, and tubes' own lengths
  std::optional<double> kerf;           // nothing: the machine profile's
  std::optional<double> trim;           // nothing: no trim cut
  std::string machine = "described";    // a profile's name or file
  std::optional<ShopOutput> templates;  // a template of each part, when wanted
  Paper paper = Paper::A4;              // the pages of PDF templates
  friend bool operator==(const ShopSettings&, const ShopSettings&) = default;
};

// The readers of the typed values, each with why it is refused. Blanks round a number are
// allowed; infinity and NaN are not numbers here.

// "6000" (every tube) or "60.3x3.9=6000" (one tube), added to stock. A tube given twice is
// refused.
std::optional<std::string> ReadStockText(std::string_view text, std::vector<StockLength>& stock);
std::variant<double, std::string> ReadKerfText(std::string_view text);
std::variant<double, std::string> ReadTrimText(std::string_view text);

// A stock entry as ReadStockText reads it back.
std::string StockText(const StockLength& stock);

// Where a list's settings are kept: beside it, named like it with ".shop" ("frame.shop").
std::string SettingsPathOf(const std::string& listPath);

// The settings as a file of "key = value" lines; keys as the command line's options: stock
// (repeatable), kerf, trim, machine, template, paper. "#" starts a comment line.
std::string FormatShopSettings(const ShopSettings& settings);
// The settings of such a file; "FILE:LINE: why" when it cannot be used.
std::variant<ShopSettings, std::string> ParseShopSettings(std::string_view bytes,
                                                          const std::string& fileName);

}  // namespace korvex
