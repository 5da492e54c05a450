#include "output/wic_writer.h"

#include "output/file_stream.h"
#include "output/system_message.h"

namespace output {
namespace {

HRESULT WriteOption(IPropertyBag2* bag, const wchar_t* name, VARIANT value) {
  PROPBAG2 option{};
  option.pstrName = const_cast<wchar_t*>(name);
  return bag->Write(1, &option, &value);
}

}  // namespace

WicWriter::~WicWriter() {
  // The encoder goes before the file it writes into.
  frame_.Reset();
  encoder_.Reset();
  stream_.Reset();
}

bool WicWriter::Failed(HRESULT hr) {
  if (!file_.Ok()) return false;  // a write failed: its reason says more than the encoder's code
  return file_.Fail(SystemMessage(static_cast<DWORD>(hr)));
}

bool WicWriter::SetOptions(IPropertyBag2* bag) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_UI1;
  v.bVal = static_cast<BYTE>(kPngFilter);
  const HRESULT hr = WriteOption(bag, L"FilterOption", v);
  return SUCCEEDED(hr) || Failed(hr);
}

bool WicWriter::Begin(int32_t width, int32_t height) {
  if (const auto refusal = core::SizeRefusal(core::PictureFormat::kPng, width, height)) return file_.Refuse(*refusal);
  if (!file_.Open()) return false;
  width_ = width;
  rowsLeft_ = height;
  stream_.Attach(new FileStream(file_));
  Microsoft::WRL::ComPtr<IWICImagingFactory> factory;
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
  if (FAILED(hr)) return Failed(hr);
  hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder_);
  if (SUCCEEDED(hr)) hr = encoder_->Initialize(stream_.Get(), WICBitmapEncoderNoCache);
  Microsoft::WRL::ComPtr<IPropertyBag2> bag;
  if (SUCCEEDED(hr)) hr = encoder_->CreateNewFrame(&frame_, &bag);
  if (FAILED(hr)) return Failed(hr);
  if (!SetOptions(bag.Get())) return false;
  hr = frame_->Initialize(bag.Get());
  if (SUCCEEDED(hr)) hr = frame_->SetSize(static_cast<UINT>(width), static_cast<UINT>(height));
  if (SUCCEEDED(hr)) hr = frame_->SetResolution(options_.dpi, options_.dpi);
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (SUCCEEDED(hr)) hr = frame_->SetPixelFormat(&format);
  if (FAILED(hr)) return Failed(hr);
  // The encoder names the format it will take; anything but the rows as drawn would need converting.
  if (format != GUID_WICPixelFormat24bppBGR) return file_.Fail(L"the encoder does not take 24-bit pixels.");
  return true;
}

core::BandLayout WicWriter::Layout() const { return core::BandLayout{width_, 3 * int64_t{width_}, false, false}; }

bool WicWriter::WriteBand(const uint8_t* band, int32_t rows) {
  if (!frame_) return false;
  if (rows <= 0 || rows > rowsLeft_) return file_.Fail(L"more rows than the picture has.");
  rowsLeft_ -= rows;
  const UINT stride = static_cast<UINT>(3 * int64_t{width_});
  const HRESULT hr =
      frame_->WritePixels(static_cast<UINT>(rows), stride, stride * static_cast<UINT>(rows), const_cast<BYTE*>(band));
  return SUCCEEDED(hr) || Failed(hr);
}

bool WicWriter::Finish() {
  if (!frame_) return false;
  if (rowsLeft_ != 0) return file_.Fail(L"the picture ended early.");
  HRESULT hr = frame_->Commit();
  if (SUCCEEDED(hr)) hr = encoder_->Commit();
  if (FAILED(hr)) return Failed(hr);
  frame_.Reset();
  encoder_.Reset();
  stream_.Reset();
  return file_.Commit();
}

}  // namespace output
