#include "app/cli/batch_render.h"

#include <windows.h>

#include <exception>
#include <memory>
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

// One linked document, empty when the link failed, with why in `failure`.
struct LinkedDocument {
  std::unique_ptr<render::DocumentHolder> holder;
  Outcome failure;
};

LinkedDocument Link(const std::wstring& document) {
  render::DocumentHolder::Host host;
  host.clientSize = [] { return kHolderSize; };
  host.applicationTitle = L"Verdalux";
  host.caption = L"MyOleContainer1";
  LinkedDocument linked;
  linked.holder = std::make_unique<render::DocumentHolder>(std::move(host));
  try {
    linked.holder->LinkDocument(FullPath(document));
    return linked;
  } catch (const render::OleError& e) {
    // The window shows only the message; here the reason follows it, since
    // nobody can look at the file with the program to find out.
    linked.failure = Failure(kImportFailedText, e.Reason());
  } catch (...) {
    linked.failure = Failure(kImportFailedText);
  }
  linked.holder.reset();
  return linked;
}

// The page the holder shows, rendered into `picture`.
Outcome RenderPicture(const render::DocumentHolder& holder, const std::wstring& picture, const CliOptions& options,
                      const BatchHooks& hooks, const render::ProgressSink& progress) {
  const render::RenderSettings settings =
      core::RenderSettingsFor(options, ResolvePictureSize(options.width, options.height, holder.GetDocumentExtent()));
  const render::FrameGeometry frame = render::ComputeFrame(core::ClampedSettings(settings));
  // A picture the format cannot hold is refused before any file or drawing.
  if (const auto refusal = core::SizeRefusal(options.write.format, frame.totalWidth, frame.totalHeight))
    return Failure(*refusal);

  std::unique_ptr<output::PictureWriter> writer = output::MakePictureWriter(picture, options.write);
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

// Writes what became of one picture, or of a document that gave none; false
// when it failed.
bool Report(const Console& console, const std::wstring& prefix, const Outcome& outcome, const std::wstring& picture) {
  std::wstring text = console.terminal ? L"\r" : L"";
  if (outcome.ok) {
    if (prefix.empty()) return true;  // one picture to --out: silent on success
    text += prefix + L"written " + picture + L"\n";
  } else {
    for (size_t k = 0; k < outcome.lines.size(); ++k) text += (k == 0 ? prefix : L"") + outcome.lines[k] + L"\n";
  }
  console.write(text);
  return outcome.ok;
}

// Every picture one document becomes; the number that failed.
int RenderDocument(const core::RenderJob& job, const CliOptions& options, const Console& console,
                   const BatchHooks& hooks, std::wstring prefix) {
  if (prefix.empty() && console.terminal) prefix = job.document + L": ";
  const LinkedDocument linked = Link(job.document);
  if (!linked.holder) return Report(console, prefix, linked.failure, job.picture) ? 0 : 1;
  const int32_t pageCount = linked.holder->PageCount();
  const core::PageRange range = core::PagesToRender(options.page, pageCount);
  if (range.count == 0) return Report(console, prefix, Failure(range.error), job.picture) ? 0 : 1;
  const bool everyPage = options.page && options.page->all;
  int failed = 0;
  for (int32_t page = range.first; page < range.first + range.count; ++page) {
    std::wstring picture = job.picture;
    std::wstring pagePrefix = prefix;
    if (everyPage) {
      picture = core::PagePictureInFolder(options.outDir, job.document, options.write.format, page + 1, pageCount);
      // Every page goes to --out-dir, so the prefix is "[i/n] DOCUMENT: ".
      pagePrefix.insert(pagePrefix.size() - 2,
                        L", page " + std::to_wstring(page + 1) + L" of " + std::to_wstring(pageCount));
    }
    render::ProgressSink progress;
    if (console.terminal) {
      // Each strip rewrites the picture's line; 0 at the end means nothing.
      progress = [&console, &pagePrefix](int percent) {
        if (percent > 0) console.write(L"\r" + pagePrefix + std::to_wstring(percent) + L"%");
      };
    }
    Outcome outcome;
    try {
      if (page != 0) linked.holder->ShowPage(page);
      outcome = RenderPicture(*linked.holder, picture, options, hooks, progress);
    } catch (const render::OleError& e) {
      outcome = Failure(L"Page " + std::to_wstring(page + 1) + L" could not be read.", e.Reason());
    }
    if (!Report(console, pagePrefix, outcome, picture)) ++failed;
  }
  return failed;
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
  for (size_t i = 0; i < jobs.size(); ++i)
    failed += RenderDocument(jobs[i], options, console, hooks, Prefix(options, i, jobs.size(), jobs[i].document));
  return failed ? kExitFailed : kExitOk;
}

}  // namespace cli
