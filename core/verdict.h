// The outcome of a structural check: accepted, or refused with a reason a
// person can act on, e.g. "record 12 of type EMR_BITBLT (76) overruns the file".
#pragma once
#include <string>
#include <utility>

namespace core {

struct Verdict {
  bool ok = true;
  std::string reason;  // empty when accepted

  static Verdict Accept() { return {}; }
  static Verdict Refuse(std::string why) { return {false, std::move(why)}; }
  explicit operator bool() const { return ok; }
};

}  // namespace core
