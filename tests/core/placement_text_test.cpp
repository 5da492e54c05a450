// The stored placement: the section a save writes, key by key, and what a
// restore makes of stored positions for another screen, another pixels per
// inch or texts edited by hand.
#include <gtest/gtest.h>

#include "core/placement_text.h"

using namespace core;

namespace {

CurrentWindow Window() {
  CurrentWindow w;
  w.placement = {0, 0, -1, -1, -1, -1, 100, 50, 738, 562};
  w.left = 100;
  w.top = 50;
  w.width = 638;
  w.height = 512;
  w.pixelsPerInch = 96;
  return w;
}

}  // namespace

TEST(PlacementText, ASaveWritesTheEntriesInOrderWithBothPositionKeys) {
  const PlacementRecord p{2, 3, -1, -1, -4, -4, 10, 20, 648, 532};
  const StoredEntries expected{
      {L"Flags", L"2"},
      {L"ShowCmd", L"3"},
      {L"PixelsPerInch", L"96"},
      {L"MinMaxPos(1280x1024)", L"-1,-1,-4,-4"},
      {L"MinMaxPos", L"-1,-1,-4,-4"},
      {L"NormPos(1280x1024)", L"10,20,648,532"},
      {L"NormPos", L"10,20,648,532"},
      {L"Visible", L"0"},
  };
  EXPECT_EQ(PlacementEntries(p, 96, 1280, 1024, false), expected);
  EXPECT_EQ(PlacementEntries(p, 120, 800, 600, true).back(), (std::pair<std::wstring, std::wstring>{L"Visible", L"1"}));
  EXPECT_EQ(PlacementEntries(p, 120, 800, 600, true)[5].first, L"NormPos(800x600)");
  EXPECT_EQ(ScreenSizeKey(L"NormPos", 1024, 768), L"NormPos(1024x768)");
  EXPECT_EQ(FormatPosition(-2147483647 - 1, 0, 7, 2147483647), L"-2147483648,0,7,2147483647");
}

TEST(PlacementText, PositionWordsAreSeparatedByCommasOrBlanks) {
  EXPECT_EQ(PositionWords(L"1,2,3,4"), (std::vector<std::wstring>{L"1", L"2", L"3", L"4"}));
  EXPECT_EQ(PositionWords(L" 1 ,, 2  3,4,5 "), (std::vector<std::wstring>{L"1", L"2", L"3", L"4", L"5"}));
  EXPECT_TRUE(PositionWords(L" , ").empty());
  const auto w = PositionWords(L"7,x,,-9");
  EXPECT_EQ(WordOr(w, 0, 1), 7);
  EXPECT_EQ(WordOr(w, 1, 1), 1) << "not a number";
  EXPECT_EQ(WordOr(w, 2, 1), -9);
  EXPECT_EQ(WordOr(w, 3, 1), 1) << "missing";
}

TEST(PlacementText, AStoredPositionAppliesOnlyWhenItExistsAndThePixelsPerInchAreTheSame) {
  const CurrentWindow now = Window();
  StoredPosition s{L"0", L"-1,-1,-4,-4", L"10,20,648,532", L"96"};
  const auto applied = PlacementToApply(now, s);
  ASSERT_TRUE(applied.has_value());
  EXPECT_EQ(*applied, (PlacementRecord{0, 0, -1, -1, -4, -4, 10, 20, 648, 532}));

  EXPECT_FALSE(PlacementToApply(now, {L"0", L"", L"", L"96"}).has_value()) << "nothing stored";
  EXPECT_FALSE(PlacementToApply(now, {L"0", L"", L"10,20,648,532", L"120"}).has_value()) << "another dpi";
  EXPECT_TRUE(PlacementToApply(now, {L"0", L"", L"10,20,648,532", L"dpi"}).has_value())
      << "a dpi that is no number counts as the current one";
  EXPECT_FALSE(PlacementToApply(now, {L"0", L"", L"500,20,400,532", L"96"}).has_value()) << "right left of left";
  EXPECT_FALSE(PlacementToApply(now, {L"0", L"", L"500,20,500,532", L"96"}).has_value()) << "no width";

  // Only the minimized and maximized positions: the normal rectangle stays.
  const auto minMaxOnly = PlacementToApply(now, {L"1", L"5,6,7,8", L"", L"96"});
  ASSERT_TRUE(minMaxOnly.has_value());
  EXPECT_EQ(*minMaxOnly, (PlacementRecord{1, 0, 5, 6, 7, 8, 100, 50, 738, 562}));
}

