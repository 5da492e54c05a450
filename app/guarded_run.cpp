#include "app/guarded_run.h"

#include <windows.h>

#include <exception>
#include <new>

#include "toolkit/modal.h"

namespace app {
namespace {

// Exception texts are ASCII: the names of failed calls and result codes.
std::wstring Widen(const char* text) {
  std::wstring w;
  for (const char* p = text ? text : ""; *p; ++p) w += static_cast<wchar_t>(static_cast<unsigned char>(*p));
  return w;
}

int Report(bool batch, const std::wstring& text, const ErrorSink& batchErrors) {
  if (batch) {
    if (batchErrors) batchErrors(text);
  } else {
    tk::ShowMessage(nullptr, text, L"Verdalux", MB_OK | MB_ICONERROR);
  }
  return 1;
}

}  // namespace

int RunGuarded(bool batch, const std::function<int()>& body, const ErrorSink& batchErrors) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return Report(batch, L"Verdalux ran out of memory and had to stop.", batchErrors);
  } catch (const std::exception& e) {
    return Report(batch, L"Verdalux had to stop: " + Widen(e.what()), batchErrors);
  } catch (...) {
    return Report(batch, L"Verdalux had to stop after an unexpected error.", batchErrors);
  }
}

}  // namespace app
