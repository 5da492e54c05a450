#include "shell/folder_watcher.h"

namespace shell {

bool TFolderWatcher::Start(const std::wstring& folder, HWND target, UINT message) {
  Stop();
  if (folder.empty() || !target) return false;
  constexpr DWORD kWhat = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE |
                          FILE_NOTIFY_CHANGE_LAST_WRITE;
  HANDLE h = ::FindFirstChangeNotificationW(folder.c_str(), FALSE, kWhat);
  if (h == INVALID_HANDLE_VALUE) return false;
  change_.reset(h);
  stop_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!stop_) {
    change_.reset();
    return false;
  }
  posted_.store(false);
  // The thread gets the raw handles by value; both outlive it because Stop()
  // joins before closing them.
  thread_ = std::thread(&TFolderWatcher::Run, this, change_.get(), stop_.get(), target, message);
  return true;
}

void TFolderWatcher::Stop() {
  if (thread_.joinable()) {
    ::SetEvent(stop_.get());
    thread_.join();
  }
  change_.reset();
  stop_.reset();
}

void TFolderWatcher::Run(HANDLE change, HANDLE stop, HWND target, UINT message) {
  const HANDLE waits[2] = {stop, change};
  for (;;) {
    const DWORD r = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (r != WAIT_OBJECT_0 + 1) return;  // stopped, or the wait itself failed
    if (!posted_.exchange(true) && !::PostMessageW(target, message, 0, 0)) posted_.store(false);
    // The folder itself may be gone; then there is nothing more to watch.
    if (!::FindNextChangeNotification(change)) return;
  }
}

}  // namespace shell
