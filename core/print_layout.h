// Where a picture lands on the printed page: the printable area used fully or
// by width and height percentages, the picture's aspect kept or not, centred
// or at the top-left. Printer units throughout; products are 64-bit.
#pragma once
#include <cstdint>

namespace core {

struct PrintOptions {
  bool useFully = true;      // otherwise the percentages of the printable area
  int32_t widthPercent = 50;  // 1..100, clamped
  int32_t heightPercent = 50;
  bool keepAspect = true;
  bool centered = true;
};

struct PrintRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PrintRect&) const = default;
};

// The picture's place in a printable area of areaWidth x areaHeight. The box
// is the whole area or its percentages; with the aspect kept the picture is
// the largest of its shape inside the box, otherwise it fills the box. An
// empty picture or area gives an empty rectangle.
PrintRect PlaceOnPage(int32_t pictureWidth, int32_t pictureHeight, int32_t areaWidth, int32_t areaHeight,
                      const PrintOptions& options);

// With the aspect kept, the percentage of the other side that follows the one
// being edited: the same picture shape on a page of that shape, clamped to
// 1..100. editedIsWidth tells which side the user changed.
int32_t FollowingPercent(int32_t editedPercent, bool editedIsWidth, int32_t pictureWidth, int32_t pictureHeight,
                         int32_t areaWidth, int32_t areaHeight);

}  // namespace core
