// The form storage component on forms of its own: the registry store under
// the key named after this executable, a dialog that restores on each show and
// saves on each close, values of the wrong type, failures of the registry,
// the profile functions' quotes, the entries bound to controls by name, and
// the form's own handlers kept around the hooks.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/modal_recorder.h"
#include "tests/support/pixels.h"
#include "tests/support/stored_settings.h"
#include "toolkit/checkbox.h"
#include "toolkit/form.h"
#include "toolkit/form_storage.h"
#include "toolkit/spinedit.h"

using testsupport::IniValue;
using testsupport::PumpMessages;

namespace {

std::wstring ProgramKey() { return L"Software\\" + testsupport::ProgramName(); }

// A registry value as type and text; type 0 when it is missing.
struct RegValue {
  DWORD type = 0;
  std::wstring text;
};
RegValue ReadRegistry(const std::wstring& subkey, const std::wstring& name) {
  RegValue v;
  wchar_t data[256] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, (ProgramKey() + L"\\" + subkey).c_str(), name.c_str(),
                   RRF_RT_ANY | RRF_NOEXPAND, &v.type, data, &size) != ERROR_SUCCESS)
    return {};
  if (v.type == REG_SZ) v.text = data;
  return v;
}
void WriteRegistry(const std::wstring& subkey, const std::wstring& name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (ProgramKey() + L"\\" + subkey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}
void WriteRegistryText(const std::wstring& subkey, const std::wstring& name, const std::wstring& text) {
  WriteRegistry(subkey, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Like the print dialog: a fixed dialog whose two percentages (1..100,
// default 50) are kept in the registry with its window state.
class TPrintLike : public tk::TForm {
 public:
  explicit TPrintLike(HWND owner)
      : tk::TForm(L"TPrintForm", L"Print picture...", 427, 328, tk::TFont{}, {owner, tk::TBorderStyle::bsDialog}),
        BreitEdit(this, 80, 72, 89, 22),
        HochEdit(this, 312, 120, 89, 22) {
    for (tk::TRxSpinEdit* e : {&BreitEdit, &HochEdit}) {
      e->SetRange(1, 100);
      e->SetValue(50);
    }
    BreitEdit.SetName(L"BreitEdit");
    HochEdit.SetName(L"HochEdit");
    FormStorage1.UseRegistry = true;
    FormStorage1.Options = tk::fpState;
    FormStorage1.SetStoredProps({L"BreitEdit.Value", L"HochEdit.Value"});
    FormStorage1.Loaded();
  }
  tk::TRxSpinEdit BreitEdit;
  tk::TRxSpinEdit HochEdit;
  tk::TFormStorage FormStorage1{*this};
};

class TOwner : public tk::TForm {
 public:
  TOwner() : tk::TForm(L"TOwnerForm", L"Owner", 200, 100, tk::TFont{}) {}
};

// A plain form with a check box and a spin edit, its store a file of the test's own.
class TSettingsForm : public tk::TForm {
 public:
  explicit TSettingsForm(const std::wstring& ini, HWND owner = nullptr)
      : tk::TForm(L"TSettingsForm", L"Settings", 300, 200, tk::TFont{}, {owner}),
        Box1(this, 8, 8, 100, 17, L"Box"),
        Spin1(this, 8, 40, 80, 21) {
    Box1.SetName(L"Box1");
    Spin1.SetName(L"Spin1");
    Spin1.SetRange(0, 100);
    Spin1.SetValue(5);
    Storage.IniFileName = ini;
  }
  tk::TCheckBox Box1;
  tk::TRxSpinEdit Spin1;
  tk::TFormStorage Storage{*this};
};

// Shows a form modally, runs `during` once it is up, then ends it with `result`.
template <class F, class Fn>
void RunModal(F& form, int result, Fn during) {
  form.OnShow = [&form, result, during] {
    during();
    form.SetModalResult(result);
  };
  form.ShowModal();
}

}  // namespace

TEST(FormStorage, ADialogKeepsItsValuesInTheRegistryOnEachShowWhetherClosedWithOkOrCancel) {
  testsupport::ScopedRecorder rec;
  tk::FormInstance<TOwner> owner;
  owner.Show();
  {
    tk::FormInstance<TPrintLike> dialog(owner.Handle());
    RunModal(dialog, tk::mrOk, [&] {
      EXPECT_EQ(dialog.BreitEdit.Value(), 50) << "nothing stored yet";
      dialog.BreitEdit.SetValue(30);
      dialog.HochEdit.SetValue(70);
    });
    EXPECT_EQ(ReadRegistry(L"TPrintForm", L"BreitEdit_Value").text, L"30");
    EXPECT_EQ(ReadRegistry(L"TPrintForm", L"HochEdit_Value").text, L"70");
    // Every entry is text, the placement's as well.
    for (const wchar_t* name : {L"FormVersion", L"Flags", L"ShowCmd", L"PixelsPerInch", L"MinMaxPos", L"NormPos",
                                L"Visible", L"BreitEdit_Value"})
      EXPECT_EQ(ReadRegistry(L"TPrintForm", name).type, static_cast<DWORD>(REG_SZ)) << name;
    EXPECT_EQ(ReadRegistry(L"TPrintForm", L"ShowCmd").text, L"1");
    EXPECT_EQ(ReadRegistry(L"TPrintForm", L"Visible").text, L"0");
    EXPECT_EQ(ReadRegistry(L"TPrintForm", L"ActiveControl").type, 0u);

    // Shown again, the same dialog restores what is stored now.
    WriteRegistryText(L"TPrintForm", L"BreitEdit_Value", L"1");
    RunModal(dialog, tk::mrCancel, [&] {
      EXPECT_EQ(dialog.BreitEdit.Value(), 1);
      dialog.HochEdit.SetValue(99);
    });
    EXPECT_EQ(ReadRegistry(L"TPrintForm", L"HochEdit_Value").text, L"99") << "Cancel saves too";
  }
  tk::FormInstance<TPrintLike> next(owner.Handle());
  next.OnShow = [&] {
    EXPECT_EQ(next.BreitEdit.Value(), 1);
    EXPECT_EQ(next.HochEdit.Value(), 99);
    next.HochEdit.SetValue(12);
    PostMessageW(next.Handle(), WM_CLOSE, 0, 0);
  };
  EXPECT_EQ(next.ShowModal(), tk::mrCancel);
  EXPECT_EQ(ReadRegistry(L"TPrintForm", L"HochEdit_Value").text, L"12") << "closed by its close box";
  EXPECT_TRUE(rec.messages.empty());
}

TEST(FormStorage, AValueThatIsNoTextSkipsItsPropertyButEndsTheRestoreElsewhere) {
  testsupport::ScopedRecorder rec;
  tk::FormInstance<TOwner> owner;
  const DWORD seven = 7;
  WriteRegistry(L"TPrintForm", L"BreitEdit_Value", REG_DWORD, &seven, sizeof seven);
  WriteRegistryText(L"TPrintForm", L"HochEdit_Value", L"20");
  {
    tk::FormInstance<TPrintLike> dialog(owner.Handle());
    RunModal(dialog, tk::mrOk, [&] {
      EXPECT_EQ(dialog.BreitEdit.Value(), 50);
      EXPECT_EQ(dialog.HochEdit.Value(), 20) << "the next property is read";
    });
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_EQ(ReadRegistry(L"TPrintForm", L"BreitEdit_Value").text, L"50") << "written as text again";
  }
  WriteRegistry(L"TPrintForm", L"ShowCmd", REG_DWORD, &seven, sizeof seven);
  bool shown = false;
  tk::FormInstance<TPrintLike> dialog(owner.Handle());
  RunModal(dialog, tk::mrOk, [&] {
    shown = IsWindowVisible(dialog.Handle()) != FALSE;
    EXPECT_EQ(dialog.HochEdit.Value(), 50) << "the restore ended before the properties";
  });
  EXPECT_TRUE(shown) << "the dialog appears all the same";
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, L"Ung\u00FCltiger Datentyp f\u00FCr 'ShowCmd'");
  EXPECT_EQ(rec.messages[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

TEST(FormStorage, RegistryFailuresAreReportedAndTheFormStillCloses) {
  tk::FormInstance<TOwner> owner;
  {
    // Under a volatile key no lasting subkey can be made.
    testsupport::ScopedRecorder rec;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, ProgramKey().c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    tk::FormInstance<TPrintLike> dialog(owner.Handle());
    RunModal(dialog, tk::mrOk, [] {});
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, L"Erzeugung von Schl\u00FCssel " + ProgramKey() + L"\\TPrintForm misslungen");
    EXPECT_FALSE(dialog.FormStorage1.Saved());
    dialog.DestroyHandle();
    EXPECT_EQ(rec.messages.size(), 2u) << "tried again as the window goes";
    testsupport::ForgetStoredSettings(testsupport::ProgramName());
  }
  {
    testsupport::ScopedRecorder rec;
    tk::FormInstance<TPrintLike> dialog(owner.Handle());
    const std::wstring tooLong(20000, L'v');
    dialog.FormStorage1.StoredValues = {{tooLong, L"x"}};
    RunModal(dialog, tk::mrOk, [] {});
    ASSERT_FALSE(rec.messages.empty());
    EXPECT_EQ(rec.messages[0].text, L"Konnte Daten f\u00FCr '" + tooLong + L"' nicht setzen");
    EXPECT_EQ(ReadRegistry(L"TPrintForm", L"HochEdit_Value").text, L"50") << "what came before it is written";
  }
}

TEST(FormStorage, TheProfileFunctionsGetQuotedValuesBackAsTheyWereAndNoEmptyOnes) {
  testsupport::TempDir dir;
  const std::wstring ini = dir.Path(L"quotes.ini");
  {
    tk::FormInstance<TSettingsForm> form(ini);
    form.Storage.StoredValues = {{L"Quoted", L"\"abc\""}, {L"Single", L"'x'"}, {L"Padded", L"  padded  "},
                                 {L"Empty", L""}, {L"Inner", L"a \"b\" c"}};
    form.Storage.Loaded();
    form.Show();
    form.Close();
    EXPECT_TRUE(form.Closed());
  }
  const auto lines = testsupport::IniSection(ini, "TSettingsForm");
  EXPECT_EQ(IniValue(lines, "Quoted"), "\"\"abc\"\"");
  EXPECT_EQ(IniValue(lines, "Single"), "\"'x'\"");
  EXPECT_EQ(IniValue(lines, "Padded"), "padded");
  EXPECT_EQ(IniValue(lines, "Empty"), "<missing>");
  EXPECT_EQ(IniValue(lines, "Inner"), "a \"b\" c");

  tk::FormInstance<TSettingsForm> again(ini);
  again.Storage.StoredValues = {{L"Quoted", L""}, {L"Single", L""}, {L"Padded", L""}, {L"Inner", L""}};
  again.Storage.Loaded();
  again.Show();
  const std::vector<std::wstring> read{again.Storage.StoredValues[0].Value, again.Storage.StoredValues[1].Value,
                                       again.Storage.StoredValues[2].Value, again.Storage.StoredValues[3].Value};
  EXPECT_EQ(read, (std::vector<std::wstring>{L"\"abc\"", L"'x'", L"padded", L"a \"b\" c"}));
}

TEST(FormStorage, EntriesAreBoundByNameFollowRenamesAndLeaveWithTheirControls) {
  testsupport::TempDir dir;
  const std::wstring ini = dir.Path(L"entries.ini");
  tk::FormInstance<TSettingsForm> form(ini);
  auto temp = std::make_unique<tk::TCheckBox>(&form, 8, 80, 100, 17, L"Temp");
  temp->SetName(L"Temp");
  form.Storage.SetStoredProps({L"box1.checked", L"Spin1.Value", L"Missing.Value", L"Temp.Checked", L"NoPoint"});
  EXPECT_EQ(form.Storage.StoredProps().size(), 5u) << "bound only once the form is loaded";
  form.Storage.Loaded();
  EXPECT_EQ(form.Storage.StoredProps(),
            (std::vector<std::wstring>{L"Box1.Checked", L"Spin1.Value", L"Temp.Checked"}));
  form.Spin1.SetName(L"Renamed");
  temp.reset();
  EXPECT_EQ(form.Storage.StoredProps(), (std::vector<std::wstring>{L"Box1.Checked", L"Renamed.Value"}));
  form.Show();
  form.Box1.SetChecked(true);
  form.Spin1.SetValue(64);
  form.Close();
  const auto lines = testsupport::IniSection(ini, "TSettingsForm");
  EXPECT_EQ(IniValue(lines, "Box1_Checked"), "True");
  EXPECT_EQ(IniValue(lines, "Renamed_Value"), "64");
  EXPECT_EQ(IniValue(lines, "Spin1_Value"), "<missing>");
  EXPECT_EQ(IniValue(lines, "Temp_Checked"), "<missing>");
}

TEST(FormStorage, TheFormsOwnHandlersRunAroundTheRestoreAndTheSave) {
  testsupport::TempDir dir;
  const std::wstring ini = dir.Path(L"hooks.ini");
  ASSERT_TRUE(testsupport::WriteBytes(ini, "[TSettingsForm]\r\nSpin1_Value=33\r\n"));
  std::vector<std::string> events;
  {
    tk::FormInstance<TSettingsForm> form(ini);
    int closeAttempts = 0;
    form.OnBeforeShow = [&] { events.push_back("show sees " + std::to_string(int(form.Spin1.Value()))); };
    form.OnCloseQuery = [&](bool& canClose) {
      canClose = ++closeAttempts > 1;
      events.push_back(canClose ? "close allowed" : "close refused");
    };
    form.OnDestroy = [&] { events.push_back(testsupport::Exists(ini) ? "destroy after save" : "destroy"); };
    form.Storage.SetStoredProps({L"Spin1.Value"});
    form.Storage.Loaded();
    form.Show();
    EXPECT_TRUE(form.Storage.Restored());
    DeleteFileW(ini.c_str());
    form.Spin1.SetValue(44);
    form.Close();
    EXPECT_FALSE(testsupport::Exists(ini)) << "a refused close saves nothing";
    EXPECT_FALSE(form.Closed());
    form.Close();
    EXPECT_TRUE(form.Closed());
  }
  EXPECT_EQ(events, (std::vector<std::string>{"show sees 33", "close refused", "close allowed", "destroy after save"}));
  EXPECT_EQ(IniValue(testsupport::IniSection(ini, "TSettingsForm"), "Spin1_Value"), "44");
}

TEST(FormStorage, ShownAgainWhileVisibleAFormKeepsWhatTheUserChanged) {
  testsupport::TempDir dir;
  const std::wstring ini = dir.Path(L"again.ini");
  ASSERT_TRUE(testsupport::WriteBytes(ini, "[TSettingsForm]\r\nSpin1_Value=33\r\nShowCmd=1\r\n"));
  tk::FormInstance<TSettingsForm> form(ini);
  form.Storage.SetStoredProps({L"Spin1.Value"});
  form.Storage.Loaded();
  form.Show();
  ASSERT_EQ(form.Spin1.Value(), 33);
  form.Spin1.SetValue(44);
  ShowWindow(form.Handle(), SW_MAXIMIZE);
  form.Show();
  EXPECT_EQ(form.Spin1.Value(), 44) << "the stored value does not come back over the user's";
  EXPECT_TRUE(IsZoomed(form.Handle())) << "the stored normal state does not come back either";
  form.Close();
  EXPECT_EQ(IniValue(testsupport::IniSection(ini, "TSettingsForm"), "Spin1_Value"), "44");
}

TEST(FormStorage, AnOlderVersionIsNotRestoredAndAnInactiveStorageDoesNothing) {
  testsupport::TempDir dir;
  const std::wstring ini = dir.Path(L"version.ini");
  ASSERT_TRUE(testsupport::WriteBytes(ini, "[TSettingsForm]\r\nFormVersion=1\r\nSpin1_Value=33\r\nNormPos=0,0,400,300\r\n"));
  {
    tk::FormInstance<TSettingsForm> form(ini);
    form.Storage.Version = 2;
    form.Storage.SetStoredProps({L"Spin1.Value"});
    form.Storage.Loaded();
    form.Show();
    EXPECT_TRUE(form.Storage.Restored());
    EXPECT_EQ(form.Spin1.Value(), 5);
    RECT r;
    GetWindowRect(form.Handle(), &r);
    EXPECT_NE(r.right - r.left, 400);
    form.Close();
  }
  EXPECT_EQ(IniValue(testsupport::IniSection(ini, "TSettingsForm"), "FormVersion"), "2");
  EXPECT_EQ(IniValue(testsupport::IniSection(ini, "TSettingsForm"), "Spin1_Value"), "5");

  tk::FormInstance<TSettingsForm> idle(ini);
  idle.Storage.Active = false;
  idle.Storage.SetStoredProps({L"Spin1.Value"});
  idle.Storage.Loaded();
  DeleteFileW(ini.c_str());
  idle.Show();
  EXPECT_FALSE(idle.Storage.Restored());
  idle.Spin1.SetValue(70);
  idle.Close();
  idle.DestroyHandle();
  EXPECT_FALSE(testsupport::Exists(ini));
}

TEST(FormStorage, TheFocusedControlIsKeptWhenAskedFor) {
  testsupport::TempDir dir;
  const std::wstring ini = dir.Path(L"focus.ini");
  {
    tk::FormInstance<TSettingsForm> form(ini);
    form.Storage.Options = tk::fpActiveControl;
    form.Storage.Loaded();
    form.Show();
    form.Spin1.SetFocus();
    form.Close();
  }
  const auto lines = testsupport::IniSection(ini, "TSettingsForm");
  EXPECT_EQ(IniValue(lines, "ActiveControl"), "Spin1");
  EXPECT_EQ(IniValue(lines, "NormPos"), "<missing>") << "no placement part asked for";
  tk::FormInstance<TSettingsForm> again(ini);
  again.Storage.Options = tk::fpActiveControl;
  again.Storage.Loaded();
  again.Show();
  PumpMessages();
  EXPECT_EQ(GetFocus(), again.Spin1.Handle());
}
