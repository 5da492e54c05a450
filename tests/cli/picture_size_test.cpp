// The batch render's picture size for an extent as the holder reports it. The
// size rules themselves are tested in the core.
#include <gtest/gtest.h>

#include "app/cli/picture_size.h"

TEST(PictureSize, TheHoldersExtentIsReadAsWidthThenHeight) {
  // A landscape extent: the width derives a smaller height, the height a larger width.
  const cli::PictureSize fromWidth = cli::ResolvePictureSize(400, std::nullopt, POINT{29700, 21000});
  EXPECT_EQ(fromWidth.width, 400);
  EXPECT_EQ(fromWidth.height, 282);  // 282.8
  const cli::PictureSize fromHeight = cli::ResolvePictureSize(std::nullopt, 400, POINT{29700, 21000});
  EXPECT_EQ(fromHeight.width, 565);  // 565.7
  EXPECT_EQ(fromHeight.height, 400);
}
