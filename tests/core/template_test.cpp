#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "domain/computed_job.h"
#include "template/end_drawing.h"
#include "template/paper.h"
#include "template/template_files.h"

namespace korvex {
namespace {

using testing::HasSubstr;

ComputedJob Computed(JobParameters parameters) {
  JobOutcome outcome = ComputeJob(parameters, 180);
  EXPECT_TRUE(outcome.job.has_value());
  return outcome.job.value_or(ComputedJob{});
}

// The default job on a 300 mm tube: both ends cut flat at 45 degrees.
ComputedJob BigTube() {
  JobParameters job = DefaultJob();
  job.mainDiameter = 300;
  job.mainRadius = 150;
  return Computed(job);
}

struct TilingCase {
  const char* name;
  Paper paper;
  int columns;
  int rows;
};

class TemplateTiling : public testing::TestWithParam<TilingCase> {};

// Per end the band is 10 mm to the reference edge + 300 mm of cut + 30 mm on the part's side,
// 2 mm round it: 344 x (pi * 300 + 4 = 946.478) mm. A page's body is its paper less 10 mm
// margins, the 28 mm header, 2 mm and the legend: (lines of notes + rows of entries) * 3.8 + 1,
// 3 + 4 rows on portrait, 2 + 2 on landscape (27.6 and 16.2 mm). Tiles step by the body less
// the 10 mm overlap. The default job's band, 84 x 129.664 mm, fits one page of each.
TEST_P(TemplateTiling, TheDefaultJobTakesAPagePerEndAndABigTubeTheCountedPages) {
  const TilingCase& c = GetParam();
  const ComputedJob job = BigTube();
  const SheetSize size = EndDrawingSize(job, TemplateEnd::Left);
  EXPECT_NEAR(size.width, 344, 1e-6);
  EXPECT_NEAR(size.height, 4 + 300 * 3.14159265358979, 1e-6);
  EXPECT_EQ(TemplatePageCount(job, c.paper), 2 * c.columns * c.rows);
  EXPECT_EQ(TemplatePageCount(Computed(DefaultJob()), c.paper), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Papers, TemplateTiling,
    testing::Values(
        // 190 x 219.4: 1 + ceil(154 / 180) = 2 columns, 1 + ceil(727.078 / 209.4) = 5 rows.
        TilingCase{"a4", Paper::A4, 2, 5},
        // 277 x 143.8: 1 + ceil(67 / 267) = 2, 1 + ceil(802.678 / 133.8) = 7.
        TilingCase{"a4_landscape", Paper::A4Landscape, 2, 7},
        // 195.9 x 201.8: 1 + ceil(148.1 / 185.9) = 2, 1 + ceil(744.678 / 191.8) = 5.
        TilingCase{"letter", Paper::Letter, 2, 5},
        // 259.4 x 149.7: 1 + ceil(84.6 / 249.4) = 2, 1 + ceil(796.778 / 139.7) = 7.
        TilingCase{"letter_landscape", Paper::LetterLandscape, 2, 7}),
    [](const testing::TestParamInfo<TilingCase>& info) { return info.param.name; });

bool Inside(const PageTile& tile, const TilePlan& plan, SheetPoint p) {
  return p.u >= tile.u && p.u <= tile.u + plan.contentWidth && p.v >= tile.v &&
         p.v <= tile.v + plan.contentHeight;
}

// The A4 body of the tiling above.
constexpr PaperSize kA4Body{190, 219.4};

TEST(TemplateTiles, EveryCurvePointIsOnAPageAndNeighboursOverlapWithMarks) {
  const ComputedJob job = BigTube();
  for (TemplateEnd end : {TemplateEnd::Left, TemplateEnd::Right}) {
    const EndTemplate drawing(job, end);
    const TilePlan plan = TileSheet(drawing.sheet().width, drawing.sheet().height, kA4Body);
    int curvePoints = 0;
    for (const SheetLine& line : drawing.sheet().lines) {
      if (line.stroke != Stroke::MachinePath) continue;
      for (const SheetPoint& p : line.points) {
        ++curvePoints;
        bool shown = false;
        for (const PageTile& tile : plan.tiles)
          shown = shown || Inside(tile, plan, p);
        EXPECT_TRUE(shown) << p.u << ", " << p.v;
      }
    }
    EXPECT_EQ(curvePoints, 91);

    const std::vector<double> us = MarkPositions(plan.columns, plan.contentWidth);
    const std::vector<double> vs = MarkPositions(plan.rows, plan.contentHeight);
    for (const PageTile& tile : plan.tiles) {
      if (tile.column + 1 < plan.columns) {
        const PageTile& right =
            plan.tiles[static_cast<std::size_t>(tile.row * plan.columns + tile.column + 1)];
        EXPECT_DOUBLE_EQ(tile.u + plan.contentWidth - right.u, 10);
      }
      if (tile.row + 1 < plan.rows) {
        const PageTile& below =
            plan.tiles[static_cast<std::size_t>((tile.row + 1) * plan.columns + tile.column)];
        EXPECT_DOUBLE_EQ(tile.v + plan.contentHeight - below.v, 10);
      }
      int marks = 0;
      for (double u : us) {
        for (double v : vs)
          marks += Inside(tile, plan, {u, v}) ? 1 : 0;
      }
      EXPECT_EQ(marks, 4) << "row " << tile.row << " column " << tile.column;
    }
  }
}

// Square cuts of a 40 mm tube: the cut is the line at the end's distance, the reference edge
// 10 mm beyond it on the stock's side, away from the middle of the part.
TEST(TemplateTexts, PartAndScrapLieOnTheirSidesAndEveryQuarterCrossedIsNamed) {
  const struct {
    const char* name;
    double left, right;
    double leftStockSide;  // -1: the left end's stock lies towards lower x
  } cases[] = {{"centred", -100, 100, -1}, {"off centre", 100, 400, -1}, {"reversed", 400, 100, 1}};
  for (const auto& c : cases) {
    JobParameters parameters = DefaultJob();
    parameters.left.distance = c.left;
    parameters.right.distance = c.right;
    parameters.left.angle = parameters.right.angle = 0;
    const ComputedJob job = Computed(parameters);
    for (TemplateEnd end : {TemplateEnd::Left, TemplateEnd::Right}) {
      const EndTemplate drawing(job, end);
      double reference = 0, cut = 0;
      for (const SheetLine& line : drawing.sheet().lines) {
        if (line.stroke == Stroke::ReferenceEdge) reference = line.points.front().u;
        if (line.stroke == Stroke::MachinePath) cut = line.points.front().u;
      }
      const double stockSide = end == TemplateEnd::Left ? c.leftStockSide : -c.leftStockSide;
      EXPECT_DOUBLE_EQ(reference - cut, 10 * stockSide) << c.name;

      // Windows as pages would show them: the whole band, and strips round the tube.
      const SheetRect band = drawing.band();
      std::vector<SheetRect> windows = {band};
      for (double top = 0; top < band.bottom; top += 30)
        windows.push_back({0, top, band.right + 2, top + 40});
      for (const SheetRect& window : windows) {
        // An alignment cross's box at the window's top-left corner.
        const SheetRect cross{window.left, window.top, window.left + 11, window.top + 11};
        const std::vector<SheetText> texts = drawing.textsWithin(window, {cross});
        std::set<std::string> names;
        for (std::size_t i = 0; i < texts.size(); ++i) {
          const SheetRect box = BoxOf(texts[i]);
          EXPECT_TRUE(window.contains(box) && band.contains(box)) << texts[i].text;
          EXPECT_FALSE(box.overlaps(cross)) << texts[i].text;
          for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(box.overlaps(BoxOf(texts[j]))) << texts[i].text << texts[j].text;
          const double side = (box.left + box.right) / 2 - cut;
          if (texts[i].text == "PART") {
            EXPECT_LT(side * stockSide, 0) << c.name;
          } else if (texts[i].text == "SCRAP") {
            EXPECT_GT(side * stockSide, 0) << c.name;
          }
          names.insert(texts[i].text);
        }
        for (int quarter = 0; quarter <= 4; ++quarter) {
          const double v = band.bottom - (band.bottom - band.top) * quarter / 4;
          if (v > cross.bottom + 4 && v < window.bottom - 4) {
            EXPECT_EQ(names.count(QuarterName(quarter)), 1U) << c.name << " " << quarter;
          }
        }
        if (window.bottom - window.top > 100) {
          EXPECT_EQ(names.count("PART"), 1U) << c.name;
          EXPECT_EQ(names.count("SCRAP"), 1U) << c.name;
        }
      }
    }
  }
}

constexpr ShopOutput kOutputs[] = {ShopOutput::PdfTemplate, ShopOutput::SvgTemplate,
                                   ShopOutput::DxfPattern};

TEST(ShopOutputs, SameJobGivesTheSameBytesAndAnotherJobOthers) {
  const ComputedJob job = Computed(DefaultJob());
  JobParameters turned = DefaultJob();
  turned.left.angleDiff = 0.5;
  const ComputedJob other = Computed(turned);
  for (ShopOutput output : kOutputs) {
    const FormattedOutput first = FormatShopOutput(job, output, {"part.kvx", Paper::A4});
    const FormattedOutput again = FormatShopOutput(job, output, {"part.kvx", Paper::A4});
    ASSERT_FALSE(first.problem) << *first.problem;
    EXPECT_EQ(first.bytes, again.bytes);
    EXPECT_NE(first.bytes, FormatShopOutput(other, output, {"part.kvx", Paper::A4}).bytes);
    EXPECT_THAT(first.bytes, testing::Not(HasSubstr("Date")));
  }
}

TEST(ShopOutputs, EachFormatStartsAsItsReadersExpect) {
  const ComputedJob job = Computed(DefaultJob());
  const struct {
    ShopOutput output;
    const char* start;
    const char* end;
  } cases[] = {{ShopOutput::PdfTemplate, "%PDF-1.4\n", "%%EOF\n"},
               {ShopOutput::SvgTemplate, "<?xml version=\"1.0\"", "</svg>\n"},
               {ShopOutput::DxfPattern, "0\r\nSECTION\r\n2\r\nHEADER\r\n", "0\r\nEOF\r\n"}};
  for (const auto& c : cases) {
    const std::string bytes = FormatShopOutput(job, c.output, {}).bytes;
    EXPECT_THAT(bytes, testing::StartsWith(c.start));
    EXPECT_THAT(bytes, testing::EndsWith(c.end));
  }
}

TEST(ShopOutputs, EachFormatIsLimitedByWhatItIs) {
  // A 1200 mm tube: per end a band of 1244 x 3774 mm, 7 x 18 pages of A4 (252 in all, above
  // 200), yet one SVG sheet of about 1264 x 7700 mm. A 2000 mm tube's sheet is some 12.7 m long.
  auto tube = [](double diameter) {
    JobParameters job = DefaultJob();
    job.mainDiameter = diameter;
    job.mainRadius = diameter / 2;
    return Computed(job);
  };
  const ComputedJob large = tube(1200), huge = tube(2000);
  ComputedJob broken = Computed(DefaultJob());
  broken.right.path.x[17] = std::numeric_limits<double>::quiet_NaN();

  const struct {
    const char* name;
    const ComputedJob* job;
    ShopOutput output;
    const char* problem;  // nullptr: accepted
  } cases[] = {
      {"large pdf", &large, ShopOutput::PdfTemplate, "pages of A4 PORTRAIT (at most 200)"},
      {"large svg", &large, ShopOutput::SvgTemplate, nullptr},
      {"huge svg", &huge, ShopOutput::SvgTemplate, "mm (at most 10000 mm each way)"},
      {"huge dxf", &huge, ShopOutput::DxfPattern, nullptr},
      {"nan pdf", &broken, ShopOutput::PdfTemplate, "not finite"},
      {"nan svg", &broken, ShopOutput::SvgTemplate, "not finite"},
      {"nan dxf", &broken, ShopOutput::DxfPattern, "not finite"},
  };
  for (const auto& c : cases) {
    const FormattedOutput formatted = FormatShopOutput(*c.job, c.output, {});
    if (c.problem == nullptr) {
      EXPECT_FALSE(formatted.problem) << c.name;
      EXPECT_FALSE(formatted.bytes.empty()) << c.name;
    } else {
      ASSERT_TRUE(formatted.problem) << c.name;
      EXPECT_THAT(*formatted.problem, HasSubstr(c.problem)) << c.name;
      EXPECT_EQ(formatted.bytes, "") << c.name;
    }
  }
}

TEST(ShopOutputs, PaperNamesOfTheCommandLine) {
  EXPECT_EQ(PaperNamed("a4"), Paper::A4);
  EXPECT_EQ(PaperNamed("letter"), Paper::Letter);
  EXPECT_EQ(PaperNamed("a4-landscape"), Paper::A4Landscape);
  EXPECT_EQ(PaperNamed("letter-landscape"), Paper::LetterLandscape);
  EXPECT_EQ(PaperNamed("A4"), Paper::A4);
  EXPECT_EQ(PaperNamed("Letter-Landscape"), Paper::LetterLandscape);
  EXPECT_EQ(PaperNamed("A3"), std::nullopt);
  EXPECT_EQ(PaperNamed("a4-"), std::nullopt);
}

}  // namespace
}  // namespace korvex
