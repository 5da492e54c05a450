#include "toolkit/modal.h"

#include <commdlg.h>

#include "toolkit/handles.h"

#include <vector>

namespace tk {
namespace {

class Platform final : public ModalResponder {
 public:
  int ShowMessageBox(const MessageBoxRequest& r) override {
    return ::MessageBoxW(r.owner, r.text.c_str(), r.hasCaption ? r.caption.c_str() : nullptr, r.type);
  }

  std::optional<COLORREF> PickColor(const ColorDialogRequest& r) override {
    static COLORREF custom[16] = {};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = r.owner;
    cc.rgbResult = r.initial;
    cc.lpCustColors = custom;
    cc.Flags = r.flags;
    if (!::ChooseColorW(&cc)) return std::nullopt;
    return cc.rgbResult;
  }

  std::optional<SaveDialogResult> SaveFile(const SaveDialogRequest& r) override {
    // The filter comes as "a|b|c|d"; the platform wants NUL separators.
    std::wstring filter = r.filter;
    for (auto& ch : filter)
      if (ch == L'|') ch = L'\0';
    filter.push_back(L'\0');
    std::vector<wchar_t> name(32768, L'\0');
    r.fileName.copy(name.data(), name.size() - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = r.owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(r.filterIndex);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = r.initialFolder.empty() ? nullptr : r.initialFolder.c_str();
    ofn.lpstrDefExt = r.defaultExt.empty() ? nullptr : r.defaultExt.c_str();
    ofn.Flags = r.flags;
    if (!::GetSaveFileNameW(&ofn)) return std::nullopt;
    return SaveDialogResult{name.data(), static_cast<int>(ofn.nFilterIndex)};
  }

  std::optional<PrinterChoice> PrinterSetup(const PrinterSetupRequest& r) override {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = r.owner;
    pd.Flags = PD_PRINTSETUP;
    // The dialog starts from the current choice; it owns and may replace the
    // handles, and whatever it returns is freed here after copying.
    GlobalMemory names, mode;
    if (r.current) {
      names = r.current->NewDevNamesHandle();
      mode = r.current->NewDevModeHandle();
    }
    pd.hDevNames = names.release();
    pd.hDevMode = mode.release();
    const bool ok = ::PrintDlgW(&pd) != FALSE;
    names.reset(pd.hDevNames);
    mode.reset(pd.hDevMode);
    if (!ok) return std::nullopt;
    return PrinterChoice::FromHandles(names.get(), mode.get());
  }
};

ModalResponder* g_current = nullptr;

}  // namespace

ModalResponder& PlatformResponder() {
  static Platform platform;
  return platform;
}

ModalResponder* SetModalResponder(ModalResponder* r) {
  ModalResponder* prev = g_current;
  g_current = r;
  return prev;
}

ModalResponder& CurrentResponder() { return g_current ? *g_current : PlatformResponder(); }

int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
  return CurrentResponder().ShowMessageBox({owner, text, caption, true, type});
}

int ShowMessageNoCaption(HWND owner, const std::wstring& text, UINT type) {
  return CurrentResponder().ShowMessageBox({owner, text, L"", false, type});
}

std::optional<COLORREF> ChooseColorModal(HWND owner, COLORREF initial, DWORD flags) {
  return CurrentResponder().PickColor({owner, initial, flags});
}

std::optional<SaveDialogResult> SaveFileModal(const SaveDialogRequest& r) {
  return CurrentResponder().SaveFile(r);
}

std::optional<PrinterChoice> PrinterSetupModal(const PrinterSetupRequest& r) {
  return CurrentResponder().PrinterSetup(r);
}

}  // namespace tk
