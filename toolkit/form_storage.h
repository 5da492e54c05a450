// A form placement that also keeps chosen properties of the form's controls:
// each entry of StoredProps names a control and one of its published
// properties ("randl.Value"), stored under the key "randl_Value".
#pragma once
#include <string>
#include <vector>

#include "toolkit/form_placement.h"

namespace tk {

// A free value kept beside the properties, stored as text under its name.
struct TStoredValue {
  std::wstring Name;
  std::wstring Value;
};

class TFormStorage final : public TFormPlacement, private TWinControl::TFreeObserver {
 public:
  explicit TFormStorage(TForm& owner) : TFormPlacement(owner) {}
  ~TFormStorage() override;

  // The entries, each rebuilt from its control's current name. Entries set
  // once the form is loaded are bound at once: an entry whose control the
  // form does not have is dropped, and an entry goes when its control does.
  std::vector<std::wstring> StoredProps() const;
  void SetStoredProps(const std::vector<std::wstring>& entries);

  std::vector<TStoredValue> StoredValues;

 private:
  struct Entry {
    std::wstring text;
    TWinControl* control = nullptr;
    std::wstring property;
  };

  void FormLoaded() override;
  void BeforeStoreAccess() override;
  void RestoreEntries(TSettingsStore& store, const std::wstring& section) override;
  void SaveEntries(TSettingsStore& store, const std::wstring& section) override;
  void ControlFreed(TWinControl* control) override;
  void Bind();
  void Unbind();

  std::vector<Entry> entries_;
  bool bound_ = false;
};

}  // namespace tk
