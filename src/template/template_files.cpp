#include "template/template_files.h"

#include <algorithm>
#include <cmath>
#include <deque>

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
constexpr double kMinimumSheetWidth = 190;

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

// Between the body and the legend at the page's foot.
constexpr double kFooterGap = 2;

// The body of a page: what its printable area leaves under the header and above the legend.
PaperSize BodySize(const PaperSize& printable, const Sheet& legend) {
  return {printable.width, printable.height - kHeaderHeight - kFooterGap - legend.height};
}

std::string PdfTemplate(const ComputedJob& job, const TemplateOptions& options) {
  struct EndPages {
    TemplateEnd end;
    EndTemplate drawing;
    Sheet legend;
    TilePlan plan;
    Sheet marks;
    std::vector<SheetRect> markBoxes;
  };
  const PaperSize paper = SizeOf(options.paper);
  const PaperSize printable = PrintableSize(options.paper);
  std::vector<EndPages> ends;
  std::size_t pageCount = 0;
  for (TemplateEnd end : kEnds) {
    EndTemplate drawing(job, end);
    // Planned with the tiled legend, the taller, so that the count never depends on itself.
    Sheet legend = LegendBlock(job, end, printable.width, true);
    TilePlan plan =
        TileSheet(drawing.sheet().width, drawing.sheet().height, BodySize(printable, legend));
    Sheet marks;
    std::vector<SheetRect> markBoxes;
    if (plan.tiles.size() > 1) {
      for (double u : MarkPositions(plan.columns, plan.contentWidth)) {
        for (double v : MarkPositions(plan.rows, plan.contentHeight)) {
          AddAlignmentMark(marks, {u, v});
          markBoxes.push_back(
              {u - kMarkArm - 1, v - kMarkArm - 1, u + kMarkArm + 1, v + kMarkArm + 1});
        }
      }
    } else {
      legend = LegendBlock(job, end, printable.width, false);
    }
    pageCount += plan.tiles.size();
    ends.push_back({end, std::move(drawing), std::move(legend), std::move(plan), std::move(marks),
                    std::move(markBoxes)});
  }

  std::deque<Sheet> pageSheets;  // what each page adds: header, texts, trim lines
  std::vector<PdfPage> pages;
  const std::string tubeLine = TubeLine(job, options.projectName, printable.width);
  for (const EndPages& end : ends) {
    const double width = end.plan.contentWidth, height = end.plan.contentHeight;
    for (const PageTile& tile : end.plan.tiles) {
      const std::string pageLine =
          "PAGE " + std::to_string(pages.size() + 1) + " OF " + std::to_string(pageCount) + " - " +
          EndTitle(end.end) + ", ROW " + std::to_string(tile.row + 1) + " OF " +
          std::to_string(end.plan.rows) + ", COLUMN " + std::to_string(tile.column + 1) + " OF " +
          std::to_string(end.plan.columns) + " - " + PaperTitle(options.paper);
      const Sheet& header = pageSheets.emplace_back(
          HeaderBlock({tubeLine, EndLine(job, end.end), pageLine}, printable.width));
      const SheetPoint body{kPageMargin, kPageMargin + kHeaderHeight};
      const SheetPoint offset{body.u - tile.u, body.v - tile.v};
      const PlacedSheet::Clip clip{body, width, height};

      // Texts are placed whole inside the tile, never clipped; trim lines where a page follows.
      Sheet& extra = pageSheets.emplace_back();
      for (const SheetText& text : end.drawing.textsWithin(
               {tile.u, tile.v, tile.u + width, tile.v + height}, end.markBoxes)) {
        extra.text({text.at.u + offset.u, text.at.v + offset.v}, text.size, text.text);
      }
      if (tile.column + 1 < end.plan.columns) {
        extra.line(Stroke::Trim, {{body.u + width, body.v}, {body.u + width, body.v + height}});
      }
      if (tile.row + 1 < end.plan.rows) {
        extra.line(Stroke::Trim, {{body.u, body.v + height}, {body.u + width, body.v + height}});
      }

      PdfPage page{paper, {}};
      page.sheets.push_back({&header, {kPageMargin, kPageMargin}, std::nullopt});
      page.sheets.push_back({&end.drawing.sheet(), offset, clip});
      page.sheets.push_back({&end.marks, offset, clip});
      page.sheets.push_back({&extra, {0, 0}, std::nullopt});
      // The legend right under what the tile shows of the sheet.
      const double shown = std::min(height, end.drawing.sheet().height - tile.v);
      page.sheets.push_back(
          {&end.legend, {kPageMargin, body.v + shown + kFooterGap}, std::nullopt});
      pages.push_back(std::move(page));
    }
  }
  return PdfDocument(pages, Title(options));
}

