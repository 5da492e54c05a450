#include "core/page_choice.h"

#include "core/cli_options.h"
#include "core/color_text.h"

namespace core {

std::optional<PageChoice> ParsePageChoice(const std::wstring& text) {
  if (UpperAscii(text) == L"ALL") return PageChoice{true, 1};
  const auto n = ParseBoundedInt(text, 1, kMaxPageNumber);
  if (!n) return std::nullopt;
  return PageChoice{false, *n};
}

PageRange PagesToRender(const std::optional<PageChoice>& choice, int32_t pageCount) {
  if (pageCount < 1) return {0, 0, L"The document has no pages."};
  if (!choice) return {0, 1, {}};
  if (choice->all) return {0, pageCount, {}};
  if (choice->number > pageCount) {
    const std::wstring pages = pageCount == 1 ? L" page." : L" pages.";
    return {0, 0,
            L"Page " + std::to_wstring(choice->number) + L" does not exist: the document has " +
                std::to_wstring(pageCount) + pages};
  }
  return {choice->number - 1, 1, {}};
}

std::wstring PagePictureInFolder(const std::wstring& folder, const std::wstring& document, PictureFormat format,
                                 int32_t page, int32_t pageCount) {
  std::wstring number = std::to_wstring(page);
  const size_t width = std::to_wstring(pageCount).size();
  if (number.size() < width) number.insert(0, width - number.size(), L'0');
  return PictureInFolder(folder, document, format, L"-" + number);
}

}  // namespace core
