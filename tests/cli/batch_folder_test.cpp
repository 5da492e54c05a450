// Several documents in one call, into a folder: one line per document, every
// picture that can be written is written, and the exit code says whether any
// failed.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/cli/batch_render.h"
#include "tests/cli/cli_fixtures.h"

using namespace cli;
using clitest::Batch;
using clitest::BatchRun;
using clitest::ScratchFolder;

namespace {

CliOptions Folder(std::vector<std::wstring> documents, const std::wstring& folder, core::PictureFormat format) {
  CliOptions o;
  o.documents = std::move(documents);
  o.outDir = folder;
  o.write.format = format;
  o.width = 200;
  return o;
}

}  // namespace

TEST(BatchFolder, EveryDocumentItsLineAndTheOthersStillWritten) {
  ScratchFolder dir;
  const std::wstring out = dir.MakeDir(L"out");
  const std::wstring broken = dir.Write(L"broken.emf", "not a metafile");
  const std::vector<std::wstring> documents = {clitest::SamplePath(L"drawing.emf"), broken,
                                               clitest::SamplePath(L"photo.png"), clitest::SamplePath(L"letter.txt")};
  const BatchRun r = Batch(Folder(documents, out, core::PictureFormat::kTiff));
  EXPECT_EQ(r.code, kExitFailed) << "one failed";
  ASSERT_EQ(r.lines.size(), 5u) << clitest::ToUtf8Line(r.text);
  EXPECT_EQ(r.lines[0], L"[1/4] " + documents[0] + L": written " + out + L"\\drawing.tif");
  EXPECT_EQ(r.lines[1], L"[2/4] " + broken + L": " + kImportFailedText);
  EXPECT_EQ(r.lines[2].rfind(L"refused: ", 0), 0u) << "why, on a line of its own";
  EXPECT_EQ(r.lines[3], L"[3/4] " + documents[2] + L": written " + out + L"\\photo.tif");
  EXPECT_EQ(r.lines[4], L"[4/4] " + documents[3] + L": written " + out + L"\\letter.tif");
  std::vector<std::wstring> written;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((out + L"\\*").c_str(), &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) written.push_back(fd.cFileName);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, (std::vector<std::wstring>{L"drawing.tif", L"letter.tif", L"photo.tif"}));
  EXPECT_EQ(clitest::ReadPictureInfo(out + L"\\drawing.tif").width, 200u);
}

// A folder that cannot take the pictures fails each document with the file
// and the reason, and the run exits with 1.
TEST(BatchFolder, AMissingFolderFailsEachDocument) {
  ScratchFolder dir;
  const std::wstring missing = dir.Path(L"nowhere");
  const BatchRun r = Batch(Folder({clitest::SamplePath(L"drawing.emf"), clitest::SamplePath(L"drawing.wmf")}, missing,
                                  core::PictureFormat::kJpeg));
  EXPECT_EQ(r.code, kExitFailed);
  ASSERT_EQ(r.lines.size(), 2u);
  for (const std::wstring& line : r.lines) {
    EXPECT_NE(line.find(L": Could not write the picture file \"" + missing + L"\\drawing.jpg\": "), std::wstring::npos)
        << clitest::ToUtf8Line(line);
  }
  EXPECT_TRUE(dir.Files().empty());
}

// Success is one line per document even when nobody watches: a batch says
// what it did.
TEST(BatchFolder, AllWrittenExitsWithZero) {
  ScratchFolder dir;
  const BatchRun r = Batch(Folder({clitest::SamplePath(L"photo.jpg")}, dir.Path(), core::PictureFormat::kBmp));
  EXPECT_EQ(r.code, kExitOk);
  EXPECT_EQ(r.lines, std::vector<std::wstring>{L"[1/1] " + clitest::SamplePath(L"photo.jpg") + L": written " +
                                               dir.Path(L"photo.bmp")});
  EXPECT_TRUE(clitest::ReadBmp(dir.Path(L"photo.bmp")).valid);
}
