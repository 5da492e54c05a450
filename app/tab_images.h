#pragma once
#include "toolkit/handles.h"

namespace app {

// The three 16 x 16 tab pictures: 0 an opened folder, 1 a printer, 2 a ruled frame.
tk::ImageList MakeTabImages();

}  // namespace app
