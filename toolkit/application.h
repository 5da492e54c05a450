// The application object: its title and the message loop that runs until the
// main form has closed.
#pragma once
#include <windows.h>

#include <string>

namespace tk {

class TForm;

class TApplication {
 public:
  static TApplication& Instance();

  void SetTitle(const std::wstring& t) { title_ = t; }
  const std::wstring& Title() const { return title_; }
  void SetHelpFile(const std::wstring& f) { helpFile_ = f; }
  const std::wstring& HelpFile() const { return helpFile_; }

  // Shows the main form and dispatches messages until it has been destroyed.
  int Run(TForm& mainForm);
  // Dispatches the messages waiting now, without blocking.
  void ProcessMessages();

  // The standard report of an error that an event handler did not handle: an
  // error message box with the title (or, without one, the executable's name)
  // as its caption.
  void ShowException(HWND owner, const std::wstring& message);

 private:
  bool Dispatch(const MSG& msg, HWND mainWnd);
  std::wstring title_;
  std::wstring helpFile_;
};

}  // namespace tk
