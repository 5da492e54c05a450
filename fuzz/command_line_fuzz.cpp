// The command line's parser on any arguments (split at line breaks; the first
// byte picks single bytes or UTF-16 units for the text):
//   - it decides the same way twice, and a refusal always says why;
//   - accepted options keep every rule: documents present and no option among
//     them, exactly one of --out and --out-dir, the format named by --out's
//     extension, every number in its range, quality only for JPEG, a colour
//     only with a border, no two documents onto the same picture;
//   - the options written back as canonical arguments parse to the same options;
//   - the picture they ask for, for an extent from the input's first 8 bytes:
//     sides in 1..30000 (given ones as given), the frame around them within its
//     largest size, and the format's refusal exactly when its layout cannot be made.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/bmp_layout.h"
#include "core/cli_options.h"
#include "core/le_bytes.h"
#include "core/picture_size.h"
#include "core/render_geometry.h"
#include "core/tiff_layout.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

std::vector<std::wstring> Arguments(const uint8_t* data, size_t size) {
  std::vector<std::wstring> args(1);
  if (size == 0) return {};
  const bool wide = data[0] & 1;
  for (size_t i = 1; i < size; i += wide ? 2 : 1) {
    const wchar_t c = wide && i + 1 < size ? wchar_t(data[i] | data[i + 1] << 8) : wchar_t(data[i]);
    if (c == L'\n')
      args.emplace_back();
    else
      args.back().push_back(c);
  }
  return args;
}

// ASCII letters folded, either slash the same: how the parser must compare names.
std::wstring Fold(std::wstring s) {
  for (wchar_t& c : s) {
    if (c >= L'a' && c <= L'z') c = wchar_t(c - 32);
    if (c == L'/') c = L'\\';
  }
  return s;
}

