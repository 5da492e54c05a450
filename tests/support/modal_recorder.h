// A modal responder for tests: records every request and answers from a queue.
#pragma once
#include <deque>
#include <optional>
#include <vector>

#include "toolkit/modal.h"

namespace testsupport {

class ModalRecorder : public tk::ModalResponder {
 public:
  std::vector<tk::MessageBoxRequest> messages;
  std::vector<tk::ColorDialogRequest> colorRequests;
  std::vector<tk::SaveDialogRequest> saveRequests;
  int printerSetups = 0;

  std::deque<int> messageAnswers;                        // default IDOK
  std::deque<std::optional<COLORREF>> colorAnswers;      // default cancelled
  std::deque<std::optional<tk::SaveDialogResult>> saveAnswers;  // default cancelled
  bool printerSetupAnswer = false;

  int ShowMessageBox(const tk::MessageBoxRequest& r) override {
    messages.push_back(r);
    if (messageAnswers.empty()) return IDOK;
    int a = messageAnswers.front();
    messageAnswers.pop_front();
    return a;
  }
  std::optional<COLORREF> PickColor(const tk::ColorDialogRequest& r) override {
    colorRequests.push_back(r);
    if (colorAnswers.empty()) return std::nullopt;
    auto a = colorAnswers.front();
    colorAnswers.pop_front();
    return a;
  }
  std::optional<tk::SaveDialogResult> SaveFile(const tk::SaveDialogRequest& r) override {
    saveRequests.push_back(r);
    if (saveAnswers.empty()) return std::nullopt;
    auto a = saveAnswers.front();
    saveAnswers.pop_front();
    return a;
  }
  bool PrinterSetup(HWND) override {
    ++printerSetups;
    return printerSetupAnswer;
  }
};

// Installs a recorder for the lifetime of the object.
class ScopedRecorder : public ModalRecorder {
 public:
  ScopedRecorder() : prev_(tk::SetModalResponder(this)) {}
  ~ScopedRecorder() override { tk::SetModalResponder(prev_); }
 private:
  tk::ModalResponder* prev_;
};

}  // namespace testsupport