// The SVG sheet: the header, then per end its title, the band with its texts and the legend.
Sheet SvgTemplate(const ComputedJob& job, const TemplateOptions& options) {
  double width = kMinimumSheetWidth;
  for (TemplateEnd end : kEnds)
    width = std::max(width, EndDrawingSize(job, end).width);
  Sheet sheet;
  const Sheet header =
      HeaderBlock({TubeLine(job, options.projectName, width), EndLine(job, TemplateEnd::Left),
                   EndLine(job, TemplateEnd::Right)},
                  width);
  sheet.add(header, {kSheetMargin, kSheetMargin});
  double v = kSheetMargin + kHeaderHeight;
  for (TemplateEnd end : kEnds) {
    const EndTemplate drawing(job, end);
    sheet.text({kSheetMargin, v + 4}, 3.5, EndTitle(end));
    const SheetPoint at{kSheetMargin - kBandMargin, v + 6};
    sheet.add(drawing.sheet(), at);
    for (const SheetText& text : drawing.textsWithin(drawing.band(), {}))
      sheet.text({text.at.u + at.u, text.at.v + at.v}, text.size, text.text);
    v += 6 + drawing.sheet().height;
    const Sheet legend = LegendBlock(job, end, width, false);
    sheet.add(legend, {kSheetMargin, v + kFooterGap});
    v += kFooterGap + legend.height + kEndGap;
  }
  sheet.width = width + 2 * kSheetMargin;
  sheet.height = v + kSheetMargin - kEndGap;
  return sheet;
}

// The SVG sheet's size, found without drawing the bands.
SheetSize SvgSheetSize(const ComputedJob& job) {
  double width = kMinimumSheetWidth;
  for (TemplateEnd end : kEnds)
    width = std::max(width, EndDrawingSize(job, end).width);
  double height = kSheetMargin + kHeaderHeight;
  for (TemplateEnd end : kEnds) {
    height += 6 + EndDrawingSize(job, end).height + kFooterGap +
              LegendBlock(job, end, width, false).height + kEndGap;
  }
  return {width + 2 * kSheetMargin, height + kSheetMargin - kEndGap};
}

}  // namespace

double TemplatePageCount(const ComputedJob& job, Paper paper) {
  const PaperSize printable = PrintableSize(paper);
  double pages = 0;
  for (TemplateEnd end : kEnds) {
    const SheetSize size = EndDrawingSize(job, end);
    const Sheet legend = LegendBlock(job, end, printable.width, true);
    pages += TileCount(size.width, size.height, BodySize(printable, legend));
  }
  return pages;
}

std::optional<std::string> ShopOutputProblem(const ComputedJob& job, ShopOutput output,
                                             const TemplateOptions& options) {
  const int n = job.parameters.cutSegments;
  if (n < 1 || n > kMaxCutSegments) return "CUT SEGMENTS must be 1 to 1000";
  if (!EveryValueFinite(job)) return "the job has values that are not finite";
  // Each format is limited by what it is: the DXF only by finite values, the SVG, one sheet,
  // by its size, the PDF by its pages.
  if (output == ShopOutput::DxfPattern) return std::nullopt;
  if (output == ShopOutput::SvgTemplate) {
    const SheetSize size = SvgSheetSize(job);
    if (!(size.width <= kMaxSvgSheet && size.height <= kMaxSvgSheet)) {
      const auto mm = [](double value) {
        return value < 1e9 ? FormatNumber(value, "0") : std::string("more than a billion");
      };
      return "the SVG sheet would be " + mm(size.width) + " x " + mm(size.height) +
             " mm (at most " + FormatNumber(kMaxSvgSheet, "0") + " mm each way)";
    }
    return std::nullopt;
  }
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
      return {SvgDocument(SvgTemplate(job, options), Title(options)), std::nullopt};
    case ShopOutput::DxfPattern:
      break;
  }
  return {DxfPattern(job, options.projectName), std::nullopt};
}

}  // namespace korvex
