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
  std::vector<tk::PrinterSetupRequest> printerSetups;

  std::deque<int> messageAnswers;                        // default IDOK
  std::deque<std::optional<COLORREF>> colorAnswers;      // default cancelled
  std::deque<std::optional<tk::SaveDialogResult>> saveAnswers;  // default cancelled
  std::deque<std::optional<tk::PrinterChoice>> printerSetupAnswers;  // default cancelled

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
  std::optional<tk::PrinterChoice> PrinterSetup(const tk::PrinterSetupRequest& r) override {
    printerSetups.push_back(r);
    if (printerSetupAnswers.empty()) return std::nullopt;
    auto a = std::move(printerSetupAnswers.front());
    printerSetupAnswers.pop_front();
    return a;
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
