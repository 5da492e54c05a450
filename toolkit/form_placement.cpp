#include "toolkit/form_placement.h"

#include <windows.h>

#include "core/placement_text.h"
#include "core/setting_text.h"
#include "toolkit/application.h"
#include "toolkit/handles.h"
#include "toolkit/ini_store.h"
#include "toolkit/module_path.h"

namespace tk {
namespace {

int ScreenPixelsPerInch() {
  WindowDC dc(nullptr);
  return dc ? ::GetDeviceCaps(dc.get(), LOGPIXELSY) : 96;
}

int ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

core::PlacementRecord FromPlatform(const WINDOWPLACEMENT& wp) {
  return {wp.flags,
          static_cast<int32_t>(wp.showCmd),
          wp.ptMinPosition.x,
          wp.ptMinPosition.y,
          wp.ptMaxPosition.x,
          wp.ptMaxPosition.y,
          wp.rcNormalPosition.left,
          wp.rcNormalPosition.top,
          wp.rcNormalPosition.right,
          wp.rcNormalPosition.bottom};
}

void ToPlatform(const core::PlacementRecord& p, WINDOWPLACEMENT& wp) {
  wp.flags = p.flags;
  wp.ptMinPosition = {p.minX, p.minY};
  wp.ptMaxPosition = {p.maxX, p.maxY};
  wp.rcNormalPosition = {p.left, p.top, p.right, p.bottom};
}

// Exception texts of the standard library are ASCII.
std::wstring Widen(const char* text) {
  std::wstring w;
  for (const char* p = text ? text : ""; *p; ++p) w += static_cast<wchar_t>(static_cast<unsigned char>(*p));
  return w;
}

}  // namespace

TFormPlacement::TFormPlacement(TForm& owner) : owner_(owner) {}

TFormPlacement::~TFormPlacement() {
  if (!hooked_) return;
  // The form may outlive this component by a moment; its own handlers go back.
  owner_.OnBeforeShow = std::move(keptBeforeShow_);
  owner_.OnCloseQuery = std::move(keptCloseQuery_);
  owner_.OnModalEnd = std::move(keptModalEnd_);
  owner_.OnDestroy = std::move(keptDestroy_);
}

void TFormPlacement::Loaded() {
  if (hooked_) return;
  hooked_ = true;
  keptBeforeShow_ = std::move(owner_.OnBeforeShow);
  keptCloseQuery_ = std::move(owner_.OnCloseQuery);
  keptModalEnd_ = std::move(owner_.OnModalEnd);
  keptDestroy_ = std::move(owner_.OnDestroy);
  owner_.OnBeforeShow = [this] { ShowHook(); };
  owner_.OnCloseQuery = [this](bool& canClose) { CloseQueryHook(canClose); };
  owner_.OnModalEnd = [this] { ModalEndHook(); };
  owner_.OnDestroy = [this] { DestroyHook(); };
  FormLoaded();
}

std::wstring TFormPlacement::StoreName() const {
  if (!IniFileName.empty()) return IniFileName;
  return UseRegistry ? core::RegistryKeyFor(ModulePath()) : core::IniFileNameFor(ModulePath());
}

std::wstring TFormPlacement::SectionName() const { return IniSection.empty() ? owner_.ClassName() : IniSection; }

std::unique_ptr<TSettingsStore> TFormPlacement::OpenStore() const {
  if (UseRegistry) return std::make_unique<TRegistryStore>(RegistryRoot, StoreName());
  return std::make_unique<TIniStore>(StoreName());
}

std::wstring TFormPlacement::ReadValue(TSettingsStore& store, const std::wstring& section, const std::wstring& key,
                                       const std::wstring& fallback) {
  return core::TrimBlanks(store.ReadString(section, key, fallback));
}

void TFormPlacement::WriteValue(TSettingsStore& store, const std::wstring& section, const std::wstring& key,
                                const std::wstring& value) {
  const std::wstring text = core::TrimBlanks(value);
  if (!text.empty()) store.WriteString(section, key, text);
}

bool TFormPlacement::IsMainWindow() const {
  // The program's dialogs are owned by the main window; it alone has no owner.
  return owner_.Handle() && !::GetWindow(owner_.Handle(), GW_OWNER);
}

void TFormPlacement::RestoreFormPlacement() {
  saved_ = false;
  BeforeStoreAccess();
  {
    const std::unique_ptr<TSettingsStore> store = OpenStore();
    const std::wstring section = SectionName();
    if (core::IntegerOr(ReadValue(*store, section, L"FormVersion", L"0"), 0) < Version) {
      restored_ = true;
    } else {
      if (Options & fpPosition) RestorePosition(*store, section);
      if (Options & fpState) RestoreState(*store, section);
      restored_ = true;
      RestoreEntries(*store, section);
      if (Options & fpActiveControl) RestoreActiveControl(*store, section);
    }
  }
  SetMaximizedPosition();
}

void TFormPlacement::RestorePosition(TSettingsStore& store, const std::wstring& section) {
  const HWND h = owner_.Handle();
  WINDOWPLACEMENT wp{sizeof wp};
  if (!h || !::GetWindowPlacement(h, &wp)) return;
  if (!::IsWindowVisible(h)) wp.showCmd = SW_HIDE;
  RECT r{};
  ::GetWindowRect(h, &r);
  core::CurrentWindow now;
  now.placement = FromPlatform(wp);
  now.left = r.left;
  now.top = r.top;
  now.width = r.right - r.left;
  now.height = r.bottom - r.top;
  now.pixelsPerInch = ScreenPixelsPerInch();
  now.sizeable = owner_.BorderStyle() == TBorderStyle::bsSizeable;

  // A position stored for the current screen size comes first.
  auto positionText = [&](const wchar_t* key) {
    std::wstring text = ReadValue(store, section, core::ScreenSizeKey(key, ScreenWidth(), ScreenHeight()), L"");
    return text.empty() ? ReadValue(store, section, key, L"") : text;
  };
  core::StoredPosition stored;
  stored.flags = ReadValue(store, section, L"Flags", std::to_wstring(wp.flags));
  stored.minMaxPos = positionText(L"MinMaxPos");
  stored.normPos = positionText(L"NormPos");
  stored.pixelsPerInch = ReadValue(store, section, L"PixelsPerInch", std::to_wstring(now.pixelsPerInch));
  if (const auto apply = core::PlacementToApply(now, stored)) {
    // The form is placed once, when it is made; nothing centres it again
    // later, so the stored position simply stands.
    ToPlatform(*apply, wp);
    ::SetWindowPlacement(h, &wp);
  }
}

void TFormPlacement::RestoreState(TSettingsStore& store, const std::wstring& section) {
  const core::ShownState state =
      core::StateForShowCmd(ReadValue(store, section, L"ShowCmd", L"0"), core::ShownState::Normal);
  if (state == core::ShownState::Minimized && IsMainWindow()) {
    // The main window appears normal first and is then minimized, like a
    // program the user minimizes, instead of starting as a bare icon.
    owner_.SetWindowState(TWindowState::wsNormal);
    ::PostMessageW(owner_.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return;
  }
  owner_.SetWindowState(state == core::ShownState::Maximized   ? TWindowState::wsMaximized
                        : state == core::ShownState::Minimized ? TWindowState::wsMinimized
                                                               : TWindowState::wsNormal);
}

void TFormPlacement::RestoreActiveControl(TSettingsStore& store, const std::wstring& section) {
  const std::wstring name = ReadValue(store, section, L"ActiveControl", L"");
  if (name.empty()) return;
  TWinControl* c = owner_.FindComponent(name);
  if (c && c->Handle() && c->Enabled()) owner_.SetActiveControl(c);
}

void TFormPlacement::SetMaximizedPosition() {
  const HWND h = owner_.Handle();
  WINDOWPLACEMENT wp{sizeof wp};
  if (!h || !::GetWindowPlacement(h, &wp)) return;
  // Maximized, the frame lies just outside the screen.
  const bool sizeable = owner_.BorderStyle() == TBorderStyle::bsSizeable;
  wp.ptMaxPosition = {-::GetSystemMetrics(sizeable ? SM_CXFRAME : SM_CXDLGFRAME),
                      -::GetSystemMetrics(sizeable ? SM_CYFRAME : SM_CYDLGFRAME)};
  if (!::IsWindowVisible(h)) wp.showCmd = SW_HIDE;
  ::SetWindowPlacement(h, &wp);
}

void TFormPlacement::SaveFormPlacement() {
  if (!restored_ && Active) return;
  BeforeStoreAccess();
  const std::unique_ptr<TSettingsStore> store = OpenStore();
  const std::wstring section = SectionName();
  WriteValue(*store, section, L"FormVersion", std::to_wstring(Version));
  if (Options & (fpState | fpPosition)) SavePlacement(*store, section);
  if (Options & fpActiveControl) {
    const TWinControl* focused = TWinControl::FromHandle(::GetFocus());
    if (focused && owner_.Handle() && ::IsChild(owner_.Handle(), focused->Handle()))
      WriteValue(*store, section, L"ActiveControl", focused->Name());
  }
  SaveEntries(*store, section);
  saved_ = true;
}

void TFormPlacement::SavePlacement(TSettingsStore& store, const std::wstring& section) {
  const HWND h = owner_.Handle();
  WINDOWPLACEMENT wp{sizeof wp};
  if (!h || !::GetWindowPlacement(h, &wp)) return;
  if (IsMainWindow() && ::IsIconic(h)) wp.showCmd = SW_SHOWMINIMIZED;
  for (const auto& [key, value] :
       core::PlacementEntries(FromPlatform(wp), ScreenPixelsPerInch(), ScreenWidth(), ScreenHeight(), destroying_))
    WriteValue(store, section, key, value);
}

void TFormPlacement::Guarded(void (TFormPlacement::*step)()) {
  try {
    (this->*step)();
  } catch (const ESettingsError& e) {
    TApplication::Instance().ShowException(destroying_ ? nullptr : owner_.Handle(), e.Message());
  } catch (const std::exception& e) {
    TApplication::Instance().ShowException(destroying_ ? nullptr : owner_.Handle(), Widen(e.what()));
  }
}

void TFormPlacement::ShowHook() {
  if (Active) Guarded(&TFormPlacement::RestoreFormPlacement);
  if (keptBeforeShow_) keptBeforeShow_();
}

void TFormPlacement::CloseQueryHook(bool& canClose) {
  if (keptCloseQuery_) keptCloseQuery_(canClose);
  if (canClose && Active && owner_.Handle()) Guarded(&TFormPlacement::SaveFormPlacement);
}

void TFormPlacement::ModalEndHook() {
  // A close through the close question has saved already.
  if (Active && !saved_ && owner_.Handle()) Guarded(&TFormPlacement::SaveFormPlacement);
  if (keptModalEnd_) keptModalEnd_();
}

void TFormPlacement::DestroyHook() {
  destroying_ = true;
  if (Active && !saved_) Guarded(&TFormPlacement::SaveFormPlacement);
  if (keptDestroy_) keptDestroy_();
}

}  // namespace tk
