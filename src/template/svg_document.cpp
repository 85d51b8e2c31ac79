#include "template/svg_document.h"

#include "base/decimal_text.h"

namespace korvex {
namespace {

void Number(std::string& out, double value) {
  AppendDecimal(out, value, 3);
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Gray(double level) {
  static constexpr char kDigits[] = "0123456789abcdef";
  const auto value = static_cast<unsigned>(level * 255 + 0.5);
  const std::string byte{kDigits[value / 16], kDigits[value % 16]};
  return "#" + byte + byte + byte;
}

}  // namespace

std::string SvgDocument(const Sheet& sheet, const std::string& title) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
  Number(out, sheet.width);
  out += "mm\" height=\"";
  Number(out, sheet.height);
  out += "mm\" viewBox=\"0 0 ";
  Number(out, sheet.width);
  out += ' ';
  Number(out, sheet.height);
  out += "\">\n<title>" + Escaped(title) + "</title>\n";
  out += "<rect x=\"0\" y=\"0\" width=\"";
  Number(out, sheet.width);
  out += "\" height=\"";
  Number(out, sheet.height);
  out += "\" fill=\"#ffffff\"/>\n";
  out += "<g fill=\"none\" stroke-linejoin=\"round\">\n";
  for (const SheetLine& line : sheet.lines) {
    const StrokeLook look = LookOf(line.stroke);
    out += "<polyline class=\"" + std::string(NameOf(line.stroke)) + "\" stroke=\"" +
           Gray(look.gray) + "\" stroke-width=\"";
    Number(out, look.width);
    out += '"';
    if (!look.dashes.empty()) {
      out += " stroke-dasharray=\"";
      for (std::size_t i = 0; i < look.dashes.size(); ++i) {
        if (i > 0) out += ' ';
        Number(out, look.dashes[i]);
      }
      out += '"';
    }
    out += " points=\"";
    for (std::size_t i = 0; i < line.points.size(); ++i) {
      if (i > 0) out += ' ';
      Number(out, line.points[i].u);
      out += ',';
      Number(out, line.points[i].v);
    }
    out += "\"/>\n";
  }
  out += "</g>\n<g font-family=\"Helvetica, Arial, sans-serif\" fill=\"#000000\">\n";
  for (const SheetText& text : sheet.texts) {
    out += "<text x=\"";
    Number(out, text.at.u);
    out += "\" y=\"";
    Number(out, text.at.v);
    out += "\" font-size=\"";
    Number(out, text.size);
    out += "\">" + Escaped(text.text) + "</text>\n";
  }
  return out + "</g>\n</svg>\n";
}

}  // namespace korvex
