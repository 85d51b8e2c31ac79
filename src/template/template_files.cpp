#include "template/template_files.h"

#include <cmath>

#include "base/format_number.h"
#include "domain/computed_job.h"
#include "template/dxf_pattern.h"
#include "template/end_drawing.h"
#include "template/pdf_document.h"
#include "template/svg_document.h"

namespace korvex {
namespace {

constexpr TemplateEnd kEnds[] = {TemplateEnd::Left, TemplateEnd::Right};
constexpr double kSheetMargin = 10;
constexpr double kEndGap = 10;

bool EveryValueFinite(const ComputedJob& job) {
  const JobParameters& p = job.parameters;
  if (!std::isfinite(p.mainDiameter) || !std::isfinite(p.wallThickness)) return false;
  for (TemplateEnd end : kEnds) {
    const EndCut& cut = CutOf(job, end);
    for (int i = 0; i <= p.cutSegments; ++i) {
      const auto k = static_cast<std::size_t>(i);
      for (double value :
           {cut.surfaces.outer[k], cut.surfaces.inner[k], cut.path.x[k], cut.path.y[k]}) {
        if (!std::isfinite(value)) return false;
      }
    }
  }
  return true;
}

std::string Title(const TemplateOptions& options) {
  return "KORVEX tube template" + (options.projectName.empty() ? "" : " - " + options.projectName);
}

std::string PdfTemplate(const ComputedJob& job, const TemplateOptions& options) {
  struct EndPages {
    TemplateEnd end;
    Sheet drawing;
    TilePlan plan;
  };
  std::vector<EndPages> ends;
  std::size_t pageCount = 0;
  for (TemplateEnd end : kEnds) {
    Sheet drawing = EndDrawing(job, end);
    TilePlan plan = TileSheet(drawing.width, drawing.height, options.paper);
    if (plan.tiles.size() > 1) {
      for (double u : MarkPositions(plan.columns, plan.contentWidth)) {
        for (double v : MarkPositions(plan.rows, plan.contentHeight)) {
          AddAlignmentMark(drawing, {u, v});
        }
      }
    }
    pageCount += plan.tiles.size();
    ends.push_back({end, std::move(drawing), std::move(plan)});
  }

  const PaperSize paper = SizeOf(options.paper);
  std::vector<Sheet> headers;
  headers.reserve(pageCount);
  std::vector<PdfPage> pages;
  for (const EndPages& end : ends) {
    for (const PageTile& tile : end.plan.tiles) {
      const std::string pageLine =
          "PAGE " + std::to_string(pages.size() + 1) + " OF " + std::to_string(pageCount) + " - " +
          EndTitle(end.end) + ", ROW " + std::to_string(tile.row + 1) + " OF " +
          std::to_string(end.plan.rows) + ", COLUMN " + std::to_string(tile.column + 1) + " OF " +
          std::to_string(end.plan.columns) + " - " + PaperTitle(options.paper);
      headers.push_back(
          HeaderBlock({TubeLine(job, options.projectName), EndLine(job, end.end), pageLine}));
      const SheetPoint content{kPageMargin, kPageMargin + kHeaderHeight};
      PdfPage page{paper, {}};
      page.sheets.push_back({&headers.back(), {kPageMargin, kPageMargin}, std::nullopt});
      page.sheets.push_back(
          {&end.drawing,
           {content.u - tile.u, content.v - tile.v},
           PlacedSheet::Clip{content, end.plan.contentWidth, end.plan.contentHeight}});
      pages.push_back(std::move(page));
    }
  }
  return PdfDocument(pages, Title(options));
}

std::string SvgTemplate(const ComputedJob& job, const TemplateOptions& options) {
  Sheet sheet;
  const Sheet header =
      HeaderBlock({TubeLine(job, options.projectName), EndLine(job, TemplateEnd::Left),
                   EndLine(job, TemplateEnd::Right)});
  sheet.add(header, {kSheetMargin, kSheetMargin});
  double v = kSheetMargin + kHeaderHeight;
  double width = header.width;
  for (TemplateEnd end : kEnds) {
    const Sheet drawing = EndDrawing(job, end);
    sheet.text({kSheetMargin, v + 4}, 3.5, EndTitle(end));
    sheet.add(drawing, {kSheetMargin - kDrawingLeft, v + 6});
    v += 6 + drawing.height + kEndGap;
    width = std::max(width, drawing.width - kDrawingLeft);
  }
  sheet.width = width + 2 * kSheetMargin;
  sheet.height = v + kSheetMargin - kEndGap;
  return SvgDocument(sheet, Title(options));
}

}  // namespace

double TemplatePageCount(const ComputedJob& job, Paper paper) {
  double pages = 0;
  for (TemplateEnd end : kEnds) {
    const SheetSize size = EndDrawingSize(job, end);
    pages += PageCount(size.width, size.height, paper);
  }
  return pages;
}

std::optional<std::string> ShopOutputProblem(const ComputedJob& job, ShopOutput output,
                                             const TemplateOptions& options) {
  const int n = job.parameters.cutSegments;
  if (n < 1 || n > kMaxCutSegments) return "CUT SEGMENTS must be 1 to 1000";
  if (!EveryValueFinite(job)) return "the job has values that are not finite";
  if (output == ShopOutput::DxfPattern) return std::nullopt;
  const double pages = TemplatePageCount(job, options.paper);
  if (!(pages <= kMaxTemplatePages)) {
    return "the template would need " +
           (pages < 1e9 ? FormatNumber(pages, "0") : std::string("more than a billion")) +
           " pages of " + PaperTitle(options.paper) + " (at most " +
           std::to_string(kMaxTemplatePages) + ")";
  }
  return std::nullopt;
}

FormattedOutput FormatShopOutput(const ComputedJob& job, ShopOutput output,
                                 const TemplateOptions& options) {
  if (auto problem = ShopOutputProblem(job, output, options)) return {{}, problem};
  switch (output) {
    case ShopOutput::PdfTemplate:
      return {PdfTemplate(job, options), std::nullopt};
    case ShopOutput::SvgTemplate:
      return {SvgTemplate(job, options), std::nullopt};
    case ShopOutput::DxfPattern:
      break;
  }
  return {DxfPattern(job, options.projectName), std::nullopt};
}

}  // namespace korvex
