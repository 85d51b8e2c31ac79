#include "template/sheet_pages.h"

#include "template/pdf_document.h"

namespace korvex {
namespace {

constexpr double kTitleSize = 4;

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

std::string Printable(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c < 32 || c > 126) c = '?';
  }
  return out;
}

double SheetPages::Top() {
  return kPageMargin + kTitleSize + 6;
}

Sheet& SheetPages::room(double height) {
  if (pages_.empty() || v_ + height > Content().height + kPageMargin) newPage();
  return pages_.back();
}

Sheet& SheetPages::newPage() {
  const PaperSize paper = SizeOf(Paper::A4Landscape);
  pages_.push_back(Sheet{paper.width, paper.height, {}, {}});
  v_ = Top();
  fresh_ = true;
  return pages_.back();
}

std::string SheetPages::pdf() {
  std::vector<PdfPage> pages;
  const std::string count = std::to_string(pages_.size());
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    pages_[i].text({kPageMargin, kPageMargin + kTitleSize}, kTitleSize,
                   "KORVEX " + Upper(kind_) + " - " + title_ + " - PAGE " + std::to_string(i + 1) +
                       " OF " + count);
  }
  for (const Sheet& page : pages_)
    pages.push_back({SizeOf(Paper::A4Landscape), {{&page, {0, 0}, std::nullopt}}});
  return PdfDocument(pages, "KORVEX " + kind_ + " - " + title_);
}

}  // namespace korvex
