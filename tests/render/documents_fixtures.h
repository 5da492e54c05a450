// Shared helpers of the document tests: sample files, temporary files, drawing.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/documents/document_content.h"
#include "render/documents/document_factory.h"
#include "tests/support/files.h"
#include "tests/support/pixels.h"

namespace doctest {

// For test messages: the name with anything beyond ASCII as '?'.
std::string Narrow(const std::wstring& w);

using testsupport::SamplePath;
std::vector<uint8_t> ReadSample(const std::wstring& name);

using TempDir = testsupport::TempDir;

// A 24-bit BMP of one colour; pixelsPerMetre 0 states no resolution.
std::vector<uint8_t> SolidBmp(int width, int height, COLORREF c, int32_t pixelsPerMetre);

// Content of a built-in kind, or nullptr when the bytes are refused.
std::unique_ptr<documents::DocumentContent> Load(documents::DocumentKind kind,
                                                 const std::vector<uint8_t>& bytes);

// Draws content whole into a width x height canvas at (0, 0).
std::unique_ptr<testsupport::DibCanvas> DrawWhole(const documents::DocumentContent& c, int width,
                                                  int height);

// Number of rows of a whole drawing that differ from the same drawing made in
// strips of stripRows rows, each into its own canvas with Top = -rows done.
int RowsDifferingInStrips(const documents::DocumentContent& c, int width, int height, int stripRows);
// The same comparison counted in pixels.
int PixelsDifferingInStrips(const documents::DocumentContent& c, int width, int height, int stripRows);

}  // namespace doctest