TEST(PlacementText, WordsThatAreNoNumbersFallBackToZeroOrTheWindowsOwnEdges) {
  const CurrentWindow now = Window();
  const auto p = PlacementToApply(now, {L"flags?", L"a,b", L"x,y,z", L"96"});
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(*p, (PlacementRecord{0, 0, 0, 0, 0, 0, 100, 50, 738, 562}));
  const auto q = PlacementToApply(now, {L"0", L"", L"20 30", L"96"});
  ASSERT_TRUE(q.has_value());
  EXPECT_EQ(q->left, 20);
  EXPECT_EQ(q->top, 30);
  EXPECT_EQ(q->right, 738);
  EXPECT_EQ(q->bottom, 562);
}

TEST(PlacementText, AWindowThatCannotBeSizedKeepsItsSizeAndHugeNumbersStayInRange) {
  CurrentWindow dialog = Window();
  dialog.sizeable = false;
  const auto p = PlacementToApply(dialog, {L"0", L"", L"10,20,30,40", L"96"});
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->left, 10);
  EXPECT_EQ(p->top, 20);
  EXPECT_EQ(p->right, 10 + 638);
  EXPECT_EQ(p->bottom, 20 + 512);

  const auto huge = PlacementToApply(Window(), {L"0", L"-2147483648,2147483647,0,0",
                                                L"-2147483648,-2147483648,2147483647,2147483647", L"96"});
  ASSERT_TRUE(huge.has_value());
  EXPECT_EQ(*huge, (PlacementRecord{0, 0, -32768, 32767, 0, 0, -32768, -32768, 32767, 32767}));
  CurrentWindow far = dialog;
  const auto corner = PlacementToApply(far, {L"0", L"", L"32767,32767,0,0", L"96"});
  EXPECT_FALSE(corner.has_value()) << "its own width does not fit right of the corner";
}

TEST(PlacementText, ShowCommandsGiveNormalMinimizedOrMaximized) {
  const struct {
    const wchar_t* text;
    ShownState state;
  } cases[] = {{L"1", ShownState::Normal},    {L"5", ShownState::Normal},    {L"9", ShownState::Normal},
               {L"2", ShownState::Minimized}, {L"6", ShownState::Minimized}, {L"7", ShownState::Minimized},
               {L"3", ShownState::Maximized}, {L" 3 ", ShownState::Maximized}, {L"0", ShownState::Maximized},
               {L"4", ShownState::Maximized}, {L"8", ShownState::Maximized}, {L"10", ShownState::Maximized},
               {L"max", ShownState::Maximized}, {L"", ShownState::Maximized}};
  // The fallback (maximized here) stands for everything that is no known command.
  for (const auto& c : cases) EXPECT_EQ(StateForShowCmd(c.text, ShownState::Maximized), c.state) << c.text;
}

TEST(PlacementText, KeysAndStoreNamesFollowTheComponentsAndTheExecutable) {
  EXPECT_EQ(PropertyKey(L"randl", L"Value"), L"randl_Value");
  const auto e = SplitPropertyEntry(L"CorvixColorComboBox1.ColorValue");
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(e->component, L"CorvixColorComboBox1");
  EXPECT_EQ(e->property, L"ColorValue");
  const auto nested = SplitPropertyEntry(L"a.b.c");
  ASSERT_TRUE(nested.has_value());
  EXPECT_EQ(nested->property, L"b.c");
  for (const wchar_t* bad : {L"", L"randl", L".Value", L"randl.", L"."})
    EXPECT_FALSE(SplitPropertyEntry(bad).has_value()) << bad;

  const struct {
    const wchar_t* exe;
    const wchar_t* ini;
    const wchar_t* key;
  } names[] = {{L"C:\\Program Files\\Verdalux\\verdalux.exe", L"verdalux.INI", L"Software\\verdalux"},
               {L"Z:\\a.b\\App.Tests.EXE", L"App.Tests.INI", L"Software\\App.Tests"},
               {L"C:/x/noext", L"noext.INI", L"Software\\noext"},
               {L"D:tool.exe", L"tool.INI", L"Software\\tool"}};
  EXPECT_EQ(ProgramNameFor(L"C:\\Tools\\Verdalux.exe"), L"Verdalux");
  for (const auto& n : names) {
    EXPECT_EQ(IniFileNameFor(n.exe), n.ini);
    EXPECT_EQ(RegistryKeyFor(n.exe), n.key);
  }
}
