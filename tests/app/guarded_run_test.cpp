// Nothing ends the program silently: an escaping exception becomes one line
// on standard error (command line) or one error box (window), and exit code 1.
#include "app/guarded_run.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/modal_recorder.h"

namespace {

struct Case {
  const char* name;
  std::function<int()> body;
  int code;
  std::wstring text;  // empty: nothing may be reported
};

TEST(GuardedRun, EveryEscapingFailureIsReportedOnceWithExitCodeOne) {
  const Case cases[] = {
      {"success", [] { return 0; }, 0, L""},
      {"the body's own failure code", [] { return 2; }, 2, L""},
      {"out of memory", []() -> int { throw std::bad_alloc(); }, 1, L"Verdalux ran out of memory and had to stop."},
      {"a failed call", []() -> int { throw std::runtime_error("OleInitialize failed: 0x8000FFFF"); }, 1,
       L"Verdalux had to stop: OleInitialize failed: 0x8000FFFF"},
      {"not a standard exception", []() -> int { throw 42; }, 1, L"Verdalux had to stop after an unexpected error."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const bool batch : {true, false}) {
      testsupport::ScopedRecorder modal;
      std::vector<std::wstring> lines;
      EXPECT_EQ(app::RunGuarded(batch, c.body, [&](const std::wstring& l) { lines.push_back(l); }), c.code);
      std::vector<std::wstring> boxes;
      for (const auto& m : modal.messages) {
        boxes.push_back(m.text);
        EXPECT_EQ(m.type, UINT(MB_OK | MB_ICONERROR));
      }
      const std::vector<std::wstring> expected = c.text.empty() ? std::vector<std::wstring>{}
                                                                : std::vector<std::wstring>{c.text};
      EXPECT_EQ(batch ? lines : boxes, expected) << (batch ? "standard error" : "message box");
      EXPECT_TRUE((batch ? boxes : lines).empty()) << "reported in the wrong place";
    }
  }
}

}  // namespace
