// Real folders under %TEMP% for the shell controls to show, a window to host
// them, and waiting for asynchronous refreshes while messages flow.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/files.h"
#include "toolkit/form.h"

namespace shelltest {

using TempFolder = testsupport::TempDir;
using testsupport::Exists;

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
