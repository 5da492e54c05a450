// Writes a picture held in memory (the window's rendered picture) with a
// picture writer: its rows go through the same band layout, in the same
// strips, as a render streamed into a file, so the file is the same.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "output/picture_writer.h"
#include "render/renderer/pixel_rows.h"

namespace output {

// False with the reason in `error` (the file named) when the picture could not
// be written; nothing is left on disk then. `progress`, when given, hears the
// share of rows handed to the writer so far, in percent, after each strip.
bool WritePicture(const render::RowImage& picture, std::unique_ptr<PictureWriter> writer, std::wstring& error,
                  const std::function<void(int32_t)>& progress = {});

}  // namespace output
