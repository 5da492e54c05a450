// The one seam for modal interaction. Everything that would block on the user
// (message boxes, common dialogs) goes through here, so tests can answer instead.
#pragma once
#include <windows.h>
#include <optional>
#include <string>

#include "toolkit/printer_choice.h"

namespace tk {

struct MessageBoxRequest {
  HWND owner = nullptr;
  std::wstring text;
  std::wstring caption;  // empty when the caller passed none (system default caption)
  bool hasCaption = false;
  UINT type = 0;         // MB_* flags: buttons and icon
};

struct ColorDialogRequest {
  HWND owner = nullptr;
  COLORREF initial = 0;
  DWORD flags = 0;       // CC_* flags
};

struct SaveDialogRequest {
  HWND owner = nullptr;
  std::wstring initialFolder;
  std::wstring fileName;
  std::wstring filter;   // "Description|*.ext|..." pairs
  int filterIndex = 1;
  std::wstring defaultExt;
  DWORD flags = 0;       // OFN_* flags
};

struct PrinterSetupRequest {
  HWND owner = nullptr;
  const PrinterChoice* current = nullptr;  // what the dialog starts with; nullptr: the default printer
};

struct SaveDialogResult {
  std::wstring fileName;
  int filterIndex = 1;
};

// Implemented by the platform by default, and by tests to record and answer.
class ModalResponder {
 public:
  virtual ~ModalResponder() = default;
  virtual int ShowMessageBox(const MessageBoxRequest& r) = 0;
  virtual std::optional<COLORREF> PickColor(const ColorDialogRequest& r) = 0;
  virtual std::optional<SaveDialogResult> SaveFile(const SaveDialogRequest& r) = 0;
  // The printer and settings the user chose; none when cancelled.
  virtual std::optional<PrinterChoice> PrinterSetup(const PrinterSetupRequest& r) = 0;
};

// Returns the platform responder (real dialogs).
ModalResponder& PlatformResponder();

// Installs r (nullptr: the platform) and returns the previous responder.
ModalResponder* SetModalResponder(ModalResponder* r);
ModalResponder& CurrentResponder();

class ScopedModalResponder {
 public:
  explicit ScopedModalResponder(ModalResponder* r) : prev_(SetModalResponder(r)) {}
  ~ScopedModalResponder() { SetModalResponder(prev_); }
  ScopedModalResponder(const ScopedModalResponder&) = delete;
  ScopedModalResponder& operator=(const ScopedModalResponder&) = delete;
 private:
  ModalResponder* prev_;
};

// The entry points the program calls.
int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);
int ShowMessageNoCaption(HWND owner, const std::wstring& text, UINT type);
std::optional<COLORREF> ChooseColorModal(HWND owner, COLORREF initial, DWORD flags);
std::optional<SaveDialogResult> SaveFileModal(const SaveDialogRequest& r);
std::optional<PrinterChoice> PrinterSetupModal(const PrinterSetupRequest& r);

}  // namespace tk
