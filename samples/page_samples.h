// The page-document samples, written as text by our own code: a one-page PDF
// and an SVG of the same 400 x 300 point drawing.
#pragma once
#include <string>
#include <vector>

namespace samples {

// Known places, in points from the page's top-left, for tests: red rectangle
// (40..160, 40..120) with a black outline, blue circle around (280, 90) of
// radius 50, green triangle (40, 260) (160, 260) (100, 160), an 8 x 6 pixel
// checkerboard image of yellow and purple at (220..340, 170..260) whose
// top-left pixel is yellow, and black text with its baseline at y 145 from x 40.
inline constexpr int kPageWidth = 400, kPageHeight = 300;

// A page after the first, filled with one colour.
struct PlainPage {
  int width = 0, height = 0;  // points
  double red = 0, green = 0, blue = 0;  // 0..1
};

struct PdfParts {
  std::string extraPagesEntries;  // added to the /Pages dictionary
  std::string extraTrailer;       // added to the trailer dictionary
  bool noPages = false;           // an empty page tree
  // A JPEG file to show instead of the checkerboard, with its size in pixels.
  std::string jpeg;
  int jpegWidth = 0, jpegHeight = 0;
  std::vector<PlainPage> morePages;  // after the sample page
};

// A PDF 1.4 file with its cross-reference table; `parts` varies it for tests.
// Pages after the first take objects from 7 on, two each.
std::string SamplePdf(const PdfParts& parts = {});

std::string SampleSvg();

}  // namespace samples
