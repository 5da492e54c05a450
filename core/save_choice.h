// The save dialog's file types and how the name and type the user chose make
// the file that is written: a typed extension of a known picture type wins
// over the list, and a name without any extension gets the listed type's.
#pragma once
#include <string>

#include "core/picture_format.h"

namespace core {

// The types the save dialog lists, in its order (the list's index 1 first):
// BMP first, as the program has always written BMP.
inline constexpr PictureFormat kSaveListFormats[] = {PictureFormat::kBmp, PictureFormat::kPng,
                                                     PictureFormat::kJpeg, PictureFormat::kTiff};

// "BMP picture (*.bmp)|*.bmp|PNG picture (*.png)|*.png|..." in that order.
std::wstring SaveDialogFilter();
// The default extension the dialog starts with, without its dot: "bmp".
std::wstring SaveDialogDefaultExtension();

// The type at the list's 1-based index; BMP for an index outside the list.
PictureFormat ListedFormat(int filterIndex);

struct SaveTarget {
  std::wstring fileName;
  PictureFormat format = PictureFormat::kBmp;
};
// What a file name and list index chosen in the dialog write.
SaveTarget ChooseSaveTarget(const std::wstring& fileName, int filterIndex);

}  // namespace core
