#include "app/cli/batch_render.h"

#include <windows.h>

#include <exception>

#include "app/cli/bmp_file.h"
#include "app/cli/picture_size.h"
#include "render/holder/document_holder.h"
#include "render/holder/ole_error.h"
#include "render/holder/ole_session.h"
#include "toolkit/handles.h"

namespace cli {
namespace {

// The size the holder proposes to an object that takes the container's size:
// the preview area of the main window at its first start.
constexpr SIZE kHolderSize{400, 300};

std::wstring FullPath(const std::wstring& path) {
  const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring full(n, L'\0');
  const DWORD m = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
  full.resize(m < n ? m : 0);
  return full.empty() ? path : full;
}

render::RenderSettings SettingsFor(const CliOptions& o, PictureSize size) {
  render::RenderSettings s;
  s.width = size.width;
  s.height = size.height;
  s.border = o.border.has_value();
  if (o.border) {
    s.left = o.border->left;
    s.top = o.border->top;
    s.right = o.border->right;
    s.bottom = o.border->bottom;
  }
  s.color = o.color;
  return s;
}

}  // namespace

int RunBatch(const CliOptions& options, const TextSink& errors, const BatchHooks& hooks) {
  std::optional<render::OleSession> ole;
  try {
    ole.emplace();
  } catch (const render::OleError& e) {
    errors(kImportFailedText);
    errors(e.Reason());
    return kExitFailed;
  } catch (const std::exception&) {
    errors(kImportFailedText);
    return kExitFailed;
  }
  render::DocumentHolder::Host host;
  host.clientSize = [] { return kHolderSize; };
  host.applicationTitle = L"Verdalux";
  host.caption = L"MyOleContainer1";
  render::DocumentHolder holder(std::move(host));
  try {
    holder.LinkDocument(FullPath(options.document));
  } catch (const render::OleError& e) {
    // The window shows only the message; here the reason follows it, since
    // nobody can look at the file with the program to find out.
    errors(kImportFailedText);
    errors(e.Reason());
    return kExitFailed;
  } catch (...) {
    errors(kImportFailedText);
    return kExitFailed;
  }

  const render::RenderSettings settings =
      SettingsFor(options, ResolvePictureSize(options.width, options.height, holder.GetDocumentExtent()));
  const render::FrameGeometry frame = render::ComputeFrame(settings);
  if (!MakeBmpLayout(frame.totalWidth, frame.totalHeight)) {
    errors(kTooLargeForBmpText);
    return kExitFailed;
  }
  // The file is opened before the long render, so a bad path fails at once.
  BmpFileWriter writer(options.out);
  writer.FailAfterBytes(hooks.failWriteAfterBytes);
  if (!writer.Ok()) {
    errors(writer.Error());
    return kExitFailed;
  }

  tk::MemoryDC reference(CreateCompatibleDC(nullptr));
  render::RenderContext context;
  context.referenceDC = reference.get();
  context.drawDocument = [&holder](HDC dc, int l, int t, int w, int h) { holder.DrawDocument(dc, l, t, w, h); };
  context.message = [&errors](const std::wstring& text, const std::wstring&, UINT) { errors(text); };
  render::StripRenderer renderer(context);
  renderer.SetFailureInjection(hooks.render);
  raster::OwnedDib picture = renderer.Render(settings);
  if (!picture) return kExitFailed;  // the renderer has said why

  const TDibImage& p = picture.get();
  const render::RowImage rows{static_cast<uint8_t*>(p.Bits), p.BytesPerRow, DIBWidth(p), DIBHeight(p)};
  if (!writer.Write(rows)) {
    errors(writer.Error());
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace cli
