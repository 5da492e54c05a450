// The preview fit is pure arithmetic and lives in the core; the holder uses it
// under its own names.
#pragma once
#include "core/preview_fit.h"

namespace render {

using core::FitPreview;
using core::PreviewRect;

}  // namespace render