std::wstring Hex(uint32_t color) {
  wchar_t s[8];
  std::swprintf(s, 8, L"#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  return s;
}

// The options as the arguments that ask for them.
std::vector<std::wstring> Canonical(const core::CliOptions& o) {
  std::vector<std::wstring> a{L"--render"};
  a.insert(a.end(), o.documents.begin(), o.documents.end());
  if (!o.out.empty()) {
    a.insert(a.end(), {L"--out", o.out});
  } else {
    a.insert(a.end(), {L"--out-dir", o.outDir, L"--format", core::FormatTitle(o.write.format)});
  }
  if (o.width) a.insert(a.end(), {L"--width", std::to_wstring(*o.width)});
  if (o.height) a.insert(a.end(), {L"--height", std::to_wstring(*o.height)});
  if (o.border) {
    const core::BorderPercent& b = *o.border;
    a.insert(a.end(), {L"--border", std::to_wstring(b.left) + L"," + std::to_wstring(b.top) + L"," +
                                        std::to_wstring(b.right) + L"," + std::to_wstring(b.bottom)});
    a.insert(a.end(), {L"--border-color", Hex(o.color)});
  }
  a.insert(a.end(), {L"--dpi", std::to_wstring(o.write.dpi)});
  if (o.write.format == core::PictureFormat::kJpeg) a.insert(a.end(), {L"--quality", std::to_wstring(o.write.quality)});
  return a;
}

bool Same(const core::CliOptions& a, const core::CliOptions& b) {
  const bool borders = a.border.has_value() == b.border.has_value() &&
                       (!a.border || (a.border->left == b.border->left && a.border->top == b.border->top &&
                                      a.border->right == b.border->right && a.border->bottom == b.border->bottom));
  return a.documents == b.documents && a.out == b.out && a.outDir == b.outDir && a.write.format == b.write.format &&
         a.write.dpi == b.write.dpi && a.write.quality == b.write.quality && a.width == b.width &&
         a.height == b.height && borders && a.color == b.color && a.help == b.help;
}

bool InRange(int32_t v, int32_t low, int32_t high) { return v >= low && v <= high; }

void CheckPicture(const core::CliOptions& o, core::Extent extent) {
  const core::PictureSize size = core::ResolvePictureSize(o.width, o.height, extent);
  Check(InRange(size.width, 1, core::kMaxSide) && InRange(size.height, 1, core::kMaxSide));
  if (o.width) Check(size.width == *o.width);
  if (o.height) Check(size.height == *o.height);
  const core::RenderSettings s = core::RenderSettingsFor(o, size);
  const core::FrameGeometry f = core::ComputeFrame(core::ClampedSettings(s));
  Check(InRange(f.totalWidth, s.width, 3 * core::kMaxSide) && InRange(f.totalHeight, s.height, 12 * core::kMaxSide));
  Check(f.leftOffset >= 0 && int64_t{f.leftOffset} + s.width <= f.totalWidth);
  Check(f.topOffset >= 0 && int64_t{f.topOffset} + s.height <= f.totalHeight);
  const auto refusal = core::SizeRefusal(o.write.format, f.totalWidth, f.totalHeight);
  switch (o.write.format) {
    case core::PictureFormat::kBmp: {
      const auto layout = core::MakeBmpLayout(f.totalWidth, f.totalHeight, o.write.dpi);
      Check(layout.has_value() != refusal.has_value());
      if (layout) Check(layout->fileBytes <= core::kMaxBmpFileBytes);
      break;
    }
    case core::PictureFormat::kTiff:
      Check(!refusal && core::MakeTiffLayout(f.totalWidth, f.totalHeight, o.write.dpi).has_value());
      break;
    case core::PictureFormat::kJpeg:
      Check(refusal.has_value() == (f.totalWidth > core::kMaxJpegSide || f.totalHeight > core::kMaxJpegSide));
      break;
    case core::PictureFormat::kPng: Check(!refusal); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::wstring> args = Arguments(data, size);
  bool dashes = false;
  for (const auto& a : args) dashes = dashes || a.rfind(L"--", 0) == 0;
  Check(core::WantsCommandLine(args) == dashes);

  const core::ParseResult r = core::ParseArguments(args);
  const core::ParseResult again = core::ParseArguments(args);
  Check(r.error == again.error && r.options.has_value() == again.options.has_value());
  if (!r.options) {
    Check(!r.error.empty());
    Check(core::ReplyText(r) == r.error + L"\n\n" + core::UsageText());
    return 0;
  }
  Check(Same(*r.options, *again.options));
  const core::CliOptions& o = *r.options;
  if (o.help) {
    Check(core::ReplyText(r) == core::UsageText());
    return 0;
  }
  Check(core::ReplyText(r).empty());
  Check(!o.documents.empty());
  for (const auto& d : o.documents) Check(!d.empty() && d.rfind(L"--", 0) != 0);
  Check(o.out.empty() != o.outDir.empty());
  if (!o.out.empty()) {
    Check(o.documents.size() == 1);
    Check(core::FormatFromFileName(o.out) == o.write.format);
  }
  Check(InRange(o.write.dpi, core::kMinDpi, core::kMaxDpi));
  Check(InRange(o.write.quality, core::kMinQuality, core::kMaxQuality));
  if (o.write.format != core::PictureFormat::kJpeg) Check(o.write.quality == core::kDefaultQuality);
  if (o.width) Check(InRange(*o.width, 1, core::kMaxSide));
  if (o.height) Check(InRange(*o.height, 1, core::kMaxSide));
  if (o.border) {
    Check(InRange(o.border->left, 0, 100) && InRange(o.border->top, 0, 100) && InRange(o.border->right, 0, 100));
    Check(InRange(o.border->bottom, 0, 1000));
  } else {
    Check(o.color == 0x00FFFFFF);
  }
  Check(o.color <= 0x00FFFFFF);
  const std::vector<core::RenderJob> jobs = core::Jobs(o);
  Check(jobs.size() == o.documents.size());
  for (size_t i = 0; i < jobs.size(); ++i) {
    Check(jobs[i].document == o.documents[i]);
    Check(core::FormatFromFileName(jobs[i].picture) == o.write.format);
    for (size_t j = 0; j < i; ++j) Check(Fold(jobs[i].picture) != Fold(jobs[j].picture));
  }

  const core::ParseResult canonical = core::ParseArguments(Canonical(o));
  Check(canonical.options.has_value());
  Check(Same(o, *canonical.options));

  const core::ByteReader bytes(data, size);
  CheckPicture(o, core::Extent{bytes.I32(0), bytes.I32(4)});
  return 0;
}
