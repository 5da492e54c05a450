// One task at a time on a thread of its own, so a file writer encodes and
// writes one band while the renderer draws the next. The caller waits only
// when it needs the band memory back or a result. Without a thread (when none
// can be started, or when asked) each task simply runs at once.
#pragma once
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace output {

class BandWorker {
 public:
  using Task = std::function<bool()>;

  explicit BandWorker(bool threaded);
  // Runs `last` on the worker (where the writer's objects live), then ends it.
  void Stop(const std::function<void()>& last);
  ~BandWorker();
  BandWorker(const BandWorker&) = delete;
  BandWorker& operator=(const BandWorker&) = delete;

  // Waits until the task at hand is done; false when any task so far failed.
  bool Wait();
  // Waits for the task at hand, then hands this one over; false (and the task
  // is dropped) when an earlier one failed.
  bool Post(Task task);
  // Post, then Wait.
  bool Run(Task task) { return Post(std::move(task)) && Wait(); }
  bool Threaded() const { return thread_.joinable(); }
  // Seconds the tasks ran, and seconds callers waited for the task at hand.
  double BusySeconds() const { return busy_seconds_; }
  double WaitSeconds() const { return wait_seconds_; }

 private:
  void Loop();

  std::mutex mutex_;
  std::condition_variable changed_;
  Task pending_;
  bool busy_ = false;
  bool failed_ = false;
  bool stopping_ = false;
  std::function<void()> last_;
  double busy_seconds_ = 0;
  double wait_seconds_ = 0;
  std::thread thread_;
};

}  // namespace output
