#include "tests/output/output_fixtures.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <cstring>

#include "core/le_bytes.h"
#include "output/write_picture.h"

using Microsoft::WRL::ComPtr;

namespace outputtest {

TestPicture::TestPicture(int32_t width, int32_t height)
    : width_(width), height_(height), stride_((3 * int64_t{width} + 3) / 4 * 4) {
  bytes_.assign(size_t(stride_ * height), 0xCD);  // padding that must not reach a file
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = &bytes_[size_t((height - 1 - y) * stride_)];
    for (int32_t x = 0; x < width; ++x) {
      row[3 * x] = uint8_t(x);
      row[3 * x + 1] = uint8_t(y);
      row[3 * x + 2] = uint8_t(x + 3 * y);
    }
  }
}

std::vector<uint8_t> TestPicture::TopDown() const {
  return TopDownOf(render::RowImage{const_cast<uint8_t*>(bytes_.data()), stride_, width_, height_});
}

std::vector<uint8_t> TopDownOf(const render::RowImage& rows) {
  std::vector<uint8_t> out;
  out.reserve(size_t(3 * int64_t{rows.width} * rows.height));
  for (int32_t y = 0; y < rows.height; ++y) {
    const uint8_t* row = rows.bits + int64_t{rows.height - 1 - y} * rows.stride;
    out.insert(out.end(), row, row + 3 * size_t(rows.width));
  }
  return out;
}

Decoded Decode(const std::wstring& path, const CLSID* decoderClass) {
  Decoded d;
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))))
    return d;
  ComPtr<IWICBitmapDecoder> decoder;
  if (decoderClass) {
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(&stream)) || FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_READ)) ||
        FAILED(CoCreateInstance(*decoderClass, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&decoder))) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)))
      return d;
  } else if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                       WICDecodeMetadataCacheOnDemand, &decoder))) {
    return d;
  }
  decoder->GetContainerFormat(&d.container);
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, &frame))) return d;
  frame->GetSize(&d.width, &d.height);
  frame->GetResolution(&d.dpiX, &d.dpiY);
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)))
    return d;
  const UINT stride = 3 * d.width;
  d.pixels.resize(size_t(stride) * d.height);
  d.ok = SUCCEEDED(converter->CopyPixels(nullptr, stride, UINT(d.pixels.size()), d.pixels.data()));
  return d;
}

namespace {

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

StoredResolution FromPng(const std::vector<uint8_t>& b) {
  StoredResolution r;
  for (size_t at = 8; at + 12 <= b.size();) {
    const uint32_t length = BigEndian32(&b[at]);
    if (std::memcmp(&b[at + 4], "pHYs", 4) == 0 && length == 9 && at + 17 <= b.size()) {
      r = {true, BigEndian32(&b[at + 8]), BigEndian32(&b[at + 12]), b[at + 16]};
      return r;
    }
    at += 12 + size_t(length);
  }
  return r;
}

StoredResolution FromJpeg(const std::vector<uint8_t>& b) {
  // The JFIF APP0 segment follows the start-of-image marker.
  if (b.size() < 20 || b[2] != 0xFF || b[3] != 0xE0 || std::memcmp(&b[6], "JFIF", 5) != 0) return {};
  return {true, uint32_t(b[14] << 8 | b[15]), uint32_t(b[16] << 8 | b[17]), b[13]};
}

StoredResolution FromTiff(const std::vector<uint8_t>& b) {
  const core::ByteReader r(b.data(), b.size());
  const bool big = r.U16(2) == 43;
  auto u64 = [&](uint64_t at) { return uint64_t(r.U32(at)) | uint64_t(r.U32(at + 4)) << 32; };
  const uint64_t dir = big ? u64(8) : r.U32(4);
  const uint64_t n = big ? u64(dir) : r.U16(dir);
  StoredResolution out;
  for (uint64_t i = 0; i < n; ++i) {
    const uint64_t e = dir + (big ? 8 : 2) + i * (big ? 20 : 12);
    const uint16_t tag = r.U16(e);
    const uint64_t value = e + (big ? 12 : 8);
    // A RATIONAL is inline in a BigTIFF entry and elsewhere in a classic one.
    const uint64_t at = big ? value : r.U32(value);
    if (tag == 282 && r.U32(at + 4) != 0) out.x = r.U32(at) / r.U32(at + 4);
    if (tag == 283 && r.U32(at + 4) != 0) out.y = r.U32(at) / r.U32(at + 4);
    if (tag == 296) out.unit = r.U16(value);
  }
  out.found = out.x && out.y;
  return out;
}

}  // namespace

StoredResolution ReadStoredResolution(const std::wstring& path, core::PictureFormat format) {
  const std::vector<uint8_t> b = testsupport::ReadByteVector(path);
  switch (format) {
    case core::PictureFormat::kBmp: {
      const core::ByteReader r(b.data(), b.size());
      return {b.size() >= 54, r.U32(38), r.U32(42), 0};
    }
    case core::PictureFormat::kPng: return FromPng(b);
    case core::PictureFormat::kJpeg: return FromJpeg(b);
    case core::PictureFormat::kTiff: return FromTiff(b);
  }
  return {};
}

bool WriteWith(core::PictureFormat format, const std::wstring& path, render::RowImage picture, int32_t dpi,
               std::wstring* error, int64_t failAfterBytes) {
  core::WriteOptions options;
  options.format = format;
  options.dpi = dpi;
  auto writer = output::MakePictureWriter(path, options);
  writer->FailAfterBytes(failAfterBytes);
  std::wstring why;
  const bool ok = output::WritePicture(picture, std::move(writer), why);
  if (error) *error = why;
  return ok;
}

std::string Narrow(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace outputtest
