// Files that cannot become documents: every one fails with a result code,
// creates no object and leaves nothing alive behind.
#include <gtest/gtest.h>

#include <wrl/client.h>

#include "render/documents/document_object.h"
#include "render/holder/document_holder.h"
#include "render/holder/ole_error.h"
#include "tests/render/documents_fixtures.h"

using documents::DocumentKind;
using documents::KindForPath;
using Microsoft::WRL::ComPtr;

namespace {

const wchar_t* const kBuiltInExtensions[] = {L"emf", L"wmf", L"bmp", L"png", L"jpg", L"jpeg",
                                             L"gif", L"tif", L"tiff", L"ico", L"txt"};

HRESULT Link(const std::wstring& path) {
  ComPtr<IOleObject> object;
  const HRESULT hr = documents::CreateLinkToFile(path, nullptr, nullptr, &object);
  EXPECT_EQ(FAILED(hr), object == nullptr);
  return hr;
}

class BadInput : public testing::Test {
 protected:
  void SetUp() override { live_ = documents::DocumentObject::LiveCount(); }
  void TearDown() override { EXPECT_EQ(documents::DocumentObject::LiveCount(), live_); }
  doctest::TempDir dir_;
  long live_ = 0;
};

}  // namespace

TEST(DocumentKinds, ChosenByExtensionWhateverItsCase) {
  EXPECT_EQ(KindForPath(L"C:\\a\\B.EMF"), DocumentKind::Emf);
  EXPECT_EQ(KindForPath(L"x.Wmf"), DocumentKind::Wmf);
  EXPECT_EQ(KindForPath(L"x.jpeg"), DocumentKind::Image);
  EXPECT_EQ(KindForPath(L"x.TIFF"), DocumentKind::Image);
  EXPECT_EQ(KindForPath(L"x.ico"), DocumentKind::Icon);
  EXPECT_EQ(KindForPath(L"x.txt"), DocumentKind::Text);
  EXPECT_EQ(KindForPath(L"x.rtf"), DocumentKind::None);
  EXPECT_EQ(KindForPath(L"C:\\my.png\\file"), DocumentKind::None);  // the dot is the folder's
  EXPECT_EQ(KindForPath(L"noextension"), DocumentKind::None);
}

TEST_F(BadInput, ZeroByteFilesOfEveryBuiltInType) {
  for (const wchar_t* ext : kBuiltInExtensions) {
    const HRESULT hr = Link(dir_.Write(std::wstring(L"empty.") + ext, {}));
    EXPECT_TRUE(FAILED(hr)) << ext;
  }
}

TEST_F(BadInput, TruncatedAndCorruptSamples) {
  for (const wchar_t* name : {L"drawing.emf", L"drawing.wmf", L"photo.png", L"photo.jpg"}) {
    auto bytes = doctest::ReadSample(name);
    ASSERT_FALSE(bytes.empty());
    auto corrupt = bytes;
    for (size_t i = 0; i < 16; ++i) corrupt[i] ^= 0x5A;
    EXPECT_TRUE(FAILED(Link(dir_.Write(std::wstring(L"corrupt_") + name, corrupt)))) << doctest::Narrow(name);
    for (size_t keep : {bytes.size() / 2, size_t(40), size_t(8)}) {
      const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + keep);
      const std::wstring path = dir_.Write(std::wstring(L"cut_") + name, cut);
      const HRESULT hr = Link(path);
      if (std::wstring(name) == L"photo.jpg" && keep == bytes.size() / 2 && SUCCEEDED(hr)) {
        // This platform's JPEG decoder fills a truncated scan instead of
        // failing; then the image must still be the whole image.
        ComPtr<IOleObject> object;
        ASSERT_EQ(documents::CreateLinkToFile(path, nullptr, nullptr, &object), S_OK);
        SIZEL size{};
        EXPECT_EQ(object->GetExtent(DVASPECT_CONTENT, &size), S_OK);
        EXPECT_EQ(size.cx, 6773) << "half a JPEG";
        continue;
      }
      EXPECT_TRUE(FAILED(hr)) << doctest::Narrow(name) << " cut to " << keep;
    }
  }
}

