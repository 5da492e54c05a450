// What a render costs: wall time by phase, peak memory, and the same pipeline
// without a document against the floor of touching and filling a fresh target.
//   render_bench.exe CASE [DOCUMENT]     CASE: a4 | wide | huge
// Run through bench/run.sh; each case in a process of its own, since peak
// memory is a figure of the whole process.
#include <windows.h>
#include <ole2.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "render/holder/document_holder.h"
#include "render/renderer/strip_renderer.h"
#include "toolkit/handles.h"

namespace {

struct Case {
  const wchar_t* name;
  render::RenderSettings settings;
};

render::RenderSettings Settings(int w, int h, int border) {
  render::RenderSettings s;
  s.width = w;
  s.height = h;
  s.border = border > 0;
  s.left = s.right = s.top = s.bottom = border;
  s.color = 0x00336699;
  return s;
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

double MB(uint64_t bytes) { return double(bytes) / (1024.0 * 1024.0); }

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS m{};
  m.cb = sizeof m;
  GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
  return m;
}

struct Result {
  double total = 0;
  render::RenderTimings t;
  bool cornersRight = false;  // checked only for the render without a document
};

// Without a document the picture is white inside a frame of the border colour.
// The top corners lie past 2 GB into the pixel memory of the largest picture,
// so this shows the offsets held there.
bool CornersRight(const TDibImage& p, const render::RenderSettings& s) {
  const render::FrameGeometry f = render::ComputeFrame(s);
  const core::PixelBytes border = core::BorderPixel(s.color);
  auto at = [&](int x, int yFromTop) {
    const auto* px = static_cast<const uint8_t*>(p.Bits) + int64_t(f.totalHeight - 1 - yFromTop) * p.BytesPerRow + 3 * int64_t(x);
    return uint32_t(px[0]) << 16 | uint32_t(px[1]) << 8 | px[2];
  };
  const uint32_t white = 0xFFFFFF, frame = uint32_t(border.b) << 16 | uint32_t(border.g) << 8 | border.r;
  const int l = f.leftOffset, t = f.topOffset, r = l + s.width - 1, b = t + s.height - 1;
  bool ok = at(l, t) == white && at(r, t) == white && at(l, b) == white && at(r, b) == white;
  if (s.border) ok = ok && at(0, 0) == frame && at(f.totalWidth - 1, f.totalHeight - 1) == frame && at(l - 1, t) == frame;
  return ok;
}

Result RenderOnce(const render::RenderSettings& s, const render::DocumentDrawer& drawer) {
  tk::MemoryDC reference(CreateCompatibleDC(nullptr));
  render::RenderContext c;
  c.referenceDC = reference.get();
  c.drawDocument = drawer;
  c.message = [](const std::wstring& text, const std::wstring&, UINT) { std::printf("  message: %ls\n", text.c_str()); };
  render::StripRenderer r(c);
  Result out;
  const LARGE_INTEGER a = Now();
  raster::OwnedDib picture = r.Render(s);
  const LARGE_INTEGER b = Now();
  out.total = Seconds(a, b);
  out.t = r.LastTimings();
  if (!picture) std::printf("  render failed\n");
  if (picture && !drawer) out.cornersRight = CornersRight(picture.get(), s);
  return out;  // the picture is released here, before the next measurement
}

void Print(const char* what, const Result& r) {
  const auto& t = r.t;
  std::printf("  %-12s total %7.3f s | fill %6.3f  strips %6.3f  draw %7.3f  read-back %6.3f  place %6.3f | %d strips\n",
              what, r.total, t.begin, t.stripSetup, t.drawing, t.readBack, t.placement, t.strips);
}

// The least any render of this size must do: fault in and write every byte of
// a fresh target once, and copy the picture's rows into it once.
void Floor(const render::FrameGeometry& f, double& touch, double& copy) {
  const size_t stride = size_t(core::DibStride(f.totalWidth, 24));
  const size_t bytes = stride * size_t(f.totalHeight);
  const size_t stripBytes = stride * core::kStripRows;
  LARGE_INTEGER a = Now();
  auto* target = static_cast<uint8_t*>(VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  auto* strip = static_cast<uint8_t*>(VirtualAlloc(nullptr, stripBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  if (!target || !strip) {
    std::printf("  floor: out of memory\n");
    return;
  }
  std::memset(strip, 0x7F, stripBytes);
  a = Now();
  std::memset(target, 0xFF, bytes);
  LARGE_INTEGER b = Now();
  touch = Seconds(a, b);
  for (size_t done = 0; done < bytes; done += stripBytes) std::memcpy(target + done, strip, std::min(stripBytes, bytes - done));
  copy = Seconds(b, Now());
  VirtualFree(strip, 0, MEM_RELEASE);
  VirtualFree(target, 0, MEM_RELEASE);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const Case cases[] = {
      {L"a4", Settings(10000, 14142, 5)},
      {L"wide", Settings(30000, 3000, 0)},
      {L"huge", Settings(30000, 30000, 5)},
  };
  const Case* chosen = nullptr;
  for (const Case& c : cases)
    if (argc > 1 && std::wstring(argv[1]) == c.name) chosen = &c;
  if (!chosen) {
    std::printf("usage: render_bench a4|wide|huge [document]\n");
    return 2;
  }
  OleInitialize(nullptr);
  const PROCESS_MEMORY_COUNTERS base = Memory();
  {
    render::DocumentHolder holder(render::DocumentHolder::Host{});
    std::wstring document = argc > 2 ? argv[2] : L"";
    if (!document.empty()) {
      try {
        holder.LinkDocument(document);
      } catch (...) {
        std::printf("could not link %ls\n", document.c_str());
        return 1;
      }
    }
    const render::RenderSettings& s = chosen->settings;
    const render::FrameGeometry f = render::ComputeFrame(s);
    const double target = double(core::DibStride(f.totalWidth, 24)) * f.totalHeight;
    const double strip = double(core::DibStride(s.width, 24)) * core::kStripRows;
    std::printf("%ls: %d x %d%s -> %d x %d, target %.1f MB, strip %.1f MB, document %ls\n", chosen->name, s.width,
                s.height, s.border ? " with 5 % borders" : "", f.totalWidth, f.totalHeight, MB(uint64_t(target)),
                MB(uint64_t(strip)), document.empty() ? L"(none)" : document.c_str());

    const Result withDoc = RenderOnce(s, [&holder](HDC dc, int l, int t, int w, int h) { holder.DrawDocument(dc, l, t, w, h); });
    const PROCESS_MEMORY_COUNTERS afterDoc = Memory();
    const Result noDoc = RenderOnce(s, nullptr);
    const PROCESS_MEMORY_COUNTERS afterNoDoc = Memory();
    double touch = 0, copy = 0;
    Floor(f, touch, copy);

    Print("document", withDoc);
    Print("no document", noDoc);
    std::printf("  frame and picture corners of the render without a document: %s\n", noDoc.cornersRight ? "right" : "WRONG");
    std::printf("  floor        touch %6.3f s + copy %6.3f s = %6.3f s\n", touch, copy, touch + copy);
    std::printf("  own cost vs floor: %.2fx (no document / floor; aim: at most 1.5x)\n", noDoc.total / (touch + copy));
    const double budget = target + 2 * strip + 32.0 * 1024 * 1024;
    auto peak = [&](const char* what, const PROCESS_MEMORY_COUNTERS& m) {
      const double ws = double(m.PeakWorkingSetSize) - double(base.WorkingSetSize);
      const double pf = double(m.PeakPagefileUsage) - double(base.PagefileUsage);
      std::printf("  peak after %-11s working set +%8.1f MB (%.2fx budget), commit as reported +%8.1f MB (%.2fx)\n", what,
                  MB(uint64_t(ws)), ws / budget, MB(uint64_t(pf)), pf / budget);
    };
    std::printf("  budget: target + two strips + 32 MB = %.1f MB; process at start: working set %.1f MB, commit %.1f MB\n",
                MB(uint64_t(budget)), MB(base.WorkingSetSize), MB(base.PagefileUsage));
    peak("document", afterDoc);
    peak("no document", afterNoDoc);
  }
  OleUninitialize();
  return 0;
}
