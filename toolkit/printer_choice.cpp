#include "toolkit/printer_choice.h"

#include <commdlg.h>
#include <winspool.h>

#include <cstddef>
#include <cstring>

namespace tk {
namespace {

// A global block locked for the lifetime of the object.
class Locked {
 public:
  explicit Locked(HGLOBAL h) : h_(h), p_(h ? ::GlobalLock(h) : nullptr) {}
  ~Locked() {
    if (p_) ::GlobalUnlock(h_);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  const BYTE* data() const { return static_cast<const BYTE*>(p_); }
  size_t size() const { return h_ ? ::GlobalSize(h_) : 0; }

 private:
  HGLOBAL h_;
  void* p_;
};

// The string at a DEVNAMES offset, which counts wide characters from the
// block's start; none when the offset or the string runs past the block.
std::optional<std::wstring> NameAt(const Locked& block, WORD offset) {
  const size_t units = block.size() / sizeof(wchar_t);
  if (offset >= units) return std::nullopt;
  const wchar_t* text = reinterpret_cast<const wchar_t*>(block.data());
  size_t end = offset;
  while (end < units && text[end] != L'\0') ++end;
  if (end == units) return std::nullopt;
  return std::wstring(text + offset, text + end);
}

GlobalMemory CopyToGlobal(const void* data, size_t size) {
  GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) return {};
  if (void* p = ::GlobalLock(memory.get())) {
    std::memcpy(p, data, size);
    ::GlobalUnlock(memory.get());
    return memory;
  }
  return {};
}

}  // namespace

std::optional<PrinterChoice> PrinterChoice::Default() {
  // The printer dialog's "return default" mode gives exactly what the setup
  // dialog would start with, names and settings alike, without showing it.
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.Flags = PD_RETURNDEFAULT;
  if (!::PrintDlgW(&pd)) return std::nullopt;
  GlobalMemory names(pd.hDevNames), mode(pd.hDevMode);
  return FromHandles(names.get(), mode.get());
}

std::optional<PrinterChoice> PrinterChoice::FromHandles(HGLOBAL devNames, HGLOBAL devMode) {
  Locked names(devNames);
  if (!names.data() || names.size() < sizeof(DEVNAMES)) return std::nullopt;
  const auto* dn = reinterpret_cast<const DEVNAMES*>(names.data());
  auto driver = NameAt(names, dn->wDriverOffset);
  auto device = NameAt(names, dn->wDeviceOffset);
  auto port = NameAt(names, dn->wOutputOffset);
  if (!driver || !device || !port || device->empty()) return std::nullopt;

  PrinterChoice choice;
  choice.driver_ = std::move(*driver);
  choice.device_ = std::move(*device);
  choice.port_ = std::move(*port);
  Locked mode(devMode);
  if (mode.data() && mode.size() >= offsetof(DEVMODEW, dmFields) + sizeof(DWORD)) {
    const auto* dm = reinterpret_cast<const DEVMODEW*>(mode.data());
    const size_t whole = size_t{dm->dmSize} + dm->dmDriverExtra;
    // A block shorter than it says it is, or too short to say which fields
    // it sets, is not passed on: the printer's defaults apply then. An older,
    // shorter layout is fine; drivers read its dmSize.
    constexpr size_t kFieldsEnd = offsetof(DEVMODEW, dmFields) + sizeof(DWORD);
    if (whole <= mode.size() && dm->dmSize >= kFieldsEnd) choice.devMode_.assign(mode.data(), mode.data() + whole);
  }
  return choice;
}

const DEVMODEW* PrinterChoice::DevMode() const {
  return devMode_.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(devMode_.data());
}

GlobalMemory PrinterChoice::NewDevNamesHandle() const {
  const size_t header = (sizeof(DEVNAMES) + sizeof(wchar_t) - 1) / sizeof(wchar_t);
  std::wstring block(header, L'\0');
  auto append = [&block](const std::wstring& s) {
    const size_t at = block.size();
    block += s;
    block.push_back(L'\0');
    return static_cast<WORD>(at);
  };
  DEVNAMES dn{};
  dn.wDriverOffset = append(driver_);
  dn.wDeviceOffset = append(device_);
  dn.wOutputOffset = append(port_);
  std::memcpy(block.data(), &dn, sizeof dn);
  return CopyToGlobal(block.data(), block.size() * sizeof(wchar_t));
}

GlobalMemory PrinterChoice::NewDevModeHandle() const {
  if (devMode_.empty()) return {};
  return CopyToGlobal(devMode_.data(), devMode_.size());
}

MemoryDC PrinterChoice::CreatePrinterDC() const {
  return MemoryDC(::CreateDCW(driver_.c_str(), device_.c_str(), nullptr, DevMode()));
}

std::optional<PrinterPage> PrinterChoice::Page() const {
  MemoryDC ic(::CreateICW(driver_.c_str(), device_.c_str(), nullptr, DevMode()));
  if (!ic) return std::nullopt;
  HDC dc = ic.get();
  PrinterPage page;
  page.printableWidth = ::GetDeviceCaps(dc, HORZRES);
  page.printableHeight = ::GetDeviceCaps(dc, VERTRES);
  page.pageWidth = ::GetDeviceCaps(dc, PHYSICALWIDTH);
  page.pageHeight = ::GetDeviceCaps(dc, PHYSICALHEIGHT);
  page.offsetX = ::GetDeviceCaps(dc, PHYSICALOFFSETX);
  page.offsetY = ::GetDeviceCaps(dc, PHYSICALOFFSETY);
  page.dpiX = ::GetDeviceCaps(dc, LOGPIXELSX);
  page.dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
  if (page.printableWidth <= 0 || page.printableHeight <= 0) return std::nullopt;
  // A driver that reports no physical page gets the printable area as its page.
  if (page.pageWidth < page.printableWidth || page.pageHeight < page.printableHeight) {
    page.pageWidth = page.printableWidth;
    page.pageHeight = page.printableHeight;
    page.offsetX = page.offsetY = 0;
  }
  return page;
}

}  // namespace tk
