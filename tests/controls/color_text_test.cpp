// The colour forms that need the platform: system colours' current values and
// the captions decoded for display. The text forms themselves are tested in the core.
#include <gtest/gtest.h>

#include "controls/color_names.h"
#include "controls/color_text.h"

using namespace controls;

TEST(ColorText, SystemColourIndicesAreThePlatformsOwn) {
  const struct { int core, platform; } indices[] = {
      {core::kColorScrollBar, COLOR_SCROLLBAR},         {core::kColorBackground, COLOR_BACKGROUND},
      {core::kColorActiveCaption, COLOR_ACTIVECAPTION}, {core::kColorInactiveCaption, COLOR_INACTIVECAPTION},
      {core::kColorMenu, COLOR_MENU},                   {core::kColorWindow, COLOR_WINDOW},
      {core::kColorWindowFrame, COLOR_WINDOWFRAME},     {core::kColorMenuText, COLOR_MENUTEXT},
      {core::kColorWindowText, COLOR_WINDOWTEXT},       {core::kColorCaptionText, COLOR_CAPTIONTEXT},
      {core::kColorActiveBorder, COLOR_ACTIVEBORDER},   {core::kColorInactiveBorder, COLOR_INACTIVEBORDER},
      {core::kColorAppWorkspace, COLOR_APPWORKSPACE},   {core::kColorHighlight, COLOR_HIGHLIGHT},
      {core::kColorHighlightText, COLOR_HIGHLIGHTTEXT}, {core::kColorBtnFace, COLOR_BTNFACE},
      {core::kColorBtnShadow, COLOR_BTNSHADOW},         {core::kColorGrayText, COLOR_GRAYTEXT},
      {core::kColorBtnText, COLOR_BTNTEXT},             {core::kColorInactiveCaptionText, COLOR_INACTIVECAPTIONTEXT},
      {core::kColorBtnHighlight, COLOR_BTNHIGHLIGHT},   {core::kColor3DDkShadow, COLOR_3DDKSHADOW},
      {core::kColor3DLight, COLOR_3DLIGHT},             {core::kColorInfoText, COLOR_INFOTEXT},
      {core::kColorInfoBk, COLOR_INFOBK},
  };
  for (const auto& i : indices) EXPECT_EQ(i.core, i.platform);
}

TEST(ColorText, SystemColoursAreTheirCurrentValue) {
  for (int index : {COLOR_BTNFACE, COLOR_WINDOW, COLOR_HIGHLIGHT, COLOR_INFOBK}) {
    const COLORREF now = ::GetSysColor(index);
    EXPECT_EQ(ColorToRGB(SystemColor(index)), now) << index;
    EXPECT_EQ(ColorToHTML(SystemColor(index)), ColorToHTML(static_cast<TColor>(now))) << index;
  }
  EXPECT_EQ(ColorToRGB(clNavy), RGB(0, 0, 0x80));
  EXPECT_EQ(ColorToHTML(0x00123456), L"#563412");
}

TEST(ColorNames, Windows1252CaptionsDecode) {
  EXPECT_EQ(ColorCaption(TCLanguage::lgDeutsch, 2), L"Gr\u00FCn");
  EXPECT_EQ(ColorCaption(TCLanguage::lgDeutsch, 15), L"Wei\u00DF");
  EXPECT_EQ(ColorCaption(TCLanguage::lgFrensh, 8), L"Argent\u00E9");
  EXPECT_EQ(ColorCaption(TCLanguage::lgFrensh, kCustomColorEntry), L"Autres....");
  EXPECT_EQ(ColorCaption(static_cast<TCLanguage>(7), 16), L"More...");
  EXPECT_EQ(ColorCaption(TCLanguage::lgEnglish, 17), L"");
  EXPECT_EQ(ColorCaption(TCLanguage::lgEnglish, -1), L"");
}
