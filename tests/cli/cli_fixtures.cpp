#include "tests/cli/cli_fixtures.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <cstring>

namespace clitest {


std::string ToUtf8Line(const std::wstring& text) {
  const std::wstring line = text + L"\n";
  const int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), s.data(), n, nullptr, nullptr);
  return s;
}


const uint8_t* BmpFile::Pixel(int x, int yFromTop) const {
  const size_t stride = (size_t(info.biWidth) * 3 + 3) / 4 * 4;
  return pixels.data() + size_t(info.biHeight - 1 - yFromTop) * stride + 3 * size_t(x);
}

BmpFile ReadBmp(const std::wstring& path) {
  BmpFile b;
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  if (bytes.size() < sizeof b.file + sizeof b.info) return b;
  std::memcpy(&b.file, bytes.data(), sizeof b.file);
  std::memcpy(&b.info, bytes.data() + sizeof b.file, sizeof b.info);
  if (b.file.bfOffBits > bytes.size()) return b;
  b.pixels.assign(bytes.begin() + b.file.bfOffBits, bytes.end());
  b.valid = true;
  return b;
}

BatchRun Batch(const cli::CliOptions& options, const cli::BatchHooks& hooks, bool terminal) {
  BatchRun r;
  r.code = cli::RunBatch(options, cli::Console{[&r](const std::wstring& text) { r.text += text; }, terminal}, hooks);
  size_t start = 0;
  for (size_t nl; (nl = r.text.find(L'\n', start)) != std::wstring::npos; start = nl + 1)
    r.lines.push_back(r.text.substr(start, nl - start));
  if (start < r.text.size()) r.lines.push_back(r.text.substr(start));
  return r;
}

cli::CliOptions Options(const std::wstring& document, const std::wstring& out) {
  cli::CliOptions o;
  o.documents = {document};
  o.out = out;
  if (const auto format = core::FormatFromFileName(out)) o.write.format = *format;
  return o;
}

PictureInfo ReadPictureInfo(const std::wstring& path) {
  using Microsoft::WRL::ComPtr;
  PictureInfo info;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  double dpiY = 0;
  info.ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_PPV_ARGS(&factory))) &&
            SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                         WICDecodeMetadataCacheOnDemand, &decoder)) &&
            SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&info.width, &info.height)) &&
            SUCCEEDED(frame->GetResolution(&info.dpiX, &dpiY));
  return info;
}

}  // namespace clitest