TEST_F(BadInput, BuiltInExtensionsWithOtherContent) {
  const auto text = doctest::ReadSample(L"letter.txt");
  const auto png = doctest::ReadSample(L"photo.png");
  for (const wchar_t* ext : kBuiltInExtensions) {
    if (std::wstring(ext) == L"txt") continue;
    EXPECT_TRUE(FAILED(Link(dir_.Write(std::wstring(L"text.") + ext, text)))) << ext;
  }
  for (const wchar_t* ext : {L"emf", L"wmf", L"txt"})
    EXPECT_TRUE(FAILED(Link(dir_.Write(std::wstring(L"image.") + ext, png)))) << ext;
}

TEST_F(BadInput, VanishedFileAndFolderFailWithThePlatformsCode) {
  const std::wstring gone = dir_.Write(L"gone.emf", doctest::ReadSample(L"drawing.emf"));
  ASSERT_TRUE(DeleteFileW(gone.c_str()));
  EXPECT_EQ(Link(gone), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  const std::wstring folder = dir_.Path() + L"\\folder.png";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  EXPECT_EQ(Link(folder), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(FAILED(Link(dir_.Path())));  // no extension: the platform's link, which fails
}

TEST_F(BadInput, NonAsciiPathsWork) {
  const std::wstring name = L"Zeichnung \x00e4\x00f6\x00fc \x0395\x03bb\x03bb\x03ac\x03b4\x03b1 \x65e5\x672c.emf";
  ComPtr<IOleObject> object;
  ASSERT_EQ(documents::CreateLinkToFile(dir_.Write(name, doctest::ReadSample(L"drawing.emf")), nullptr,
                                        nullptr, &object),
            S_OK);
  SIZEL size{};
  EXPECT_EQ(object->GetExtent(DVASPECT_CONTENT, &size), S_OK);
  EXPECT_EQ(size.cx, 16000);
  object.Reset();
  EXPECT_EQ(Link(dir_.Path() + L"\\\x00fc" L"bersehen.emf"), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
}

// No built-in object and no server registered for the type: the platform's
// link fails and nothing is made.
TEST_F(BadInput, TypeNothingHandles) { EXPECT_TRUE(FAILED(Link(dir_.Write(L"data.xyz", {1, 2, 3})))); }

// Every refusal says why, from the factory through the holder's error: the
// document check's words for malformed content, the platform's code and text
// for everything else.
TEST_F(BadInput, RefusalsSayWhyThroughTheHolder) {
  auto emf = doctest::ReadSample(L"drawing.emf");
  emf.resize(emf.size() - 20);  // no end-of-file record, and a size the header does not state
  struct Case {
    std::wstring path;
    std::wstring reasonStart;
  } cases[] = {
      {dir_.Write(L"cut.emf", emf), L"refused: the header states a size the file does not have"},
      {dir_.Write(L"binary.txt", {'a', 0, 'b'}), L"refused: the file is not text"},
      {dir_.Write(L"empty.wmf", {}), L"refused: the file is empty"},
      {dir_.Path(L"absent.png"), L"0x80070002: "},
      {dir_.Write(L"noise.png", {1, 2, 3, 4}), L"0x"},
  };
  render::DocumentHolder holder(render::DocumentHolder::Host{});
  for (const Case& c : cases) {
    std::wstring reason;
    ComPtr<IOleObject> object;
    EXPECT_TRUE(FAILED(documents::CreateLinkToFile(c.path, nullptr, nullptr, &object, &reason)));
    EXPECT_EQ(reason.rfind(c.reasonStart, 0), 0u) << reason;
    try {
      holder.LinkDocument(c.path);
      ADD_FAILURE() << "linked " << c.path;
    } catch (const render::OleError& e) {
      EXPECT_EQ(e.Reason(), reason);
    }
    EXPECT_FALSE(holder.HasDocument());
  }
}
