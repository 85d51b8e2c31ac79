#include "template/pdf_document.h"

#include <cstdint>

#include "base/decimal_text.h"

namespace korvex {
namespace {

constexpr double kPointsPerMm = 72 / 25.4;

void Number(std::string& out, double value) {
  AppendDecimal(out, value, 3);
}

// A literal string: brackets and backslashes escaped.
std::string Literal(const std::string& text) {
  std::string out = "(";
  for (char c : text) {
    if (c == '(' || c == ')' || c == '\\') out += '\\';
    out += c;
  }
  return out + ")";
}

void AppendSheet(std::string& out, const Sheet& sheet) {
  for (const SheetLine& line : sheet.lines) {
    if (line.points.size() < 2) continue;
    const StrokeLook look = LookOf(line.stroke);
    Number(out, look.width);
    out += " w ";
    Number(out, look.gray);
    out += " G [";
    for (std::size_t i = 0; i < look.dashes.size(); ++i) {
      if (i > 0) out += ' ';
      Number(out, look.dashes[i]);
    }
    out += "] 0 d\n";
    for (std::size_t i = 0; i < line.points.size(); ++i) {
      Number(out, line.points[i].u);
      out += ' ';
      Number(out, line.points[i].v);
      out += i == 0 ? " m\n" : " l\n";
    }
    out += "S\n";
  }
  for (const SheetText& text : sheet.texts) {
    out += "BT /F1 ";
    Number(out, text.size);
    // The page is drawn with v downwards; the text matrix turns the glyphs upright again.
    out += " Tf 1 0 0 -1 ";
    Number(out, text.at.u);
    out += ' ';
    Number(out, text.at.v);
    out += " Tm " + Literal(text.text) + " Tj ET\n";
  }
}

std::string PageContent(const PdfPage& page) {
  // The scale carries nine decimals: three would make 100 mm print 0.01 mm long.
  std::string out = "q ";
  AppendDecimal(out, kPointsPerMm, 9);
  out += " 0 0 ";
  AppendDecimal(out, -kPointsPerMm, 9);
  out += " 0 ";
  Number(out, page.paper.height * kPointsPerMm);
  out += " cm 1 j 0 g\n";
  for (const PlacedSheet& placed : page.sheets) {
    out += "q\n";
    if (placed.clip) {
      Number(out, placed.clip->topLeft.u);
      out += ' ';
      Number(out, placed.clip->topLeft.v);
      out += ' ';
      Number(out, placed.clip->width);
      out += ' ';
      Number(out, placed.clip->height);
      out += " re W n\n";
    }
    out += "1 0 0 1 ";
    Number(out, placed.offset.u);
    out += ' ';
    Number(out, placed.offset.v);
    out += " cm\n";
    AppendSheet(out, *placed.sheet);
    out += "Q\n";
  }
  return out + "Q\n";
}

std::uint64_t Fnv1a(const std::string& bytes, std::uint64_t hash) {
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ULL;
  }
  return hash;
}

std::string Hex(std::uint64_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4)
    text[static_cast<std::size_t>(i)] = kDigits[value & 15];
  return text;
}

class PdfBuilder {
 public:
  PdfBuilder() { out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"; }

  void object(int number, const std::string& body) {
    offsets_.resize(static_cast<std::size_t>(number) + 1, 0);
    offsets_[static_cast<std::size_t>(number)] = out_.size();
    out_ += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
  }

  void stream(int number, const std::string& content) {
    object(number, "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
                       "endstream");
  }

  std::string finish(int root, int info) {
    const std::size_t xref = out_.size();
    const std::string id = Hex(Fnv1a(out_, 14695981039346656037ULL)) + Hex(Fnv1a(out_, 1));
    out_ += "xref\n0 " + std::to_string(offsets_.size()) + "\n0000000000 65535 f \n";
    for (std::size_t i = 1; i < offsets_.size(); ++i) {
      std::string offset = std::to_string(offsets_[i]);
      out_ += std::string(10 - offset.size(), '0') + offset + " 00000 n \n";
    }
    out_ += "trailer\n<< /Size " + std::to_string(offsets_.size()) + " /Root " +
            std::to_string(root) + " 0 R /Info " + std::to_string(info) + " 0 R /ID [<" + id +
            "> <" + id + ">] >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return std::move(out_);
  }

 private:
  std::string out_;
  std::vector<std::size_t> offsets_;
};

}  // namespace

std::string PdfDocument(const std::vector<PdfPage>& pages, const std::string& title) {
  constexpr int kCatalog = 1, kPages = 2, kFont = 3, kInfo = 4, kFirstPage = 5;
  PdfBuilder pdf;
  pdf.object(kCatalog, "<< /Type /Catalog /Pages 2 0 R >>");
  std::string kids;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    kids += (i == 0 ? "" : " ") + std::to_string(kFirstPage + 2 * static_cast<int>(i)) + " 0 R";
  }
  pdf.object(kPages,
             "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>");
  pdf.object(kFont,
             "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
  pdf.object(kInfo, "<< /Title " + Literal(title) + " /Producer (KORVEX) >>");
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const int page = kFirstPage + 2 * static_cast<int>(i);
    std::string box;
    Number(box, pages[i].paper.width * kPointsPerMm);
    box += ' ';
    Number(box, pages[i].paper.height * kPointsPerMm);
    pdf.object(page, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + box +
                         "] /Resources << /Font << /F1 3 0 R >> >> /Contents " +
                         std::to_string(page + 1) + " 0 R >>");
    pdf.stream(page + 1, PageContent(pages[i]));
  }
  return pdf.finish(kCatalog, kInfo);
}

}  // namespace korvex
