// Linking, releasing, extent and drawing of the window-independent holder.
#include <gtest/gtest.h>

#include <cstring>

#include "render/documents/document_object.h"
#include "render/holder/ole_error.h"
#include "tests/render/holder_fixtures.h"

using holdertest::LinkLog;
using holdertest::TestHost;
using Microsoft::WRL::ComPtr;
using render::DocumentHolder;
using render::OleError;

namespace {

constexpr COLORREF kBackground = RGB(250, 251, 252);

class Holder : public testing::Test {
 protected:
  void SetUp() override { live_ = documents::DocumentObject::LiveCount(); }
  void TearDown() override {
    holder_.reset();
    log_.objects.clear();
    EXPECT_EQ(documents::DocumentObject::LiveCount(), live_) << "document objects left alive";
  }
  DocumentHolder& H() {
    if (!holder_) holder_ = std::make_unique<DocumentHolder>(host_.Make(), holdertest::LoggingFactory(log_));
    return *holder_;
  }
  std::wstring Sample(const wchar_t* name) { return dir_.Write(name, doctest::ReadSample(name)); }
  HRESULT LinkError(const std::wstring& file) {
    try {
      H().LinkDocument(file);
    } catch (const OleError& e) {
      return e.Result();
    }
    return S_OK;
  }
  bool PreviewIsBlank() {
    testsupport::DibCanvas canvas(120, 90);
    H().PaintPreview(canvas.dc(), SIZE{120, 90}, kBackground, false);
    for (int y = 0; y < 90; ++y)
      for (int x = 0; x < 120; ++x)
        if (canvas.At(x, y) != kBackground) return false;
    return true;
  }

  doctest::TempDir dir_;
  TestHost host_;
  LinkLog log_;
  std::unique_ptr<DocumentHolder> holder_;
  long live_ = 0;
};

}  // namespace

TEST_F(Holder, EmptyHolderReportsNothingDrawsNothingAndShowsOnlyItsBackground) {
  const POINT extent = H().GetDocumentExtent();
  EXPECT_EQ(extent.x, 0);
  EXPECT_EQ(extent.y, 0);
  testsupport::DibCanvas target(50, 40, RGB(1, 2, 3));
  H().DrawDocument(target.dc(), 0, 0, 50, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) ASSERT_EQ(target.At(x, y), RGB(1, 2, 3));
  EXPECT_TRUE(PreviewIsBlank());
}

TEST_F(Holder, LinkConnectsTheObjectAndTakesItsExtent) {
  H().LinkDocument(Sample(L"drawing.emf"));
  ASSERT_TRUE(H().HasDocument());
  EXPECT_EQ(H().GetDocumentExtent().x, 16000);
  EXPECT_EQ(H().GetDocumentExtent().y, 12000);
  EXPECT_EQ(H().ViewSize().cx, 16000);  // refreshed through IViewObject2
  EXPECT_NE(H().DataConnection(), 0u);
  EXPECT_TRUE(H().Modified());
  EXPECT_GE(host_.invalidations, 1);
  ComPtr<IViewObject> view;
  ASSERT_EQ(H().Object()->QueryInterface(IID_PPV_ARGS(&view)), S_OK);
  DWORD aspects = 0;
  ComPtr<IAdviseSink> sink;
  view->GetAdvise(&aspects, nullptr, &sink);
  EXPECT_EQ(aspects, DWORD(DVASPECT_CONTENT));
  EXPECT_TRUE(sink);
  // The link data lives in the in-memory storage, nowhere on disk.
  ComPtr<IStream> stream;
  EXPECT_EQ(H().Storage()->OpenStream(L"VerdaluxLink", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream), S_OK);
}

