// The batch command line on any argument vector: the input split at NUL bytes
// into arguments (see wide_input.h for the text of each), and the picture size
// rules for the parsed sides and for any extent and any given sides.
//   - a successful parse's values lie within their documented ranges;
//   - a failed parse says why, and the reply holds that and the usage text;
//   - derived sides lie in 1..30000, the frame and the BMP layout agree.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/bmp_layout.h"
#include "core/cli_options.h"
#include "core/le_bytes.h"
#include "core/picture_size.h"
#include "core/render_geometry.h"
#include "fuzz/wide_input.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool InRange(int32_t v, int32_t low, int32_t high) { return v >= low && v <= high; }

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

void CheckSize(const core::PictureSize& s) {
  Check(InRange(s.width, 1, core::kMaxSide) && InRange(s.height, 1, core::kMaxSide));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first 8 bytes are also a document extent.
  const core::ByteReader bytes(data, size);
  const core::Extent extent{bytes.I32(0), bytes.I32(4)};

  std::vector<std::wstring> args;
  size_t start = 0;
  for (size_t i = 0; i <= size; ++i) {
    if (i == size || data[i] == 0) {
      args.push_back(fuzzinput::WideFromBytes(data + start, i - start));
      start = i + 1;
    }
  }

  bool dashes = false;
  for (const auto& a : args) dashes = dashes || a.rfind(L"--", 0) == 0;
  Check(core::WantsCommandLine(args) == dashes);

  const core::ParseResult r = core::ParseArguments(args);
  const std::wstring reply = core::ReplyText(r);
  if (!r.options) {
    Check(!r.error.empty());
    Check(Contains(reply, r.error) && Contains(reply, core::UsageText()));
  } else {
    const core::CliOptions& o = *r.options;
    Check(r.error.empty());
    if (o.help) {
      Check(reply == core::UsageText());
    } else {
      Check(reply.empty());
      Check(!o.document.empty() && !o.out.empty());
    }
    if (o.width) Check(InRange(*o.width, 1, core::kMaxSide));
    if (o.height) Check(InRange(*o.height, 1, core::kMaxSide));
    if (o.border) {
      Check(InRange(o.border->left, 0, core::kMaxEdgePercent) && InRange(o.border->top, 0, core::kMaxEdgePercent) &&
            InRange(o.border->right, 0, core::kMaxEdgePercent) &&
            InRange(o.border->bottom, 0, core::kMaxBottomPercent));
    }
    Check(o.color <= 0x00FFFFFFu);
    if (!o.help && !o.border) Check(o.color == 0x00FFFFFFu);

    // The render the options ask for: every side in range, the frame within
    // its largest size, the BMP layout present exactly when the file fits.
    const core::PictureSize s = core::ResolvePictureSize(o.width, o.height, extent);
    CheckSize(s);
    if (o.width) Check(s.width == *o.width);
    if (o.height) Check(s.height == *o.height);
    core::RenderSettings settings;
    settings.width = s.width;
    settings.height = s.height;
    settings.border = o.border.has_value();
    if (o.border) {
      settings.left = o.border->left;
      settings.top = o.border->top;
      settings.right = o.border->right;
      settings.bottom = o.border->bottom;
    }
    const core::FrameGeometry f = core::ComputeFrame(settings);
    Check(InRange(f.totalWidth, s.width, 3 * core::kMaxSide) && InRange(f.totalHeight, s.height, 12 * core::kMaxSide));
    Check(f.leftOffset >= 0 && int64_t{f.leftOffset} + s.width <= f.totalWidth);
    Check(f.topOffset >= 0 && int64_t{f.topOffset} + s.height <= f.totalHeight);
    const auto layout = core::MakeBmpLayout(f.totalWidth, f.totalHeight);
    const uint64_t fileBytes = uint64_t(core::DibStride(f.totalWidth, 24)) * uint64_t(f.totalHeight) + 54;
    Check(layout.has_value() == (fileBytes <= core::kMaxBmpFileBytes));
    if (layout) Check(layout->fileBytes == fileBytes && layout->header.size() == core::kBmpHeaderBytes);
  }

  // The size rules for any given sides: what is given stays, what is derived is in range.
  const auto side = [&](uint64_t at) -> std::optional<int32_t> {
    const int32_t v = bytes.I32(at);
    return (v & 1) ? std::optional<int32_t>(v >> 1) : std::nullopt;
  };
  const auto w = side(8), h = side(12);
  const core::PictureSize any = core::ResolvePictureSize(w, h, extent);
  if (w) Check(any.width == *w);
  if (h) Check(any.height == *h);
  if (!w) Check(InRange(any.width, 1, core::kMaxSide));
  if (!h) Check(InRange(any.height, 1, core::kMaxSide));
  return 0;
}
