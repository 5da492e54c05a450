// Alignment, scrolling and list behaviour of the toolkit's containers.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/pixels.h"
#include "toolkit/form.h"
#include "toolkit/listbox.h"
#include "toolkit/paintbox.h"
#include "toolkit/panel.h"
#include "toolkit/scrollbox.h"
#include "toolkit/splitter.h"

using tk::TAlign;

TEST(Align, TopsThenBottomsThenSidesThenTheRest) {
  tk::TForm form(L"TTestForm", L"test", 400, 300, tk::TFont{});
  tk::TPanel client(&form), top(&form), bottom1(&form), bottom2(&form), left(&form), right(&form);
  client.SetAlign(TAlign::alClient);  // created first, still gets only what is left
  top.SetHeight(30);
  top.SetAlign(TAlign::alTop);
  bottom1.SetHeight(19);
  bottom1.SetAlign(TAlign::alBottom);
  bottom2.SetHeight(41);
  bottom2.SetAlign(TAlign::alBottom);  // the second bottom control sits above the first
  left.SetWidth(100);
  left.SetAlign(TAlign::alLeft);
  right.SetWidth(50);
  right.SetAlign(TAlign::alRight);

  EXPECT_EQ(top.Top(), 0);
  EXPECT_EQ(top.Width(), 400);
  EXPECT_EQ(bottom1.Top(), 300 - 19);
  EXPECT_EQ(bottom2.Top(), 300 - 19 - 41);
  EXPECT_EQ(left.Left(), 0);
  EXPECT_EQ(left.Top(), 30);
  EXPECT_EQ(left.Height(), 300 - 30 - 60);
  EXPECT_EQ(right.Left(), 350);
  EXPECT_EQ(client.Left(), 100);
  EXPECT_EQ(client.Top(), 30);
  EXPECT_EQ(client.Width(), 250);
  EXPECT_EQ(client.Height(), 210);

  // Resizing the form lays everything out again.
  SetWindowPos(form.Handle(), nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(bottom1.Top() + bottom1.Height(), form.ClientHeight());
  EXPECT_EQ(client.Width(), form.ClientWidth() - 150);
}

TEST(Align, BevelledPanelsKeepTheirChildrenInsideTheBevels) {
  tk::TForm form(L"TTestForm", L"test", 200, 200, tk::TFont{});
  tk::TPanel outer(&form);
  outer.SetBevelInner(tk::TBevel::bvRaised);
  outer.SetBevelOuter(tk::TBevel::bvLowered);
  outer.SetAlign(TAlign::alClient);
  tk::TPanel inner(&outer);
  inner.SetAlign(TAlign::alClient);
  EXPECT_EQ(inner.Left(), 2);
  EXPECT_EQ(inner.Top(), 2);
  EXPECT_EQ(inner.Width(), 196);
}

TEST(Splitter, DraggingResizesTheNeighbour) {
  tk::TForm form(L"TTestForm", L"test", 400, 200, tk::TFont{});
  tk::TPanel left(&form);
  left.SetWidth(100);
  left.SetAlign(TAlign::alLeft);
  tk::TSplitter split(&form, TAlign::alLeft);
  tk::TPanel rest(&form);
  rest.SetAlign(TAlign::alClient);
  form.Show();
  EXPECT_EQ(split.Left(), 100);
  SendMessageW(split.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
  SendMessageW(split.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(41, 10));
  SendMessageW(split.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(41, 10));
  EXPECT_EQ(left.Width(), 140);
  EXPECT_EQ(split.Left(), 140);
  EXPECT_EQ(rest.Left(), 143);
}

TEST(ScrollBox, RangesFollowTheContentAndPositionsStayInside) {
  tk::TForm form(L"TTestForm", L"test", 300, 200, tk::TFont{});
  tk::TScrollBox box(&form);
  box.SetAlign(TAlign::alClient);
  tk::TPaintBox paint(&box);
  paint.SetBounds(0, 0, 100, 50);
  form.Show();
  testsupport::PumpMessages();
  EXPECT_EQ(box.HorzRange(), 100);
  EXPECT_EQ(box.VertRange(), 50);
  // Content that fits: no bars, no scrolling.
  EXPECT_FALSE(GetWindowLongW(box.Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
  box.SetHorzPosition(30);
  EXPECT_EQ(box.HorzPosition(), 0);

  paint.SetBounds(0, 0, 1000, 700);
  EXPECT_EQ(box.HorzRange(), 1000);
  EXPECT_EQ(box.VertRange(), 700);
  EXPECT_TRUE(GetWindowLongW(box.Handle(), GWL_STYLE) & WS_HSCROLL);
  EXPECT_TRUE(GetWindowLongW(box.Handle(), GWL_STYLE) & WS_VSCROLL);
  box.SetHorzPosition(5000);
  box.SetVertPosition(-5);
  EXPECT_EQ(box.HorzPosition(), 1000 - box.VisibleWidth());
  EXPECT_EQ(box.VertPosition(), 0);
  EXPECT_EQ(paint.Left(), -box.HorzPosition());  // the content moved with the position
  box.SetVertPosition(123);
  EXPECT_EQ(box.VertPosition(), 123);
  EXPECT_EQ(paint.Top(), -123);
  // The range stays the content's size while scrolled.
  paint.SetWidth(900);
  EXPECT_EQ(box.HorzRange(), 900);
  EXPECT_EQ(box.HorzPosition(), 900 - box.VisibleWidth());
}

TEST(ListBox, EntriesSelectionAndKeys) {
  tk::TForm form(L"TTestForm", L"test", 300, 200, tk::TFont{});
  tk::TListBox list(&form);
  list.SetBounds(0, 0, 200, 100);
  list.Add(L"b");
  list.Insert(0, L"a");
  list.Add(L"");
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Item(0), L"a");
  EXPECT_EQ(list.Item(2), L"");
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItemIndex(1);
  EXPECT_EQ(list.ItemIndex(), 1);
  list.Delete(0);
  EXPECT_EQ(list.Item(0), L"b");
  std::wstring keys;
  list.OnKeyPress = [&](wchar_t& k) {
    keys.push_back(k);
    if (k == L'x') k = 0;
  };
  SendMessageW(list.Handle(), WM_CHAR, L'\r', 0);
  SendMessageW(list.Handle(), WM_CHAR, L'x', 0);
  EXPECT_EQ(keys, L"\rx");
  int dbl = 0;
  list.OnDblClick = [&] { ++dbl; };
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list.Handle()), LBN_DBLCLK),
               reinterpret_cast<LPARAM>(list.Handle()));
  EXPECT_EQ(dbl, 1);
}
