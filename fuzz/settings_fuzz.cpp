// Stored settings as a hand-edited INI file or registry value may hold them:
// whatever the text, reading it never fails badly, and every value read back
// from its own stored form is the same value.
//   DecodeSetting(t) = v            =>  DecodeSetting(EncodeSetting(v)) = v    (enumerations, integers, extended)
//                                       and the text is stable after one trip  (7 and 15 digits)
//   QuoteForProfile(v), read by the profile functions (one pair of quotes off), gives v
//   PlacementToApply(...) = p       =>  a normal rectangle with width, inside the 16-bit range
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/le_bytes.h"
#include "core/placement_text.h"
#include "core/setting_text.h"
#include "fuzz/wide_input.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool InRange(int32_t v) { return v >= -32768 && v <= 32767; }

// What the profile functions do to a value they read: one pair of equal
// quotes around it goes.
std::wstring ProfileUnquote(const std::wstring& v) {
  if (v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

void CheckRoundTrips(const std::wstring& text, wchar_t separator) {
  using namespace core;
  const SettingType types[] = {SettingType::Boolean(),
                               SettingType::Enumeration({L"taLeftJustify", L"taRightJustify", L"taCenter"}),
                               SettingType::Integer(),
                               SettingType::Float(kExtendedDigits),
                               SettingType::Float(kDoubleDigits),
                               SettingType::Float(kSingleDigits)};
  for (const SettingType& type : types) {
    const auto v = DecodeSetting(type, text, separator);
    if (!v) {
      Check(type.kind != SettingKind::Integer);  // an integer always reads as something
      continue;
    }
    const std::wstring stored = EncodeSetting(type, *v);
    Check(stored == TrimBlanks(stored));
    Check(!stored.empty());
    const auto again = DecodeSetting(type, stored, separator);
    Check(again.has_value());
    if (type.kind == SettingKind::Enumeration) {
      Check(std::get<int64_t>(*v) < static_cast<int64_t>(type.identifiers.size()));
      Check(*again == *v);
    } else if (type.kind == SettingKind::Integer) {
      const int64_t n = std::get<int64_t>(*v);
      Check(n >= INT32_MIN && n <= INT32_MAX);
      Check(*again == *v);
    } else if (type.floatDigits >= 17) {
      Check(*again == *v);
    } else {
      Check(EncodeSetting(type, *again) == stored);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace core;
  const std::wstring text = fuzzinput::WideFromBytes(data, size);

  CheckRoundTrips(text, L'.');
  CheckRoundTrips(text, L',');

  const std::wstring trimmed = TrimBlanks(text);
  Check(ProfileUnquote(QuoteForProfile(trimmed)) == trimmed);

  for (const std::wstring& word : PositionWords(text)) {
    Check(!word.empty());
    Check(word.find_first_of(L", ") == std::wstring::npos);
  }

  // The same text as every stored position field, against a window taken
  // from the first bytes.
  const ByteReader bytes(data, size);
  CurrentWindow window;
  window.placement = {bytes.U32(0), bytes.I32(4), bytes.I32(8), bytes.I32(12), bytes.I32(16),
                      bytes.I32(20), bytes.I32(24), bytes.I32(28), bytes.I32(32), bytes.I32(36)};
  window.left = bytes.I32(40);
  window.top = bytes.I32(44);
  window.width = bytes.I32(48);
  window.height = bytes.I32(52);
  window.pixelsPerInch = bytes.U8(56) == 0 ? IntegerOr(text, 96) : 96;
  window.sizeable = (bytes.U8(57) & 1) != 0;
  const StoredPosition stored{text, text, text, text};
  if (const auto p = PlacementToApply(window, stored)) {
    Check(p->right > p->left);
    for (int32_t v : {p->left, p->top, p->right, p->bottom}) Check(InRange(v));
    if (!TrimBlanks(text).empty()) {
      for (int32_t v : {p->minX, p->minY, p->maxX, p->maxY}) Check(InRange(v));
    }
  }
  StateForShowCmd(text, ShownState::Normal);

  if (const auto e = SplitPropertyEntry(text)) {
    Check(!e->component.empty() && !e->property.empty());
    Check(e->component + L"." + e->property == text);
    Check(PropertyKey(e->component, e->property).size() == text.size());
  }
  const std::wstring ini = IniFileNameFor(text);
  Check(ini.size() >= 4 && ini.compare(ini.size() - 4, 4, L".INI") == 0);
  Check(ini.find_first_of(L"\\/:") == std::wstring::npos);
  Check(RegistryKeyFor(text).rfind(L"Software\\", 0) == 0);
  return 0;
}
