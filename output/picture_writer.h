// A picture file writer takes a picture's rows band by band and streams them
// into its file, holding no more than the band it is given.
//
// Row order: bands come in the order the format stores its rows, so every
// writer appends and none seeks back. BMP stores the bottom row first (a
// positive height, which every reader of the format accepts), so its bands
// come bottom band first and each band's rows bottom row first in memory, as
// GDI holds them. PNG, JPEG and TIFF store the top row first: top band first,
// each band top row first. Layout() says which, and how a band's bytes are
// laid out; core::ComposeRows builds bands in that layout.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/band_rows.h"
#include "core/picture_format.h"
#include "output/target_file.h"

namespace output {

class PictureWriter {
 public:
  explicit PictureWriter(const std::wstring& path) : file_(path) {}
  virtual ~PictureWriter() = default;  // an unfinished file leaves nothing behind
  PictureWriter(const PictureWriter&) = delete;
  PictureWriter& operator=(const PictureWriter&) = delete;

  // Checks that the format holds a width x height picture and opens the
  // temporary file; false, with Error() saying why, before any row is taken.
  virtual bool Begin(int32_t width, int32_t height) = 0;
  // How WriteBand wants its bytes; valid after Begin.
  virtual core::BandLayout Layout() const = 0;
  // The next `rows` rows in the format's row order, laid out as Layout() says.
  virtual bool WriteBand(const uint8_t* band, int32_t rows) = 0;
  // After the last row: completes the file and renames it into place.
  virtual bool Finish() = 0;

  const std::wstring& Error() const { return file_.Error(); }
  const std::wstring& Path() const { return file_.Path(); }
  // For tests: a full disk once the file would pass this many bytes.
  void FailAfterBytes(int64_t bytes) { file_.FailAfterBytes(bytes); }

 protected:
  TargetFile file_;
};

// The writer for the format the options name, writing to `path`.
std::unique_ptr<PictureWriter> MakePictureWriter(const std::wstring& path, const core::WriteOptions& options);

}  // namespace output
