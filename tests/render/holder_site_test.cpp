// The answers the holder gives its object as client site and advise sink.
#include <gtest/gtest.h>

#include <docobj.h>

#include "render/documents/document_object.h"
#include "tests/render/holder_fixtures.h"

using Microsoft::WRL::ComPtr;

namespace {

class Site : public testing::Test {
 protected:
  void SetUp() override {
    holder_ = std::make_unique<render::DocumentHolder>(host_.Make(), holdertest::LoggingFactory(log_));
    holder_->LinkDocument(dir_.Write(L"drawing.emf", doctest::ReadSample(L"drawing.emf")));
    ASSERT_EQ(holder_->Object()->GetClientSite(&site_), S_OK);
    ASSERT_TRUE(site_);
    ASSERT_EQ(site_.As(&sink_), S_OK);
    holder_->SetModified(false);
    host_.invalidations = 0;
  }
  doctest::TempDir dir_;
  holdertest::TestHost host_;
  holdertest::LinkLog log_;
  std::unique_ptr<render::DocumentHolder> holder_;
  ComPtr<IOleClientSite> site_;
  ComPtr<IAdviseSink> sink_;
};

}  // namespace

TEST_F(Site, ClientSiteAnswers) {
  ComPtr<IMoniker> moniker;
  EXPECT_EQ(site_->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_OBJFULL, &moniker), E_NOTIMPL);
  ComPtr<IOleContainer> container;
  EXPECT_EQ(site_->GetContainer(&container), E_NOINTERFACE);
  EXPECT_EQ(site_->ShowObject(), S_OK);
  EXPECT_EQ(site_->RequestNewObjectLayout(), E_NOTIMPL);
  EXPECT_EQ(host_.invalidations, 0);
}

TEST_F(Site, ShowWindowRepaintsOnlyWhenTheOpenStateChanges) {
  EXPECT_EQ(site_->OnShowWindow(TRUE), S_OK);
  EXPECT_TRUE(holder_->ObjectOpen());
  EXPECT_EQ(host_.invalidations, 1);
  site_->OnShowWindow(TRUE);
  EXPECT_EQ(host_.invalidations, 1);
  site_->OnShowWindow(FALSE);
  EXPECT_FALSE(holder_->ObjectOpen());
  EXPECT_EQ(host_.invalidations, 2);
}

TEST_F(Site, SaveObjectWritesTheLinkIntoTheHoldersStorage) {
  ComPtr<IStream> before;
  holder_->Storage()->DestroyElement(L"VerdaluxLink");
  ASSERT_NE(holder_->Storage()->OpenStream(L"VerdaluxLink", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &before), S_OK);
  EXPECT_EQ(site_->SaveObject(), S_OK);
  CLSID clsid{};
  EXPECT_EQ(ReadClassStg(holder_->Storage(), &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, documents::kDocumentClsid));
  ComPtr<IStream> after;
  ASSERT_EQ(holder_->Storage()->OpenStream(L"VerdaluxLink", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &after), S_OK);
  ULONG bytes = 0;
  after->Read(&bytes, sizeof bytes, nullptr);
  std::wstring path(bytes / sizeof(wchar_t), L'\0');
  after->Read(path.data(), bytes, nullptr);
  EXPECT_EQ(path, dir_.Path() + L"\\drawing.emf");
}

TEST_F(Site, AdviseSinkMarksModifiedAndRepaintsForItsOwnAspectOnly) {
  sink_->OnDataChange(nullptr, nullptr);
  EXPECT_TRUE(holder_->Modified());
  sink_->OnViewChange(DVASPECT_ICON, -1);
  EXPECT_EQ(host_.invalidations, 0);
  sink_->OnViewChange(DVASPECT_CONTENT, -1);
  EXPECT_EQ(host_.invalidations, 1);
  EXPECT_EQ(holder_->ViewSize().cy, 12000);
  sink_->OnRename(nullptr);
  sink_->OnSave();
  sink_->OnClose();
  EXPECT_EQ(host_.invalidations, 1);
}

TEST_F(Site, InPlaceAndDocumentSitesAreOfferedButRefuseActivation) {
  ComPtr<IOleInPlaceSite> inPlace;
  ASSERT_EQ(site_.As(&inPlace), S_OK);
  EXPECT_EQ(inPlace->CanInPlaceActivate(), S_FALSE);
  ComPtr<IOleDocumentSite> docSite;
  ASSERT_EQ(site_.As(&docSite), S_OK);
  EXPECT_EQ(docSite->ActivateMe(nullptr), E_NOTIMPL);
}

TEST_F(Site, SiteOutlivingItsHolderRefusesPolitely) {
  holder_.reset();
  host_.invalidations = 0;
  EXPECT_EQ(site_->SaveObject(), E_UNEXPECTED);
  EXPECT_EQ(site_->OnShowWindow(TRUE), S_OK);
  sink_->OnViewChange(DVASPECT_CONTENT, -1);
  EXPECT_EQ(host_.invalidations, 0);
}
