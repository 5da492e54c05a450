#include "app/cli/batch_render.h"

#include <windows.h>

#include <exception>
#include <optional>
#include <vector>

#include "app/cli/picture_size.h"
#include "output/stream_sink.h"
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

// What one document came to: the lines that say why it failed, if it did.
struct Outcome {
  bool ok = false;
  std::vector<std::wstring> lines;
};

Outcome Failure(std::wstring message, std::wstring reason = {}) {
  Outcome o;
  o.lines.push_back(std::move(message));
  if (!reason.empty()) o.lines.push_back(std::move(reason));
  return o;
}

Outcome RenderOne(const core::RenderJob& job, const CliOptions& options, const BatchHooks& hooks,
                  const render::ProgressSink& progress) {
  render::DocumentHolder::Host host;
  host.clientSize = [] { return kHolderSize; };
  host.applicationTitle = L"Verdalux";
  host.caption = L"MyOleContainer1";
  render::DocumentHolder holder(std::move(host));
  try {
    holder.LinkDocument(FullPath(job.document));
  } catch (const render::OleError& e) {
    // The window shows only the message; here the reason follows it, since
    // nobody can look at the file with the program to find out.
    return Failure(kImportFailedText, e.Reason());
  } catch (...) {
    return Failure(kImportFailedText);
  }

  const render::RenderSettings settings =
      core::RenderSettingsFor(options, ResolvePictureSize(options.width, options.height, holder.GetDocumentExtent()));
  const render::FrameGeometry frame = render::ComputeFrame(core::ClampedSettings(settings));
  // A picture the format cannot hold is refused before any file or drawing.
  if (const auto refusal = core::SizeRefusal(options.write.format, frame.totalWidth, frame.totalHeight))
    return Failure(*refusal);

  std::unique_ptr<output::PictureWriter> writer = output::MakePictureWriter(job.picture, options.write);
  writer->FailAfterBytes(hooks.failWriteAfterBytes);
  output::StreamSink sink(std::move(writer));
  tk::MemoryDC reference(CreateCompatibleDC(nullptr));
  render::RenderContext context;
  context.referenceDC = reference.get();
  context.drawDocument = [&holder](HDC dc, int l, int t, int w, int h) { holder.DrawDocument(dc, l, t, w, h); };
  Outcome outcome;
  context.message = [&outcome](const std::wstring& text, const std::wstring&, UINT) { outcome.lines.push_back(text); };
  context.progress = progress;
  render::StripRenderer renderer(context);
  renderer.SetFailureInjection(hooks.render);
  outcome.ok = renderer.Render(settings, sink);
  return outcome;
}

// "[2/5] plan.emf: " for a document of several; nothing for one picture named by --out.
std::wstring Prefix(const CliOptions& options, size_t index, size_t count, const std::wstring& document) {
  if (options.outDir.empty()) return {};
  return L"[" + std::to_wstring(index + 1) + L"/" + std::to_wstring(count) + L"] " + document + L": ";
}

}  // namespace

int RunBatch(const CliOptions& options, const Console& console, const BatchHooks& hooks) {
  std::optional<render::OleSession> ole;
  try {
    ole.emplace();
  } catch (const render::OleError& e) {
    console.write(std::wstring(kImportFailedText) + L"\n" + e.Reason() + L"\n");
    return kExitFailed;
  } catch (const std::exception&) {
    console.write(std::wstring(kImportFailedText) + L"\n");
    return kExitFailed;
  }
  const std::vector<core::RenderJob> jobs = core::Jobs(options);
  int failed = 0;
  for (size_t i = 0; i < jobs.size(); ++i) {
    std::wstring prefix = Prefix(options, i, jobs.size(), jobs[i].document);
    if (prefix.empty() && console.terminal) prefix = jobs[i].document + L": ";
    render::ProgressSink progress;
    if (console.terminal) {
      // Each strip rewrites the document's line; 0 at the end means nothing.
      progress = [&console, &prefix](int percent) {
        if (percent > 0) console.write(L"\r" + prefix + std::to_wstring(percent) + L"%");
      };
    }
    const Outcome outcome = RenderOne(jobs[i], options, hooks, progress);
    if (!outcome.ok) ++failed;
    std::wstring text = console.terminal ? L"\r" : L"";
    if (outcome.ok) {
      if (prefix.empty()) continue;  // one picture to --out: silent on success
      text += prefix + L"written " + jobs[i].picture + L"\n";
    } else {
      for (size_t k = 0; k < outcome.lines.size(); ++k) text += (k == 0 ? prefix : L"") + outcome.lines[k] + L"\n";
    }
    console.write(text);
  }
  return failed ? kExitFailed : kExitOk;
}

}  // namespace cli
