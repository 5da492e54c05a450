// Where the time of a streamed render goes: the renderer's phases, the
// framing of strips into bands, the writer's own time (on its thread) and the
// renderer's waits for it, with the process's peak memory.
//   stream_bench.exe DOCUMENT OUT_PICTURE WIDTH [BORDER_PERCENT] [sync]
// The picture's format follows OUT_PICTURE's extension; "sync" runs the writer
// on the renderer's thread.
#include <windows.h>
#include <ole2.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "core/picture_format.h"
#include "output/stream_sink.h"
#include "render/holder/document_holder.h"
#include "render/renderer/strip_renderer.h"
#include "toolkit/handles.h"

namespace {

double Now() {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return double(t.QuadPart) / double(f.QuadPart);
}

double PeakMB() {
  PROCESS_MEMORY_COUNTERS m{};
  m.cb = sizeof m;
  GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
  return double(m.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::printf("usage: stream_bench DOCUMENT OUT_PICTURE WIDTH [BORDER_PERCENT] [sync]\n");
    return 2;
  }
  OleInitialize(nullptr);
  const double start = Now();
  int rc = 0;
  {
    render::DocumentHolder holder(render::DocumentHolder::Host{});
    try {
      holder.LinkDocument(argv[1]);
    } catch (...) {
      std::printf("could not link %ls\n", argv[1]);
      return 1;
    }
    const POINT extent = holder.GetDocumentExtent();
    render::RenderSettings s;
    s.width = _wtoi(argv[3]);
    s.height = int(int64_t{s.width} * extent.y / extent.x);
    const int border = argc > 4 ? _wtoi(argv[4]) : 0;
    s.border = border > 0;
    s.left = s.top = s.right = s.bottom = border;
    s.color = 0x00336699;
    const auto format = core::FormatFromFileName(argv[2]);
    if (!format) return 2;
    core::WriteOptions options;
    options.format = *format;
    const bool threaded = !(argc > 5 && std::wstring(argv[5]) == L"sync");
    output::StreamSink sink(output::MakePictureWriter(argv[2], options), threaded);
    tk::MemoryDC reference(CreateCompatibleDC(nullptr));
    render::RenderContext c;
    c.referenceDC = reference.get();
    c.drawDocument = [&holder](HDC dc, int l, int t, int w, int h) { holder.DrawDocument(dc, l, t, w, h); };
    c.message = [](const std::wstring& text, const std::wstring&, UINT) { std::printf("  message: %ls\n", text.c_str()); };
    render::StripRenderer r(c);
    const double linked = Now();
    const bool ok = r.Render(s, sink);
    const double done = Now();
    const render::RenderTimings& t = r.LastTimings();
    const render::FrameGeometry f = render::ComputeFrame(s);
    std::printf("%ls: %d x %d, %s writer, %s\n", argv[2], f.totalWidth, f.totalHeight, threaded ? "threaded" : "inline",
                ok ? "written" : "FAILED");
    std::printf("  link %.3f s, render and write %.3f s\n", linked - start, done - linked);
    std::printf("  renderer: begin %.3f  strip setup %.3f  draw %.3f  read-back %.3f  to sink %.3f  finish %.3f | %d strips\n",
                t.begin, t.stripSetup, t.drawing, t.readBack, t.placement, t.finish, t.strips);
    std::printf("  sink: framing %.3f  writer busy %.3f  renderer waited %.3f | band %.1f MB\n", sink.ComposeSeconds(),
                sink.WriterSeconds(), sink.WaitSeconds(), double(sink.BandBytes()) / (1024.0 * 1024.0));
    std::printf("  peak working set %.1f MB\n", PeakMB());
    rc = ok ? 0 : 1;
  }
  OleUninitialize();
  return rc;
}