TEST_F(Holder, LinkingASecondFileReleasesTheFirstBeforeAnythingElse) {
  H().LinkDocument(Sample(L"drawing.emf"));
  H().LinkDocument(Sample(L"photo.png"));
  EXPECT_EQ(log_.events, (std::vector<std::string>{"create drawing.emf", "close drawing.emf", "create photo.png"}));
  ASSERT_EQ(log_.objects.size(), 2u);
  IOleObject* first = log_.objects[0].Get();
  EXPECT_EQ(holdertest::OtherReferences(first), 0u) << "the holder still references the first object";
  ComPtr<IViewObject> view;
  first->QueryInterface(IID_PPV_ARGS(&view));
  ComPtr<IAdviseSink> sink;
  view->GetAdvise(nullptr, nullptr, &sink);
  EXPECT_FALSE(sink) << "view advise still connected";
  ComPtr<IDataObject> data;
  first->QueryInterface(IID_PPV_ARGS(&data));
  ComPtr<IEnumSTATDATA> connections;
  data->EnumDAdvise(&connections);
  STATDATA sd{};
  EXPECT_TRUE(!connections || connections->Next(1, &sd, nullptr) != S_OK) << "data advise still connected";
  EXPECT_NEAR(H().GetDocumentExtent().x, 5419, 1);  // now the photo's extent
}

TEST_F(Holder, FailingLinkLeavesTheHolderEmptyAndThePreviewBlank) {
  H().LinkDocument(Sample(L"drawing.emf"));
  ASSERT_FALSE(PreviewIsBlank());
  const std::wstring gone = Sample(L"photo.png");
  DeleteFileW(gone.c_str());  // chosen, then gone before the link
  EXPECT_EQ(LinkError(gone), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(log_.events, (std::vector<std::string>{"create drawing.emf", "close drawing.emf", "failed photo.png"}));
  EXPECT_FALSE(H().HasDocument());
  EXPECT_EQ(H().Storage(), nullptr);
  EXPECT_EQ(H().GetDocumentExtent().x, 0);
  EXPECT_TRUE(PreviewIsBlank());
}

TEST_F(Holder, UnhandledTypeFailsWithThePlatformLinksOwnCode) {
  const std::wstring file = dir_.Write(L"notes.xyz", {'x'});
  ComPtr<ILockBytes> bytes;
  ComPtr<IStorage> storage;
  ComPtr<IOleObject> direct;
  ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes), S_OK);
  ASSERT_EQ(StgCreateDocfileOnILockBytes(bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage), S_OK);
  const HRESULT platform = OleCreateLinkToFile(file.c_str(), IID_IOleObject, OLERENDER_DRAW, nullptr, nullptr,
                                               storage.Get(), reinterpret_cast<void**>(direct.GetAddressOf()));
  if (SUCCEEDED(platform)) GTEST_SKIP() << "this platform links files of unknown type";
  EXPECT_EQ(LinkError(file), platform);
  EXPECT_FALSE(H().HasDocument());
}

TEST_F(Holder, DrawingWithNegativeTopGivesExactlyThoseRowsOfTheWholeDrawing) {
  for (const wchar_t* name : {L"drawing.wmf", L"photo.png", L"letter.txt"}) {
    H().LinkDocument(Sample(name));
    const int w = 301, h = 257, strip = 50;
    testsupport::DibCanvas whole(w, h);
    H().DrawDocument(whole.dc(), 0, 0, w, h);
    for (int done = 0; done < h; done += strip) {
      const int rows = std::min(strip, h - done);
      testsupport::DibCanvas part(w, rows);
      H().DrawDocument(part.dc(), 0, -done, w, h);
      for (int y = 0; y < rows; ++y)
        ASSERT_EQ(std::memcmp(part.Row(y), whole.Row(done + y), size_t(w) * 3), 0) << "row " << done + y << " of " << doctest::Narrow(name);
    }
  }
}

TEST_F(Holder, ReleaseClosesWithoutSavingAndDestructionLeavesNothingAlive) {
  H().LinkDocument(Sample(L"drawing.wmf"));
  H().SetModified(false);
  H().ReleaseDocument();
  EXPECT_EQ(log_.events.back(), "close drawing.wmf");
  EXPECT_TRUE(H().Modified());
  EXPECT_FALSE(H().HasDocument());
  H().LinkDocument(Sample(L"letter.txt"));
  holder_.reset();  // destroying the holder releases its document
  EXPECT_EQ(log_.events.back(), "close letter.txt");
}
