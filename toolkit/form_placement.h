// A non-visual component of a form that remembers the form's placement
// between runs: it restores the stored position and state just before the
// form appears and writes them back when the form may close. It hooks the
// form's show, close and destroy events and calls the form's own handlers
// of those events as before.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "toolkit/form.h"
#include "toolkit/registry_store.h"
#include "toolkit/settings_store.h"

namespace tk {

// Which parts of the placement a restore applies (either of the first two
// makes a save write every placement entry).
enum TPlacementOption : unsigned { fpState = 1, fpPosition = 2, fpActiveControl = 4 };

class TFormPlacement {
 public:
  explicit TFormPlacement(TForm& owner);
  virtual ~TFormPlacement();
  TFormPlacement(const TFormPlacement&) = delete;
  TFormPlacement& operator=(const TFormPlacement&) = delete;

  // Settings.
  bool Active = true;         // restore and save at all
  bool UseRegistry = false;   // a registry key instead of a profile file
  unsigned Options = fpState | fpPosition;
  std::wstring IniFileName;   // file name or registry key; empty: from the executable's name
  std::wstring IniSection;    // section or subkey; empty: the form's class name
  int Version = 0;            // a stored "FormVersion" below this is not restored
  TRegistryRoot RegistryRoot = TRegistryRoot::prCurrentUser;

  // Installs the hooks. Call once the form is complete, its own handlers set.
  void Loaded();

  // What the hooks run; errors escape to the caller here.
  void RestoreFormPlacement();
  void SaveFormPlacement();

  bool Restored() const { return restored_; }  // a restore has run
  bool Saved() const { return saved_; }        // a save completed since the last restore
  bool Destroying() const { return destroying_; }

  // The store in use: the file name or registry key, and the section.
  std::wstring StoreName() const;
  std::wstring SectionName() const;

 protected:
  TForm& Owner() const { return owner_; }
  // For a derived component: bind what it keeps once the form is loaded,
  // prepare before each store access, and read and write its own entries
  // after the placement's.
  virtual void FormLoaded() {}
  virtual void BeforeStoreAccess() {}
  virtual void RestoreEntries(TSettingsStore& store, const std::wstring& section) {}
  virtual void SaveEntries(TSettingsStore& store, const std::wstring& section) {}

  // Text read and trimmed; written trimmed, and not at all when empty.
  static std::wstring ReadValue(TSettingsStore& store, const std::wstring& section, const std::wstring& key,
                                const std::wstring& fallback);
  static void WriteValue(TSettingsStore& store, const std::wstring& section, const std::wstring& key,
                         const std::wstring& value);

 private:
  std::unique_ptr<TSettingsStore> OpenStore() const;
  void RestorePosition(TSettingsStore& store, const std::wstring& section);
  void RestoreState(TSettingsStore& store, const std::wstring& section);
  void RestoreActiveControl(TSettingsStore& store, const std::wstring& section);
  void SavePlacement(TSettingsStore& store, const std::wstring& section);
  void SetMaximizedPosition();
  bool IsMainWindow() const;

  void ShowHook();
  void CloseQueryHook(bool& canClose);
  void ModalEndHook();
  void DestroyHook();
  // Runs a restore or save; an error is shown by the application's report.
  void Guarded(void (TFormPlacement::*step)());

  TForm& owner_;
  bool hooked_ = false;
  bool restored_ = false;
  bool saved_ = false;
  bool destroying_ = false;
  std::function<void()> keptBeforeShow_;
  std::function<void(bool&)> keptCloseQuery_;
  std::function<void()> keptModalEnd_;
  std::function<void()> keptDestroy_;
};

}  // namespace tk
