// Where the strip renderer puts the rows it draws: the window's render keeps
// them in one picture in memory, the command line streams them into a file.
// Both get the same strips from the same renderer, so what a file holds is
// what the window would show.
#pragma once
#include <cstdint>
#include <string>

#include "core/render_geometry.h"
#include "render/renderer/pixel_rows.h"

namespace render {

// The framed picture a render makes: its frame, the picture inside it, and
// the border colour's pixel bytes when the border is on.
struct FramedPicture {
  core::FrameGeometry frame;
  int32_t width = 0;   // the picture inside the frame
  int32_t height = 0;
  bool border = false;
  core::PixelBytes borderPixel{};
};

class RowSink {
 public:
  virtual ~RowSink() = default;

  // True when the strips should come bottom strip first (a file stored bottom
  // row first); otherwise top strip first.
  virtual bool BottomStripFirst() const { return false; }
  // Before anything is drawn: ready for the framed picture, or false, with
  // Error() saying why, and then nothing is drawn.
  virtual bool Begin(const FramedPicture& picture) = 0;
  // One strip as read back (bottom-up rows, blue first, as wide as the
  // picture inside the frame) whose top is picture row `top`, counted from the
  // top of the picture without its frame.
  virtual bool PutStrip(const RowImage& strip, int32_t top) = 0;
  // After the last strip: completes the picture.
  virtual bool Finish() = 0;
  // The message for the last failure, as the user reads it.
  virtual std::wstring Error() const = 0;
};

}  // namespace render
