// Every failure of a render: one message, the progress the user sees, the
// target released, and nothing left behind.
#include <gtest/gtest.h>

#include "tests/render/renderer_fixtures.h"

using namespace render;
using renderertest::Harness;
using renderertest::Resources;

namespace {

RenderSettings Tall(bool border) {
  RenderSettings s;
  s.width = 301;
  s.height = 1001;  // strips of 500, 500 and 1 rows
  s.border = border;
  s.left = s.right = s.top = s.bottom = 5;
  return s;
}

// Progress reported after each of the first n strips of a 1001-row picture.
std::vector<int> ProgressOfStrips(int n) {
  const int values[] = {49, 99, 100};
  return std::vector<int>(values, values + n);
}

void ExpectOneError(const Harness& h, const wchar_t* text) {
  ASSERT_EQ(h.modal.messages.size(), 1u);
  EXPECT_EQ(h.modal.messages[0].text, text);
  EXPECT_EQ(h.modal.messages[0].caption, L"Error");
  EXPECT_EQ(h.modal.messages[0].type, UINT(MB_OK | MB_ICONERROR));
}

struct ScopedAllocationFailure {
  explicit ScopedAllocationFailure(int32_t after) { PictrixFailAllocationAfter(after); }
  ~ScopedAllocationFailure() { PictrixFailAllocationAfter(-1); }
};

// No strip objects outlive the render: the strip DCs and bitmaps the drawer
// saw are gone, whether or not the platform counts GDI objects.
void ExpectStripObjectsGone(const Harness& h) {
  for (const auto& d : h.draws) {
    EXPECT_EQ(GetObjectType(d.bitmap), 0u);
    EXPECT_EQ(GetObjectType(d.dc), 0u);
  }
}

}  // namespace

TEST(StripRendererFailure, TargetThatCannotBeHadFailsBeforeDrawing) {
  for (int way = 0; way < 2; ++way) {
    Harness h;
    StripRenderer r(h.Context());
    const Resources before = Resources::Now();
    raster::OwnedDib pic;
    if (way == 0) {
      ScopedAllocationFailure fail(0);
      pic = r.Render(Tall(true));
    } else {
      // 90000 x 360000 pixels, 97 GB: refused by the raster library itself.
      RenderSettings s = Tall(true);
      s.width = s.height = 30000;
      s.left = s.right = s.top = 100;
      s.bottom = 1000;
      pic = r.Render(s);
    }
    EXPECT_FALSE(pic);
    ExpectOneError(h, kTargetFailedText);
    EXPECT_TRUE(h.progress.empty()) << "the progress bar is not touched";
    EXPECT_TRUE(h.draws.empty());
    const Resources after = Resources::Now();
    EXPECT_EQ(after.images, before.images);
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  }
}

// Each strip failure at the first, a middle and the last strip: one message,
// the progress of the strips before it (and of the failing strip itself when
// its read-back failed), then 0; the target and every strip object released.
TEST(StripRendererFailure, StripFailuresAtAnyStrip) {
  enum Kind { kBitmap, kImage, kReadBack };
  for (Kind kind : {kBitmap, kImage, kReadBack}) {
    for (int at = 0; at < 3; ++at) {
      SCOPED_TRACE(testing::Message() << "failure " << kind << " at strip " << at);
      Harness h;
      StripRenderer r(h.Context());
      const Resources before = Resources::Now();
      r.SetFailureInjection(FailureInjection{kind == kBitmap ? at : -1, kind == kReadBack ? at : -1});
      raster::OwnedDib pic;
      {
        // The target is the first allocation, strip k's image the (k+2)-th.
        ScopedAllocationFailure fail(kind == kImage ? at + 1 : -1);
        pic = r.Render(Tall(at % 2 == 0));
      }
      EXPECT_FALSE(pic);
      ExpectOneError(h, kind == kReadBack ? kCopyFailedText : kStripFailedText);
      const int stripsReported = kind == kReadBack ? at + 1 : at;
      std::vector<int> progress = ProgressOfStrips(stripsReported);
      progress.push_back(0);
      EXPECT_EQ(h.progress, progress);
      EXPECT_EQ(int(h.draws.size()), stripsReported) << "nothing is drawn on a strip that could not be made";
      ExpectStripObjectsGone(h);
      const Resources after = Resources::Now();
      EXPECT_EQ(after.images, before.images);
      EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    }
  }
}

TEST(StripRendererFailure, SuccessLeavesOnlyThePicture) {
  const Resources before = Resources::Now();
  {
    Harness h;
    StripRenderer r(h.Context());
    raster::OwnedDib pic = r.Render(Tall(true));
    ASSERT_TRUE(pic);
    EXPECT_EQ(Resources::Now().images, before.images + 1);
    ExpectStripObjectsGone(h);
  }
  const Resources after = Resources::Now();
  EXPECT_EQ(after.images, before.images);
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
}

TEST(StripRendererFailure, DefaultMessageSinkIsTheModalSeam) {
  // Without a sink of its own the renderer asks the modal seam, with its owner.
  testsupport::ScopedRecorder modal;
  RenderContext c;
  tk::WindowDC screen(nullptr);
  c.referenceDC = screen.get();
  c.owner = GetDesktopWindow();
  StripRenderer r(c);
  ScopedAllocationFailure fail(0);
  EXPECT_FALSE(r.Render(Tall(false)));
  ASSERT_EQ(modal.messages.size(), 1u);
  EXPECT_EQ(modal.messages[0].owner, GetDesktopWindow());
  EXPECT_EQ(modal.messages[0].text, kTargetFailedText);
  EXPECT_TRUE(modal.messages[0].hasCaption);
}

TEST(RendererCancel, AskedOnlyBetweenStripsAndEndsWithoutAMessage) {
  // Which question is answered yes (counted from 1); 0: none.
  for (const int yesAt : {1, 2, 0}) {
    SCOPED_TRACE(yesAt);
    const Resources before = Resources::Now();
    Harness h;
    RenderContext context = h.Context();
    int asked = 0;
    context.cancel = [&] { return ++asked == yesAt; };
    StripRenderer renderer(context);
    raster::OwnedDib picture = renderer.Render(Tall(true));
    EXPECT_TRUE(h.modal.messages.empty());
    std::vector<int> progress = ProgressOfStrips(yesAt == 0 ? 3 : yesAt);
    progress.push_back(0);
    EXPECT_EQ(h.progress, progress);
    if (yesAt == 0) {
      EXPECT_TRUE(picture);
      EXPECT_EQ(asked, 2);  // never before the first strip nor after the last
      EXPECT_EQ(h.draws.size(), 3u);
    } else {
      EXPECT_FALSE(picture);
      EXPECT_EQ(asked, yesAt);
      EXPECT_EQ(h.draws.size(), static_cast<size_t>(yesAt));
    }
    picture = {};
    ExpectStripObjectsGone(h);
    EXPECT_EQ(Resources::Now().images, before.images);
  }
}
