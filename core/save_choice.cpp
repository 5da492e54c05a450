#include "core/save_choice.h"

#include <iterator>

namespace core {
namespace {

// The patterns a type is listed with; the first is what a new file gets.
std::wstring Patterns(PictureFormat format) {
  switch (format) {
    case PictureFormat::kBmp: return L"*.bmp";
    case PictureFormat::kPng: return L"*.png";
    case PictureFormat::kJpeg: return L"*.jpg;*.jpeg";
    case PictureFormat::kTiff: return L"*.tif;*.tiff";
  }
  return L"";
}

bool HasExtension(const std::wstring& name) {
  const std::optional<std::wstring> extension = ExtensionOf(name);
  return extension && !extension->empty();
}

}  // namespace

std::wstring SaveDialogFilter() {
  std::wstring filter;
  for (PictureFormat f : kSaveListFormats) {
    if (!filter.empty()) filter += L'|';
    const std::wstring patterns = Patterns(f);
    filter += FormatTitle(f) + L" picture (" + patterns + L")|" + patterns;
  }
  return filter;
}

std::wstring SaveDialogDefaultExtension() { return FormatExtension(kSaveListFormats[0]).substr(1); }

PictureFormat ListedFormat(int filterIndex) {
  const int count = static_cast<int>(std::size(kSaveListFormats));
  if (filterIndex < 1 || filterIndex > count) return kSaveListFormats[0];
  return kSaveListFormats[filterIndex - 1];
}

SaveTarget ChooseSaveTarget(const std::wstring& fileName, int filterIndex) {
  if (const auto typed = FormatFromFileName(fileName)) return SaveTarget{fileName, *typed};
  const PictureFormat listed = ListedFormat(filterIndex);
  // An extension the user typed stays, even one of no picture type.
  if (HasExtension(fileName)) return SaveTarget{fileName, listed};
  std::wstring name = fileName;
  if (!name.empty() && name.back() == L'.') name.pop_back();
  return SaveTarget{name + FormatExtension(listed), listed};
}

}  // namespace core
