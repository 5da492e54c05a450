#include "core/placement_text.h"

#include <algorithm>

#include "core/setting_text.h"

namespace core {
namespace {

constexpr int64_t kMinCoordinate = -32768;
constexpr int64_t kMaxCoordinate = 32767;

int32_t Coordinate(int64_t v) { return static_cast<int32_t>(std::clamp(v, kMinCoordinate, kMaxCoordinate)); }

// The file name part of a path: after the last backslash, slash or drive colon.
std::wstring_view FileNamePart(std::wstring_view path) {
  const size_t cut = path.find_last_of(L"\\/:");
  return cut == std::wstring_view::npos ? path : path.substr(cut + 1);
}

std::wstring_view WithoutExtension(std::wstring_view name) {
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring_view::npos ? name : name.substr(0, dot);
}

}  // namespace

std::wstring ScreenSizeKey(std::wstring_view key, int32_t screenWidth, int32_t screenHeight) {
  return std::wstring(key) + L"(" + std::to_wstring(screenWidth) + L"x" + std::to_wstring(screenHeight) + L")";
}

std::wstring FormatPosition(int32_t a, int32_t b, int32_t c, int32_t d) {
  return std::to_wstring(a) + L"," + std::to_wstring(b) + L"," + std::to_wstring(c) + L"," + std::to_wstring(d);
}

std::vector<std::wstring> PositionWords(std::wstring_view text) {
  std::vector<std::wstring> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == L',' || text[i] == L' ')) ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != L',' && text[i] != L' ') ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

int32_t WordOr(const std::vector<std::wstring>& words, size_t index, int32_t fallback) {
  return index < words.size() ? IntegerOr(words[index], fallback) : fallback;
}

int32_t IntegerOr(std::wstring_view text, int32_t fallback) { return ParseStoredInteger(text).value_or(fallback); }

StoredEntries PlacementEntries(const PlacementRecord& p, int32_t pixelsPerInch, int32_t screenWidth,
                               int32_t screenHeight, bool fromDestroy) {
  const std::wstring minMax = FormatPosition(p.minX, p.minY, p.maxX, p.maxY);
  const std::wstring norm = FormatPosition(p.left, p.top, p.right, p.bottom);
  return {
      {L"Flags", std::to_wstring(p.flags)},
      {L"ShowCmd", std::to_wstring(p.showCmd)},
      {L"PixelsPerInch", std::to_wstring(pixelsPerInch)},
      {ScreenSizeKey(L"MinMaxPos", screenWidth, screenHeight), minMax},
      {L"MinMaxPos", minMax},
      {ScreenSizeKey(L"NormPos", screenWidth, screenHeight), norm},
      {L"NormPos", norm},
      {L"Visible", fromDestroy ? L"1" : L"0"},
  };
}

std::optional<PlacementRecord> PlacementToApply(const CurrentWindow& window, const StoredPosition& stored) {
  PlacementRecord p = window.placement;
  p.flags = static_cast<uint32_t>(IntegerOr(stored.flags, static_cast<int32_t>(window.placement.flags)));
  const std::wstring minMaxText = TrimBlanks(stored.minMaxPos);
  const std::wstring normText = TrimBlanks(stored.normPos);
  if (!minMaxText.empty()) {
    const auto w = PositionWords(minMaxText);
    p.minX = Coordinate(WordOr(w, 0, 0));
    p.minY = Coordinate(WordOr(w, 1, 0));
    p.maxX = Coordinate(WordOr(w, 2, 0));
    p.maxY = Coordinate(WordOr(w, 3, 0));
  }
  if (!normText.empty()) {
    const auto w = PositionWords(normText);
    const int64_t right = int64_t{window.left} + window.width;
    const int64_t bottom = int64_t{window.top} + window.height;
    p.left = Coordinate(WordOr(w, 0, window.left));
    p.top = Coordinate(WordOr(w, 1, window.top));
    p.right = Coordinate(WordOr(w, 2, Coordinate(right)));
    p.bottom = Coordinate(WordOr(w, 3, Coordinate(bottom)));
  }
  if (minMaxText.empty() && normText.empty()) return std::nullopt;
  if (IntegerOr(stored.pixelsPerInch, window.pixelsPerInch) != window.pixelsPerInch) return std::nullopt;
  if (!window.sizeable) {
    p.right = Coordinate(int64_t{p.left} + window.width);
    p.bottom = Coordinate(int64_t{p.top} + window.height);
  }
  if (p.right <= p.left) return std::nullopt;
  return p;
}

ShownState StateForShowCmd(std::wstring_view showCmdText, ShownState fallback) {
  switch (IntegerOr(showCmdText, 0)) {
    case 1:
    case 5:
    case 9:
      return ShownState::Normal;
    case 2:
    case 6:
    case 7:
      return ShownState::Minimized;
    case 3:
      return ShownState::Maximized;
    default:
      return fallback;
  }
}

std::wstring PropertyKey(std::wstring_view component, std::wstring_view property) {
  return std::wstring(component) + L"_" + std::wstring(property);
}

std::optional<PropertyEntry> SplitPropertyEntry(std::wstring_view entry) {
  const size_t dot = entry.find(L'.');
  if (dot == std::wstring_view::npos || dot == 0 || dot + 1 == entry.size()) return std::nullopt;
  return PropertyEntry{std::wstring(entry.substr(0, dot)), std::wstring(entry.substr(dot + 1))};
}

std::wstring ProgramNameFor(std::wstring_view exePath) {
  return std::wstring(WithoutExtension(FileNamePart(exePath)));
}

std::wstring IniFileNameFor(std::wstring_view exePath) { return ProgramNameFor(exePath) + L".INI"; }

std::wstring RegistryKeyFor(std::wstring_view exePath) { return L"Software\\" + ProgramNameFor(exePath); }

}  // namespace core
