// What the checks of a metafile decide about one record.
#pragma once

namespace core {

enum class RecordFate {
  kPlay,      // the players get it (perhaps mended)
  kLeaveOut,  // whole, but not for the players: GDI would refuse it, or it could harm the program
  kRefuse,    // something the players follow lies outside it: the file is damaged there
};

// What the check of one record decided, and why, for the checkers' helpers
// to set as they go.
class RecordVerdict {
 public:
  const char* Why() const { return why_; }

 protected:
  void Reset() {
    why_ = nullptr;
    fate_ = RecordFate::kPlay;
  }
  RecordFate Fate(bool ok) const { return ok ? RecordFate::kPlay : fate_; }
  bool Damaged(const char* why) { return Set(RecordFate::kRefuse, why); }
  bool Unplayable(const char* why) { return Set(RecordFate::kLeaveOut, why); }

 private:
  bool Set(RecordFate fate, const char* why) {
    why_ = why;
    fate_ = fate;
    return false;
  }
  RecordFate fate_ = RecordFate::kPlay;
  const char* why_ = nullptr;
};

}  // namespace core
