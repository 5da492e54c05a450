#include "toolkit/form_storage.h"

#include <windows.h>

#include <algorithm>

#include "core/placement_text.h"
#include "core/setting_text.h"

namespace tk {
namespace {

wchar_t LocaleDecimalSeparator() {
  wchar_t text[8] = {};
  return ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, 8) > 1 ? text[0] : L'.';
}

}  // namespace

TFormStorage::~TFormStorage() { Unbind(); }

std::vector<std::wstring> TFormStorage::StoredProps() const {
  std::vector<std::wstring> list;
  for (const Entry& e : entries_) list.push_back(e.control ? e.control->Name() + L"." + e.property : e.text);
  return list;
}

void TFormStorage::SetStoredProps(const std::vector<std::wstring>& entries) {
  Unbind();
  entries_.clear();
  for (const std::wstring& text : entries) entries_.push_back({text, nullptr, L""});
  if (bound_) Bind();
}

void TFormStorage::FormLoaded() {
  bound_ = true;
  Bind();
}

void TFormStorage::Bind() {
  std::vector<Entry> kept;
  for (Entry& e : entries_) {
    const auto parts = core::SplitPropertyEntry(e.text);
    TWinControl* control = parts ? Owner().FindComponent(parts->component) : nullptr;
    if (!control) continue;
    e.control = control;
    // The property as the control spells it, when it publishes one of that name.
    const auto published = FindPublished(control->PublishedProperties(), parts->property);
    e.property = published ? published->name : parts->property;
    control->AddFreeObserver(this);
    kept.push_back(std::move(e));
  }
  entries_ = std::move(kept);
}

void TFormStorage::Unbind() {
  for (Entry& e : entries_)
    if (e.control) e.control->RemoveFreeObserver(this);
}

void TFormStorage::ControlFreed(TWinControl* control) {
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [control](const Entry& e) { return e.control == control; }),
                 entries_.end());
}

void TFormStorage::BeforeStoreAccess() {
  for (Entry& e : entries_)
    if (e.control) e.text = e.control->Name() + L"." + e.property;
}

void TFormStorage::RestoreEntries(TSettingsStore& store, const std::wstring& section) {
  const wchar_t separator = LocaleDecimalSeparator();
  for (const Entry& e : entries_) {
    if (!e.control) continue;
    const auto property = FindPublished(e.control->PublishedProperties(), e.property);
    if (!property) continue;
    // One property that cannot be read leaves the others to be read.
    try {
      const std::wstring current = core::EncodeSetting(property->type, property->get());
      const std::wstring text =
          ReadValue(store, section, core::PropertyKey(e.control->Name(), property->name), current);
      if (const auto value = core::DecodeSetting(property->type, text, separator)) property->set(*value);
    } catch (const std::exception&) {
    }
  }
  for (TStoredValue& v : StoredValues) {
    if (v.Name.empty()) continue;
    try {
      v.Value = ReadValue(store, section, v.Name, v.Value);
    } catch (const std::exception&) {
    }
  }
}

void TFormStorage::SaveEntries(TSettingsStore& store, const std::wstring& section) {
  for (const Entry& e : entries_) {
    if (!e.control) continue;
    const auto property = FindPublished(e.control->PublishedProperties(), e.property);
    if (!property) continue;
    WriteValue(store, section, core::PropertyKey(e.control->Name(), property->name),
               core::EncodeSetting(property->type, property->get()));
  }
  for (const TStoredValue& v : StoredValues)
    if (!v.Name.empty()) WriteValue(store, section, v.Name, v.Value);
}

}  // namespace tk
