// Looks for Esc among the key presses waiting for this thread, without
// running the message loop: the one key a blocking render listens to.
#pragma once

namespace app {

// True when an Esc key press was waiting; it is taken out of the queue. Other
// key presses stay queued, in their order.
bool TakeEscapeKey();

}  // namespace app
