#include "output/band_worker.h"

#include <windows.h>
#include <objbase.h>

#include <system_error>

namespace output {
namespace {

double Seconds() {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return double(t.QuadPart) / double(f.QuadPart);
}

// Runs the task and adds its time to `seconds`.
bool Timed(const BandWorker::Task& task, double& seconds) {
  const double start = Seconds();
  const bool ok = task();
  seconds += Seconds() - start;
  return ok;
}

}  // namespace

BandWorker::BandWorker(bool threaded) {
  if (!threaded) return;
  try {
    thread_ = std::thread([this] { Loop(); });
  } catch (const std::system_error&) {
    // No thread to be had: the tasks run on the caller's thread.
  }
}

BandWorker::~BandWorker() { Stop([] {}); }

void BandWorker::Stop(const std::function<void()>& last) {
  if (!thread_.joinable()) {
    last();
    return;
  }
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !pending_ && !busy_; });
    last_ = last;
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void BandWorker::Loop() {
  // The platform's encoders are COM objects, created and used on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return pending_ || stopping_; });
    if (!pending_) break;
    Task task = std::move(pending_);
    pending_ = nullptr;
    busy_ = true;
    lock.unlock();
    const bool ok = Timed(task, busy_seconds_);
    lock.lock();
    busy_ = false;
    if (!ok) failed_ = true;
    changed_.notify_all();
  }
  lock.unlock();
  if (last_) last_();
  if (SUCCEEDED(com)) CoUninitialize();
}

bool BandWorker::Wait() {
  if (!thread_.joinable()) return !failed_;
  const double start = Seconds();
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !pending_ && !busy_; });
  wait_seconds_ += Seconds() - start;
  return !failed_;
}

bool BandWorker::Post(Task task) {
  if (!thread_.joinable()) {
    if (failed_) return false;
    if (!Timed(task, busy_seconds_)) failed_ = true;
    return true;
  }
  {
    const double start = Seconds();
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !pending_ && !busy_; });
    wait_seconds_ += Seconds() - start;
    if (failed_) return false;
    pending_ = std::move(task);
  }
  changed_.notify_all();
  return true;
}

}  // namespace output
