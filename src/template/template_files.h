#pragma once

#include <optional>
#include <string>

#include "template/paper.h"

namespace korvex {

struct ComputedJob;

enum class ShopOutput { PdfTemplate, SvgTemplate, DxfPattern };

// A PDF template with more pages than this at its paper is refused as absurd, and so is an SVG
// sheet longer than this many mm either way; a DXF only for values that are not finite.
inline constexpr int kMaxTemplatePages = 200;
inline constexpr double kMaxSvgSheet = 10000;

struct TemplateOptions {
  std::string projectName;  // shown on every page; empty for a job never saved
  Paper paper = Paper::A4;  // the PDF's pages
};

// The bytes of one output, or why it cannot be made (nothing to write then).
struct FormattedOutput {
  std::string bytes;
  std::optional<std::string> problem;
};

// Why the job cannot give this output: a value that is not finite, no segments, a PDF of more
// than kMaxTemplatePages pages or an SVG sheet longer than kMaxSvgSheet mm.
std::optional<std::string> ShopOutputProblem(const ComputedJob& job, ShopOutput output,
                                             const TemplateOptions& options);

// The output's bytes, the same bytes for the same job and options.
// PDF: per end the template tiled over pages of the paper, never scaled, each page with the
// header and ruler, "page i of n", row and column, the texts of its tile whole, the legend, and
// alignment marks where pages overlap and trim lines where a page follows.
// SVG: one sheet with the header, the ruler and both ends' templates. DXF: the flat pattern.
FormattedOutput FormatShopOutput(const ComputedJob& job, ShopOutput output,
                                 const TemplateOptions& options);

// The PDF's page count (both ends) at a paper; huge for an absurd job.
double TemplatePageCount(const ComputedJob& job, Paper paper);

}  // namespace korvex
