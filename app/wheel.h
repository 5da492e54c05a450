// Summing wheel movement into whole notches.
#pragma once

namespace app {

// Adds `delta` (WHEEL_DELTA units, positive away from the user) to the
// carried remainder and returns the number of whole notches: positive for
// away from the user (up), negative toward the user (down). The remainder
// keeps the sign of the movement that is still open.
inline int TakeWheelNotches(int& remainder, int delta) {
  remainder += delta;
  const int notches = remainder / 120;
  remainder -= notches * 120;
  return notches;
}

}  // namespace app
