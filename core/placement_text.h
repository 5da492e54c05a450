// The stored form of a window's placement and of the property entries beside
// it: key names, the position texts, the order in which a save writes its
// entries, what a restore makes of what it read, and the store names that
// follow from the executable's name.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace core {

// The fields of the platform's window placement record, the normal
// rectangle in the same coordinates the platform gives.
struct PlacementRecord {
  uint32_t flags = 0;
  int32_t showCmd = 0;
  int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const PlacementRecord&) const = default;
};

using StoredEntries = std::vector<std::pair<std::wstring, std::wstring>>;

// "NormPos" on a screen of 1024 x 768 pixels: "NormPos(1024x768)".
std::wstring ScreenSizeKey(std::wstring_view key, int32_t screenWidth, int32_t screenHeight);

// "%d,%d,%d,%d".
std::wstring FormatPosition(int32_t a, int32_t b, int32_t c, int32_t d);

// The words of a position text, separated by commas or blanks (runs of them
// count once).
std::vector<std::wstring> PositionWords(std::wstring_view text);

// Word `index` as a signed 32-bit number; `fallback` when it is missing or not one.
int32_t WordOr(const std::vector<std::wstring>& words, size_t index, int32_t fallback);

// A stored integer, or `fallback` when the text is not one.
int32_t IntegerOr(std::wstring_view text, int32_t fallback);

// Everything a save writes about the placement, in order: Flags, ShowCmd,
// PixelsPerInch, MinMaxPos under the screen-size key and the plain key,
// NormPos likewise, Visible ("1" when the save runs as the window goes).
StoredEntries PlacementEntries(const PlacementRecord& placement, int32_t pixelsPerInch, int32_t screenWidth,
                               int32_t screenHeight, bool fromDestroy);

// What a restore read: each text as the store gave it (the position texts
// already fall back from the screen-size key to the plain key; empty when
// neither exists; flags and pixels per inch read with the current values as
// defaults).
struct StoredPosition {
  std::wstring flags;
  std::wstring minMaxPos;
  std::wstring normPos;
  std::wstring pixelsPerInch;
};

// The window as it is now.
struct CurrentWindow {
  PlacementRecord placement;              // its placement record
  int32_t left = 0, top = 0, width = 0, height = 0;  // its rectangle on the screen
  int32_t pixelsPerInch = 96;             // the screen's, now
  bool sizeable = true;                   // the border lets the user size it
};

// The placement record to apply, or nullopt when the stored position does not
// apply: nothing stored, another pixels-per-inch setting, or a normal
// rectangle whose right edge is not right of its left edge. A window that
// cannot be sized keeps its own width and height at the stored corner.
// Coordinates are limited to the 16-bit range the window manager works in.
std::optional<PlacementRecord> PlacementToApply(const CurrentWindow& window, const StoredPosition& stored);

enum class ShownState { Normal, Minimized, Maximized };

// The state a stored show command gives: 1, 5, 9 normal; 2, 6, 7 minimized;
// 3 maximized; anything else (and text that is no number) the fallback.
ShownState StateForShowCmd(std::wstring_view showCmdText, ShownState fallback);

// The key of a property entry: "randl" and "Value" give "randl_Value".
std::wstring PropertyKey(std::wstring_view component, std::wstring_view property);

// An entry "Component.Property" split at its first point; nullopt when either
// part is empty or there is no point.
struct PropertyEntry {
  std::wstring component;
  std::wstring property;
};
std::optional<PropertyEntry> SplitPropertyEntry(std::wstring_view entry);

// The executable's file name (from a full path) without its extension
// ("C:\Tools\verdalux.exe" gives "verdalux").
std::wstring ProgramNameFor(std::wstring_view exePath);
// The same with the extension replaced by ".INI" ("verdalux.INI").
std::wstring IniFileNameFor(std::wstring_view exePath);
// "Software\" and the executable's file name without its extension.
std::wstring RegistryKeyFor(std::wstring_view exePath);

}  // namespace core
