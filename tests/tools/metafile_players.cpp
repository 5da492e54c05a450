// Not a test: draws enhanced metafiles once with GDI's player and once with
// GDI+, each into a 24-bit BMP on white, to see what each player makes of a
// file (the EMF+ records, the EMF records a dual file carries).
//   metafile_players.exe WIDTH OUTFOLDER FILE.emf...
// writes OUTFOLDER\NAME.gdi.bmp and NAME.gdiplus.bmp; prints one line a file.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/emf_validator.h"
#include "core/emfplus_records.h"
#include "render/documents/file_bytes.h"
#include "render/documents/metafile_player.h"
#include "toolkit/handles.h"

namespace {

bool WriteBmp(const std::wstring& path, const void* bits, int w, int h) {
  const DWORD stride = (DWORD(w) * 3 + 3) & ~3u, image = stride * DWORD(h);
  BITMAPFILEHEADER f{0x4D42, DWORD(sizeof f + sizeof(BITMAPINFOHEADER) + image), 0, 0,
                     DWORD(sizeof f + sizeof(BITMAPINFOHEADER))};
  BITMAPINFOHEADER i{sizeof i, w, h, 1, 24, BI_RGB, image};
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  const bool ok = fwrite(&f, sizeof f, 1, out) == 1 && fwrite(&i, sizeof i, 1, out) == 1 &&
                  fwrite(bits, 1, image, out) == image;
  return fclose(out) == 0 && ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  const int width = _wtoi(argv[1]);
  const std::wstring folder = argv[2];
  for (int a = 3; a < argc; ++a) {
    const std::wstring path = argv[a];
    const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    std::vector<uint8_t> bytes;
    if (FAILED(documents::ReadWholeFile(path, 256u << 20, bytes))) continue;
    const core::PreparedEmf p = core::PrepareEnhMetafile(bytes.data(), bytes.size());
    if (!p.verdict) {
      std::printf("%ls: refused: %s\n", name.c_str(), p.verdict.reason.c_str());
      continue;
    }
    const tk::EnhMetaFile emf(SetEnhMetaFileBits(UINT(p.bytes.size()), p.bytes.data()));
    ENHMETAHEADER h{};
    GetEnhMetaFileHeader(emf.get(), sizeof h, &h);
    const int height = int(int64_t(width) * (h.rclFrame.bottom - h.rclFrame.top) / (h.rclFrame.right - h.rclFrame.left));
    std::printf("%ls: %s%s, %dx%d:", name.c_str(), p.emfPlus ? "EMF+" : "EMF", p.emfPlusDual ? " dual" : "", width, height);
    documents::GdiPlusPlay outcome;
    for (bool plus : {false, true}) {
      BITMAPINFO bi{};
      bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
      void* bits = nullptr;
      tk::MemoryDC dc(CreateCompatibleDC(nullptr));
      tk::GdiBitmap bmp(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
      if (!bmp) continue;
      const DWORD stride = (DWORD(width) * 3 + 3) & ~3u;
      memset(bits, 0xFF, size_t(stride) * height);
      bool ok = true;
      {
        tk::SelectedObject sel(dc.get(), bmp.get());
        const RECT r{0, 0, width, height};
        if (plus)
          ok = (outcome = documents::PlayWithGdiPlus(dc.get(), emf.get(), r)).played;
        else
          documents::PlayWithGdi(dc.get(), emf.get(), r);
        GdiFlush();
      }
      size_t inked = 0;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
          const uint8_t* px = static_cast<uint8_t*>(bits) + size_t(y) * stride + 3 * size_t(x);
          inked += px[0] != 0xFF || px[1] != 0xFF || px[2] != 0xFF;
        }
      std::printf(" %s %s %.1f%% inked", plus ? "GDI+" : "GDI", ok ? "drew" : "failed", 100.0 * inked / (double(width) * height));
      WriteBmp(folder + L"\\" + name + (plus ? L".gdiplus.bmp" : L".gdi.bmp"), bits, width, height);
    }
    if (outcome.refused)
      std::printf(" (GDI+ refused %u records, %u of them drawing, the first %s)", outcome.refused, outcome.refusedDrawing,
                  outcome.refusedDrawing ? core::EmfPlusRecordName(uint16_t(outcome.firstRefusedDrawing)) : "-");
    std::printf("\n");
  }
  return 0;
}
