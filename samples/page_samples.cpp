#include "samples/page_samples.h"

#include <cstdio>
#include <vector>

namespace samples {
namespace {

constexpr double kKappa = 0.5523;  // Bezier control distance of a quarter circle, per radius

std::string Format(const char* format, double a, double b, double c, double d, double e, double f) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b, c, d, e, f);
  return text;
}

// A circle of four Bezier curves, in PDF's upward y.
std::string Circle(double cx, double cy, double r) {
  const double k = kKappa * r;
  std::string s = Format("%.2f %.2f m\n", cx + r, cy, 0, 0, 0, 0);
  s += Format("%.2f %.2f %.2f %.2f %.2f %.2f c\n", cx + r, cy + k, cx + k, cy + r, cx, cy + r);
  s += Format("%.2f %.2f %.2f %.2f %.2f %.2f c\n", cx - k, cy + r, cx - r, cy + k, cx - r, cy);
  s += Format("%.2f %.2f %.2f %.2f %.2f %.2f c\n", cx - r, cy - k, cx - k, cy - r, cx, cy - r);
  s += Format("%.2f %.2f %.2f %.2f %.2f %.2f c\n", cx + k, cy - r, cx + r, cy - k, cx + r, cy);
  return s + "f\n";
}

// 8 x 6 pixels, yellow and purple, as hexadecimal RGB.
std::string CheckerHex() {
  std::string hex;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) hex += (x + y) % 2 == 0 ? "FFDC00" : "7800A0";
  return hex + ">";
}

std::string PageContent() {
  std::string s;
  s += "1 0 0 rg 40 180 120 80 re f\n";
  s += "0 0 0 RG 2 w 40 180 120 80 re S\n";
  s += "0 0 1 rg\n" + Circle(280, 210, 50);
  s += "0 0.6 0.2 rg 40 40 m 160 40 l 100 140 l h f\n";
  s += "q 120 0 0 90 220 40 cm /Im1 Do Q\n";
  s += "0 g BT /F1 18 Tf 40 155 Td (Verdalux sample page) Tj ET\n";
  return s;
}

}  // namespace

std::string SamplePdf(const PdfParts& parts) {
  const std::string content = PageContent();
  const std::string image = CheckerHex();
  std::string kids = "[]";
  if (!parts.noPages) {
    kids = "[3 0 R";
    for (size_t i = 0; i < parts.morePages.size(); ++i) kids += " " + std::to_string(7 + 2 * i) + " 0 R";
    kids += "]";
  }
  const std::string count = parts.noPages ? "0" : std::to_string(1 + parts.morePages.size());
  std::vector<std::string> objects = {
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Kids " + kids + " /Count " + count + parts.extraPagesEntries + " >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 400 300] /Contents 4 0 R\n"
      "   /Resources << /Font << /F1 5 0 R >> /XObject << /Im1 6 0 R >> >> >>",
      "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
      parts.jpeg.empty()
          ? "<< /Type /XObject /Subtype /Image /Width 8 /Height 6 /ColorSpace /DeviceRGB /BitsPerComponent 8\n"
            "   /Filter /ASCIIHexDecode /Length " + std::to_string(image.size()) + " >>\nstream\n" + image +
                "\nendstream"
          : "<< /Type /XObject /Subtype /Image /Width " + std::to_string(parts.jpegWidth) + " /Height " +
                std::to_string(parts.jpegHeight) + " /ColorSpace /DeviceRGB /BitsPerComponent 8\n"
                "   /Filter /DCTDecode /Length " + std::to_string(parts.jpeg.size()) + " >>\nstream\n" +
                parts.jpeg + "\nendstream",
  };
  for (size_t i = 0; i < parts.morePages.size(); ++i) {
    const PlainPage& p = parts.morePages[i];
    const std::string fill = Format("%.3f %.3f %.3f rg 0 0 %.0f %.0f re f\n", p.red, p.green, p.blue, p.width,
                                    p.height, 0);
    objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(p.width) + " " +
                      std::to_string(p.height) + "] /Contents " + std::to_string(8 + 2 * i) + " 0 R >>");
    objects.push_back("<< /Length " + std::to_string(fill.size()) + " >>\nstream\n" + fill + "endstream");
  }
  std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  std::vector<size_t> offsets;
  for (size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (size_t offset : offsets) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    pdf += entry;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R" + parts.extraTrailer +
         " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

std::string SampleSvg() {
  std::string s;
  s += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  s += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400pt\" height=\"300pt\" viewBox=\"0 0 400 300\">\n";
  s += "  <rect x=\"40\" y=\"40\" width=\"120\" height=\"80\" fill=\"#FF0000\" stroke=\"#000000\" stroke-width=\"2\"/>\n";
  s += "  <circle cx=\"280\" cy=\"90\" r=\"50\" fill=\"#0000FF\"/>\n";
  s += "  <polygon points=\"40,260 160,260 100,160\" fill=\"#009933\"/>\n";
  // The checkerboard as squares, the same colours as the PDF's image.
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      char square[120];
      std::snprintf(square, sizeof square, "  <rect x=\"%d\" y=\"%d\" width=\"15\" height=\"15\" fill=\"#%s\"/>\n",
                    220 + 15 * x, 170 + 15 * y, (x + y) % 2 == 0 ? "FFDC00" : "7800A0");
      s += square;
    }
  s += "  <text x=\"40\" y=\"145\" font-family=\"Helvetica\" font-size=\"18\" fill=\"#000000\">Verdalux sample page</text>\n";
  s += "</svg>\n";
  return s;
}

}  // namespace samples
