#include "controls/theme_api.h"

namespace controls::theme {
namespace {

// The binding's state, made when the program starts. When it ends, the
// library is released down to 0 and then the lock is freed.
class Binding {
 public:
  Binding() { ::InitializeCriticalSection(&lock_); }
  ~Binding() {
    while (ThemeApiReferenceCount() > 0) ReleaseThemeApi();
    ::DeleteCriticalSection(&lock_);
  }
  Binding(const Binding&) = delete;
  Binding& operator=(const Binding&) = delete;

  CRITICAL_SECTION lock_;
  HMODULE library_ = nullptr;
  int references_ = 0;
  EntryPoints api_;
  const char* name_ = nullptr;
};

Binding& State() {
  static Binding binding;
  return binding;
}

class Locked {
 public:
  explicit Locked(Binding& b) : b_(b) { ::EnterCriticalSection(&b_.lock_); }
  ~Locked() { ::LeaveCriticalSection(&b_.lock_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  Binding& b_;
};

template <class F>
void Resolve(HMODULE library, const char* name, F& entry) {
  entry = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

}  // namespace

const EntryPoints& Api() { return State().api_; }

bool LoadThemeApi() {
  Binding& b = State();
  Locked lock(b);
  ++b.references_;
  if (!b.library_) {
    b.library_ = ::LoadLibraryA(b.name_ ? b.name_ : "uxtheme.dll");
    if (b.library_) {
#define VERDALUX_THEME_RESOLVE(name) Resolve(b.library_, #name, b.api_.name);
      VERDALUX_THEME_ENTRY_POINTS(VERDALUX_THEME_RESOLVE)
#undef VERDALUX_THEME_RESOLVE
    }
  }
  return b.library_ != nullptr;
}

void ReleaseThemeApi() {
  Binding& b = State();
  Locked lock(b);
  if (b.references_ > 0) --b.references_;
  if (b.library_ && b.references_ == 0) {
    ::FreeLibrary(b.library_);
    b.library_ = nullptr;
    b.api_ = EntryPoints{};
  }
}

bool ThemeApiActive() {
  const EntryPoints& api = Api();
  return State().library_ && api.IsAppThemed && api.IsAppThemed() && api.IsThemeActive && api.IsThemeActive();
}

int ThemeApiReferenceCount() {
  Binding& b = State();
  Locked lock(b);
  return b.references_;
}

bool ThemeApiLoaded() {
  Binding& b = State();
  Locked lock(b);
  return b.library_ != nullptr;
}

void SetThemeLibraryName(const char* name) {
  Binding& b = State();
  Locked lock(b);
  b.name_ = name;
}

}  // namespace controls::theme
