// Render: draws the document into one 24-bit picture of the chosen size, with
// an optional coloured border, in strips of at most 500 rows. Independent of
// any window: the main window and the command line both drive it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/render_geometry.h"
#include "raster/owned_dib.h"
#include "render/renderer/row_sink.h"

namespace render {

// The settings and the frame arithmetic are pure and live in the core; the
// renderer and its callers use them as the renderer's own terms.
using core::ComputeFrame;
using core::FrameGeometry;
using core::RenderSettings;

// Draws the document scaled into (left, top, left + width, top + height) of the
// DC; empty when there is no document.
using DocumentDrawer = std::function<void(HDC dc, int left, int top, int width, int height)>;
using ProgressSink = std::function<void(int percent)>;
using MessageSink = std::function<void(const std::wstring& text, const std::wstring& caption, UINT type)>;

inline constexpr wchar_t kTargetFailedText[] = L"Could not create bitmap! Not enough free memory?!";
inline constexpr wchar_t kStripFailedText[] = L"Could not create bitmap! Please choose a smaller size!";
inline constexpr wchar_t kCopyFailedText[] = L"Could not copy bitmap! Not enough free memory?!";

struct RenderContext {
  DocumentDrawer drawDocument;
  HDC referenceDC = nullptr;  // GetDIBits reads the strips through it
  ProgressSink progress;
  MessageSink message;        // empty: a message box owned by `owner`
  HWND owner = nullptr;
  // Asked between strips; true abandons the render without a message.
  std::function<bool()> cancel;
};

// Failures forced at a strip (counted from 0), so tests reach every failure
// path at any strip; -1 forces nothing. The strip image is failed through the
// raster library's own allocation hook.
struct FailureInjection {
  int32_t stripBitmapAt = -1;
  int32_t readBackAt = -1;
};

// Wall time of the phases of the last render, in seconds.
struct RenderTimings {
  double begin = 0;       // the sink's start: the target and its border fill, or the file
  double stripSetup = 0;  // strip bitmap with its white start, strip image
  double drawing = 0;
  double readBack = 0;
  double placement = 0;   // the sink taking each strip
  double finish = 0;      // the sink's end: nothing in memory, the rest of a file
  int32_t strips = 0;
};

class StripRenderer {
 public:
  explicit StripRenderer(RenderContext context);

  // The finished picture, which the caller takes over; empty after a failure,
  // which has then been reported through the message sink exactly once, and
  // after a cancel, which is not reported.
  raster::OwnedDib Render(const RenderSettings& settings);
  // The same render into any sink. False after a failure, reported exactly
  // once (the sink's own error when the sink failed), and after a cancel.
  bool Render(const RenderSettings& settings, RowSink& sink);

  void SetFailureInjection(const FailureInjection& f) { inject_ = f; }
  const RenderTimings& LastTimings() const { return timings_; }

 private:
  void Report(const wchar_t* text) const;
  void Progress(int percent) const;
  int ReadBack(HBITMAP bitmap, int32_t rows, const TDibImage& strip, int32_t index) const;

  RenderContext context_;
  FailureInjection inject_;
  RenderTimings timings_;
};

}  // namespace render
