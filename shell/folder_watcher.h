// Watches one folder for added, removed, renamed or rewritten entries on a
// worker thread. The thread touches nothing but its own handles and a flag;
// it tells the owning window by posting one message, and posts again only
// after the window has acknowledged the last one, so a burst of changes
// queues a single refresh.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "toolkit/handles.h"

namespace shell {

struct ChangeNotificationDeleter {
  void operator()(HANDLE h) const { ::FindCloseChangeNotification(h); }
};
using ChangeNotification = tk::UniqueHandle<HANDLE, ChangeNotificationDeleter>;

class TFolderWatcher {
 public:
  TFolderWatcher() = default;
  ~TFolderWatcher() { Stop(); }
  TFolderWatcher(const TFolderWatcher&) = delete;
  TFolderWatcher& operator=(const TFolderWatcher&) = delete;

  // Stops any earlier watch and starts watching folder; false (and nothing
  // running) when the folder cannot be watched.
  bool Start(const std::wstring& folder, HWND target, UINT message);
  // Ends the watch and joins the thread. Safe to call at any time.
  void Stop();
  bool Running() const { return thread_.joinable(); }
  // The window has taken the last message; the next change may post again.
  void Acknowledge() { posted_.store(false); }

 private:
  void Run(HANDLE change, HANDLE stop, HWND target, UINT message);

  ChangeNotification change_;
  tk::KernelHandle stop_;
  std::atomic<bool> posted_{false};
  std::thread thread_;
};

}  // namespace shell
