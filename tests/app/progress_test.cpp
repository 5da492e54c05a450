#include <gtest/gtest.h>

#include "app/progress_bar.h"

using app::ProgressBarRect;

TEST(ProgressBarRect, TruncatesTheShareOfThePanelWidth) {
  const RECT panel{0, 0, 250, 19};
  EXPECT_EQ(ProgressBarRect(panel, 49).right, 122);  // 250 * 49 div 100
  EXPECT_EQ(ProgressBarRect(panel, 75).right, 187);
  EXPECT_EQ(ProgressBarRect(panel, 100).right, 250);
  EXPECT_EQ(ProgressBarRect(panel, 0).right, 0);
  const RECT shifted{252, 2, 498, 17};
  const RECT bar = ProgressBarRect(shifted, 50);
  EXPECT_EQ(bar.left, 252);
  EXPECT_EQ(bar.top, 2);
  EXPECT_EQ(bar.right, 252 + 123);
  EXPECT_EQ(bar.bottom, 17);
}

TEST(ProgressBarRect, StaysInsideThePanelForValuesOutOfRange) {
  const RECT panel{252, 2, 498, 17};
  EXPECT_EQ(ProgressBarRect(panel, 250).right, 498);
  EXPECT_EQ(ProgressBarRect(panel, -5).right, 252);
  // A WM_USER wParam of any size must not overflow the product.
  EXPECT_EQ(ProgressBarRect(panel, INT32_MAX).right, 498);
  EXPECT_EQ(ProgressBarRect(panel, INT32_MIN).right, 252);
}

TEST(ProgressBarRect, AnUnpaintedPanelGivesAnEmptyBar) {
  const RECT bar = ProgressBarRect(RECT{0, 0, 0, 0}, 80);
  EXPECT_EQ(bar.right - bar.left, 0);
  EXPECT_EQ(bar.bottom - bar.top, 0);
}
