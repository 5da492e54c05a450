#include "tests/cli/mutation_runner.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <cstdio>
#include <utility>

#include "app/cli/batch_render.h"
#include "app/cli/error_output.h"
#include "core/cli_options.h"
#include "tests/support/child_process.h"

namespace clitest {
namespace {

using testsupport::Quoted;

// Small pictures: a document's own trouble shows without the time of a big render.
constexpr wchar_t kSize[] = L" --width 160";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(text.substr(start, nl - start));
  if (start < text.size()) lines.push_back(text.substr(start));
  for (std::string& line : lines)
    if (!line.empty() && line.back() == '\r') line.pop_back();
  return lines;
}

std::string Hex(DWORD code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
  return text;
}

// Empty when the process ended with 0 or 1; otherwise how it ended.
std::string BadEnding(const testsupport::ChildRun& run, DWORD silenceMs) {
  if (!run.started) return "verdalux.exe did not start";
  if (!run.ended) return "no end: silent for " + std::to_string(silenceMs / 1000) + " s, terminated";
  if (run.code != 0 && run.code != 1) return "ended with exit code " + Hex(run.code);
  return {};
}

// -1 when there is no such file.
int64_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return int64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// The share of a picture's pixels that are not white, or -1 when it cannot be read.
double InkedShare(const std::wstring& path) {
  using Microsoft::WRL::ComPtr;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  UINT w = 0, h = 0;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) ||
      FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&w, &h)) || w == 0 || h == 0)
    return -1;
  const UINT stride = (3 * w + 3) & ~3u;
  std::vector<BYTE> pixels(size_t(stride) * h);
  if (FAILED(converter->CopyPixels(nullptr, stride, UINT(pixels.size()), pixels.data()))) return -1;
  size_t inked = 0;
  for (UINT y = 0; y < h; ++y)
    for (UINT x = 0; x < w; ++x) {
      const BYTE* p = &pixels[size_t(y) * stride + 3 * size_t(x)];
      inked += p[0] != 0xFF || p[1] != 0xFF || p[2] != 0xFF;
    }
  return double(inked) / (double(w) * h);
}

std::string BatchPrefix(size_t index, size_t count) {
  return "[" + std::to_string(index + 1) + "/" + std::to_string(count) + "] ";
}

}  // namespace

MutationRunner::MutationRunner(std::wstring exe, std::wstring outDir, DWORD silenceMs)
    : exe_(std::move(exe)), outDir_(std::move(outDir)), silenceMs_(silenceMs) {}

std::wstring MutationRunner::Picture(const std::wstring& document) const {
  return core::PictureInFolder(outDir_, document, core::PictureFormat::kPng);
}

void MutationRunner::Judge(DocumentResult& r, bool written, const std::vector<std::string>& lines) const {
  const std::wstring picture = Picture(r.document);
  const int64_t size = FileSize(picture);
  r.rendered = written;
  if (written) {
    if (size <= 0) r.fault = "reported as written, but the picture is missing or empty";
    r.inked = InkedShare(picture);
  } else {
    for (const std::string& line : lines) r.refusal += (r.refusal.empty() ? "" : " | ") + line;
    if (lines.empty() || lines[0].empty())
      r.fault = "failed without a message";
    else if (lines[0] == cli::ToUtf8(cli::kImportFailedText) && (lines.size() < 2 || lines[1].empty()))
      r.fault = "could not import, without the reason";
    else if (size >= 0)
      r.fault = "failed, but left a picture behind";
  }
  if (size >= 0) DeleteFileW(picture.c_str());
}

DocumentResult MutationRunner::RunAlone(const std::wstring& document) const {
  DocumentResult r;
  r.document = document;
  const std::wstring picture = Picture(document);
  const testsupport::ChildRun run =
      testsupport::RunChild(exe_, L"--render " + Quoted(document) + L" --out " + Quoted(picture) + kSize, outDir_,
                            silenceMs_);
  r.seconds = run.seconds;
  r.fault = BadEnding(run, silenceMs_);
  if (!r.fault.empty()) {
    r.fault += "; it wrote: " + run.output.substr(0, 400);
    DeleteFileW(picture.c_str());
    return r;
  }
  Judge(r, run.code == 0, Lines(run.output));
  // One picture to --out is silent when it is written.
  if (r.fault.empty() && run.code == 0 && !run.output.empty()) r.fault = "written, but it printed: " + run.output;
  return r;
}

std::vector<DocumentResult> MutationRunner::RunBatch(const std::vector<std::wstring>& documents) const {
  const size_t n = documents.size();
  std::wstring args = L"--render";
  for (const std::wstring& d : documents) args += L" " + Quoted(d);
  const testsupport::ChildRun run =
      testsupport::RunChild(exe_, args + L" --out-dir " + Quoted(outDir_) + kSize, outDir_, silenceMs_);
  const std::string ending = BadEnding(run, silenceMs_);
  const std::vector<std::string> lines = Lines(run.output);

  // Each document's lines run from its "[i/n] DOC: " line to the next one's.
  // After a bad ending the last block may end in whatever the crash printed,
  // so only blocks followed by the next document's count as reported.
  std::vector<DocumentResult> results(n);
  for (size_t i = 0; i < n; ++i) results[i].document = documents[i];
  size_t reported = 0, line = 0;
  double previous = 0;
  for (; reported < n; ++reported) {
    DocumentResult& r = results[reported];
    const std::string prefix = BatchPrefix(reported, n) + cli::ToUtf8(r.document) + ": ";
    if (line >= lines.size() || lines[line].rfind(prefix, 0) != 0) break;
    const size_t first = line;
    std::vector<std::string> block{lines[line++].substr(prefix.size())};
    while (line < lines.size() && lines[line].rfind(BatchPrefix(reported + 1, n), 0) != 0)
      block.push_back(lines[line++]);
    if (!ending.empty() && line == lines.size()) break;
    r.seconds = (first < run.lineSeconds.size() ? run.lineSeconds[first] : run.seconds) - previous;
    previous = line - 1 < run.lineSeconds.size() ? run.lineSeconds[line - 1] : run.seconds;
    Judge(r, block[0] == "written " + cli::ToUtf8(Picture(r.document)), block);
  }
  if (ending.empty() && reported == n) {
    bool anyFailed = false;
    for (const DocumentResult& r : results) anyFailed |= !r.rendered;
    if (run.code != (anyFailed ? 1u : 0u))
      results[0].fault = "the batch's exit code " + std::to_string(run.code) + " does not match its lines";
    return results;
  }
  // The process crashed, hung or stopped early on one of the rest: each of them alone.
  const std::string how = ending.empty() ? "ended with exit code " + Hex(run.code) + " before the end" : ending;
  bool found = false;
  for (size_t i = reported; i < n; ++i) {
    DeleteFileW(Picture(documents[i]).c_str());  // whatever the batch left of it
    results[i] = RunAlone(documents[i]);
    found |= !results[i].fault.empty();
  }
  if (!found)
    results[reported].fault = "in a batch verdalux.exe " + how + " at this or a later document; alone each ended well";
  return results;
}

void LetCrashesEndChildren() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);  // inherited by the children
  // Wine's debugger shows a dialog for every crash unless told not to.
  const DWORD no = 0;
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineDbg", L"ShowCrashDialog", REG_DWORD, &no, sizeof no);
}

}  // namespace clitest
