// Which pages of a document the command line renders (--page N or --page all)
// and what the pictures of single pages are called.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "core/picture_format.h"

namespace core {

struct PageChoice {
  bool all = false;
  int32_t number = 1;  // from 1, when not all
};

inline constexpr int32_t kMaxPageNumber = 999999;

// "all" in any case, or a page number 1..kMaxPageNumber.
std::optional<PageChoice> ParsePageChoice(const std::wstring& text);

// The pages, counted from 0, a document of `pageCount` pages becomes pictures
// of: its first without a choice; empty, with the reason, when the chosen page
// is not there.
struct PageRange {
  int32_t first = 0;
  int32_t count = 0;
  std::wstring error;
};
PageRange PagesToRender(const std::optional<PageChoice>& choice, int32_t pageCount);

// The picture of page `page` (from 1) of a document of `pageCount` pages in
// `folder`: "C:\out" and "D:\docs\plan.pdf" give "C:\out\plan-3.png" for
// page 3 of 7, and "C:\out\plan-03.png" of 12, so names sort in page order.
std::wstring PagePictureInFolder(const std::wstring& folder, const std::wstring& document, PictureFormat format,
                                 int32_t page, int32_t pageCount);

}  // namespace core
