// Real folders under %TEMP% for the shell controls to show, a window to host
// them, and waiting for asynchronous refreshes while messages flow.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "toolkit/form.h"

namespace shelltest {

// A fresh folder under %TEMP% (long path form), removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& Path() const { return root_; }
  std::wstring Path(const std::wstring& relative) const { return root_ + L"\\" + relative; }
  std::wstring MakeDir(const std::wstring& relative) const;
  std::wstring MakeFile(const std::wstring& relative, size_t bytes = 0) const;

 private:
  std::wstring root_;
};

bool Exists(const std::wstring& path);

// Pumps messages until pred holds or timeoutMs has passed; returns pred().
bool WaitFor(const std::function<bool()>& pred, DWORD timeoutMs = 10000);

// Posts a key press to a window the way the message loop sees one from the
// keyboard: key down, translated into a character, key up.
void PressKey(HWND target, UINT vk);

// UTF-8 for gtest's messages.
std::string U8(const std::wstring& w);

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::unique_ptr<tk::TForm> form;
  TempFolder temp;
};

}  // namespace shelltest
