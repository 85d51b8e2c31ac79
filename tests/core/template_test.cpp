#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
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

// Per end the sheet is 10 mm margin + 300 mm of cut + 10 mm to the reference edge + 45 mm of
// labels = 365 mm wide, and 10 mm + pi * 300 (942.478) + 28 mm = 980.478 mm tall. A page shows
// its paper less 10 mm margins and the 32 mm header; tiles step by that less 10 mm overlap.
TEST_P(TemplateTiling, ABigTubeGivesTheCountedPages) {
  const TilingCase& c = GetParam();
  const ComputedJob job = BigTube();
  const Sheet drawing = EndDrawing(job, TemplateEnd::Left);
  EXPECT_NEAR(drawing.width, 365, 1e-6);
  EXPECT_NEAR(drawing.height, 38 + 300 * 3.14159265358979, 1e-6);

  const TilePlan plan = TileSheet(drawing.width, drawing.height, c.paper);
  EXPECT_EQ(plan.columns, c.columns);
  EXPECT_EQ(plan.rows, c.rows);
  EXPECT_EQ(plan.tiles.size(), static_cast<std::size_t>(c.columns * c.rows));
  EXPECT_EQ(TemplatePageCount(job, c.paper), 2 * c.columns * c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Papers, TemplateTiling,
    testing::Values(
        // 190 x 245: 1 + ceil(175 / 180) = 2 columns, 1 + ceil(735.478 / 235) = 5 rows.
        TilingCase{"a4", Paper::A4, 2, 5},
        // 277 x 158: 1 + ceil(88 / 267) = 2, 1 + ceil(822.478 / 148) = 7.
        TilingCase{"a4_landscape", Paper::A4Landscape, 2, 7},
        // 195.9 x 227.4: 1 + ceil(169.1 / 185.9) = 2, 1 + ceil(753.078 / 217.4) = 5.
        TilingCase{"letter", Paper::Letter, 2, 5},
        // 259.4 x 163.9: 1 + ceil(105.6 / 249.4) = 2, 1 + ceil(816.578 / 153.9) = 7.
        TilingCase{"letter_landscape", Paper::LetterLandscape, 2, 7}),
    [](const testing::TestParamInfo<TilingCase>& info) { return info.param.name; });

bool Inside(const PageTile& tile, const TilePlan& plan, SheetPoint p) {
  return p.u >= tile.u && p.u <= tile.u + plan.contentWidth && p.v >= tile.v &&
         p.v <= tile.v + plan.contentHeight;
}

TEST(TemplateTiles, EveryCurvePointIsOnAPageAndNeighboursOverlapWithMarks) {
  const ComputedJob job = BigTube();
  for (TemplateEnd end : {TemplateEnd::Left, TemplateEnd::Right}) {
    const Sheet drawing = EndDrawing(job, end);
    const TilePlan plan = TileSheet(drawing.width, drawing.height, Paper::A4);
    int curvePoints = 0;
    for (const SheetLine& line : drawing.lines) {
      if (line.stroke != Stroke::MachinePath || line.points.size() < 20) continue;
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

TEST(ShopOutputs, SvgIsSizedInMillimetres) {
  // 190 mm of header between 10 mm margins. Down: 10 mm margin and the 32 mm header, per end a
  // 6 mm title and a drawing of 10 + 125.664 + 28 mm, 10 mm between the ends, 10 mm margin.
  const std::string svg =
      FormatShopOutput(Computed(DefaultJob()), ShopOutput::SvgTemplate, {}).bytes;
  EXPECT_THAT(svg, HasSubstr("width=\"210mm\" height=\"401.327mm\" viewBox=\"0 0 210 401.327\""));
}

TEST(ShopOutputs, AbsurdTemplatesAreRefused) {
  JobParameters huge = DefaultJob();
  huge.mainDiameter = 2000;
  huge.mainRadius = 1000;
  const ComputedJob hugeJob = Computed(huge);
  ComputedJob broken = Computed(DefaultJob());
  broken.right.path.x[17] = std::numeric_limits<double>::quiet_NaN();

  const struct {
    const char* name;
    const ComputedJob* job;
    ShopOutput output;
    const char* problem;  // nullptr: accepted
  } cases[] = {
      {"huge pdf", &hugeJob, ShopOutput::PdfTemplate, "pages of A4 PORTRAIT (at most 200)"},
      {"huge svg", &hugeJob, ShopOutput::SvgTemplate, "pages of A4 PORTRAIT (at most 200)"},
      {"huge dxf", &hugeJob, ShopOutput::DxfPattern, nullptr},
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
  EXPECT_EQ(PaperNamed("A3"), std::nullopt);
}

}  // namespace
}  // namespace korvex
