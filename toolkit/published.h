// A property a control publishes by name, so that code which stores settings
// can read and set it without knowing the control's class: its name as the
// control spells it, the kind of value with its text form, and the control's
// own getter and setter (so the control's range and rounding rules apply).
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/setting_text.h"

namespace tk {

struct TPublishedProperty {
  std::wstring name;
  core::SettingType type;
  std::function<core::SettingValue()> get;
  std::function<void(const core::SettingValue&)> set;
};

// The property of that name (ASCII case ignored) among the list.
inline std::optional<TPublishedProperty> FindPublished(const std::vector<TPublishedProperty>& list,
                                                       std::wstring_view name) {
  for (const TPublishedProperty& p : list)
    if (core::SameIdentifier(p.name, name)) return p;
  return std::nullopt;
}

// Helpers for the common kinds.
inline TPublishedProperty BooleanProperty(std::wstring name, std::function<bool()> get,
                                          std::function<void(bool)> set) {
  return {std::move(name), core::SettingType::Boolean(),
          [get] { return core::SettingValue{static_cast<int64_t>(get() ? 1 : 0)}; },
          [set](const core::SettingValue& v) {
            if (const auto* o = std::get_if<int64_t>(&v)) set(*o != 0);
          }};
}

inline TPublishedProperty IntegerProperty(std::wstring name, std::function<int32_t()> get,
                                          std::function<void(int32_t)> set) {
  return {std::move(name), core::SettingType::Integer(),
          [get] { return core::SettingValue{static_cast<int64_t>(get())}; },
          [set](const core::SettingValue& v) {
            if (const auto* n = std::get_if<int64_t>(&v)) set(static_cast<int32_t>(*n));
          }};
}

inline TPublishedProperty FloatProperty(std::wstring name, int digits, std::function<double()> get,
                                        std::function<void(double)> set) {
  return {std::move(name), core::SettingType::Float(digits),
          [get] { return core::SettingValue{static_cast<long double>(get())}; },
          [set](const core::SettingValue& v) {
            if (const auto* x = std::get_if<long double>(&v)) set(static_cast<double>(*x));
          }};
}

}  // namespace tk
