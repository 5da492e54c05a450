#include "raster/gdi_calls.h"

namespace raster {
namespace {
GdiCalls g_calls;
RowDrawStats g_stats;
}  // namespace

const GdiCalls& Gdi() { return g_calls; }

ScopedGdiCalls::ScopedGdiCalls(const GdiCalls& calls) : previous_(g_calls) { g_calls = calls; }

ScopedGdiCalls::~ScopedGdiCalls() { g_calls = previous_; }

RowDrawStats& LastRowDrawStats() { return g_stats; }

}  // namespace raster
