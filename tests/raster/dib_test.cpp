// The binding's accessors and the image owner.
#include <gtest/gtest.h>

#include <utility>

#include "raster/dib.h"
#include "raster/owned_dib.h"

using raster::OwnedDib;

namespace {

class Binding : public testing::Test {
 protected:
  void SetUp() override { live_ = PictrixLiveImages(); }
  void TearDown() override {
    PictrixFailAllocationAfter(-1);
    EXPECT_EQ(PictrixLiveImages(), live_);
  }
  int live_ = 0;
};

TEST_F(Binding, AccessorsReadTheHeader) {
  const OwnedDib a = OwnedDib::New(320, 200, 24);
  EXPECT_EQ(DIBWidth(a.get()), 320);
  EXPECT_EQ(DIBHeight(a.get()), 200);
  EXPECT_EQ(DIBBitCount(a.get()), 24);
  EXPECT_EQ(DIBColorCount(a.get()), 16777216);
  const OwnedDib b = OwnedDib::New(3, 3, 8);
  EXPECT_EQ(DIBColorCount(b.get()), 256);
  const OwnedDib c = OwnedDib::New(3, 3, 1);
  EXPECT_EQ(DIBColorCount(c.get()), 2);
  const TDibImage none{};  // no header: zero sizes, a count of 0 bits gives 1
  EXPECT_EQ(DIBWidth(none), 0);
  EXPECT_EQ(DIBBitCount(none), 0);
  EXPECT_EQ(DIBColorCount(none), 1);
}

TEST_F(Binding, ScreenDepthComesFromTheDesktopUnlessPretended) {
  const int real = ScreenBitsPerPixel();
  EXPECT_TRUE(real == 8 || real == 16 || real == 24 || real == 32) << real;
  {
    raster::ScopedScreenDepth pretend(8);
    EXPECT_EQ(ScreenBitsPerPixel(), 8);
    {
      raster::ScopedScreenDepth inner(4);
      EXPECT_EQ(ScreenBitsPerPixel(), 4);
    }
    EXPECT_EQ(ScreenBitsPerPixel(), 8);
  }
  EXPECT_EQ(ScreenBitsPerPixel(), real);
}

TEST_F(Binding, OwnerReleasesExactlyOnceAndMovesOwnership) {
  OwnedDib a = OwnedDib::New(10, 10, 24);
  ASSERT_TRUE(a);
  EXPECT_EQ(PictrixLiveImages(), live_ + 1);
  OwnedDib b = std::move(a);
  EXPECT_FALSE(a);
  EXPECT_TRUE(b);
  OwnedDib c = OwnedDib::New(5, 5, 8);
  c = std::move(b);  // c's own image goes now
  EXPECT_EQ(PictrixLiveImages(), live_ + 1);
  TDibImage handed = c.release();
  EXPECT_FALSE(c);
  EXPECT_EQ(PictrixLiveImages(), live_ + 1);
  OwnedDib back(handed);
  back.reset();
  EXPECT_EQ(PictrixLiveImages(), live_);
  back.reset();  // nothing left to release
}

TEST_F(Binding, RefusedImagesAreDroppedWithoutRelease) {
  PictrixFailAllocationAfter(0);
  OwnedDib failed = OwnedDib::New(10, 10, 24);
  EXPECT_FALSE(failed);
  EXPECT_EQ(failed.get().Bits, nullptr);
  OwnedDib zero = OwnedDib::New(0, 10, 24);
  EXPECT_FALSE(zero);
  EXPECT_EQ(PictrixLiveImages(), live_);
}

}  // namespace
