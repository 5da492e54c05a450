#include "toolkit/wic_decode.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <new>

using Microsoft::WRL::ComPtr;

namespace tk {

BITMAPINFO TopDown32Info(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}
namespace {

HRESULT PickFrame(IWICBitmapDecoder* decoder, bool largest, ComPtr<IWICBitmapFrameDecode>& out) {
  UINT frames = 0;
  HRESULT hr = decoder->GetFrameCount(&frames);
  if (FAILED(hr)) return hr;
  if (frames == 0) return WINCODEC_ERR_FRAMEMISSING;
  uint64_t best = 0;
  for (UINT i = 0; i < (largest ? frames : 1u); ++i) {
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT w = 0, h = 0;
    if (FAILED(hr = decoder->GetFrame(i, &frame)) || FAILED(hr = frame->GetSize(&w, &h))) return hr;
    if (!out || uint64_t(w) * h > best) {
      best = uint64_t(w) * h;
      out = frame;
    }
  }
  return S_OK;
}

}  // namespace

HRESULT WicDecode(const uint8_t* data, size_t size, bool largestFrame, uint64_t maxPixels, DecodedImage& out) {
  if (!data || size == 0 || size > 0xFFFFFFFFu) return kNoPicture;
  ComPtr<IWICImagingFactory> factory;
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
  if (FAILED(hr)) return hr;
  ComPtr<IWICStream> stream;
  if (FAILED(hr = factory->CreateStream(&stream))) return hr;
  if (FAILED(hr = stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size)))) return hr;
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(hr = factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)))
    return hr;
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(hr = PickFrame(decoder.Get(), largestFrame, frame))) return hr;
  UINT w = 0, h = 0;
  double dpiX = 0, dpiY = 0;
  if (FAILED(hr = frame->GetSize(&w, &h))) return hr;
  if (w == 0 || h == 0 || w > INT32_MAX || h > INT32_MAX) return kNoPicture;
  // The copy's byte counts are 32-bit parameters of CopyPixels.
  if (uint64_t(w) * h > maxPixels || uint64_t(w) * h * 4 > 0xFFFFFFFFu) return E_OUTOFMEMORY;
  if (FAILED(frame->GetResolution(&dpiX, &dpiY))) dpiX = dpiY = 0;
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(hr = factory->CreateFormatConverter(&converter))) return hr;
  if (FAILED(hr = converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr,
                                        0, WICBitmapPaletteTypeCustom)))
    return hr;
  std::vector<uint32_t> pixels;
  try {
    pixels.resize(size_t(uint64_t(w) * h));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  if (FAILED(hr = converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(pixels.size() * 4),
                                        reinterpret_cast<BYTE*>(pixels.data()))))
    return hr;
  out.width = w;
  out.height = h;
  out.dpiX = dpiX;
  out.dpiY = dpiY;
  out.pixels = std::move(pixels);
  return S_OK;
}

}  // namespace tk
