// Every way a writer can fail leaves no file, no temporary file and an older
// picture of that name as it was, and says which file failed and why.
#include <gtest/gtest.h>

#include "output/bmp_writer.h"
#include "output/write_picture.h"
#include "tests/output/output_fixtures.h"

using namespace outputtest;
using core::PictureFormat;

namespace {

std::wstring Name(PictureFormat f) { return L"picture" + core::FormatExtension(f); }

}  // namespace

// The disk fills at the first byte, inside the header, and halfway through
// the file: the write fails with the system's words for a full disk.
TEST(WriterFailures, FullDiskLeavesTheOlderFileAndNoTrace) {
  Scratch dir;
  TestPicture picture(300, 1200);
  for (PictureFormat format : kAllFormats) {
    ASSERT_TRUE(WriteWith(format, dir.Path(Name(format)), picture.Rows()));
    const int64_t whole = int64_t(testsupport::ReadBytes(dir.Path(Name(format))).size());
    for (int64_t failAt : {int64_t{0}, int64_t{10}, int64_t{60}, whole / 2, whole - 1}) {
      SCOPED_TRACE(Narrow(Name(format)) + " full at " + std::to_string(failAt));
      dir.Write(Name(format), "the older picture");
      std::wstring error;
      EXPECT_FALSE(WriteWith(format, dir.Path(Name(format)), picture.Rows(), 96, &error, failAt));
      EXPECT_EQ(error.rfind(L"Could not write the picture file \"" + dir.Path(Name(format)) + L"\": ", 0), 0u)
          << Narrow(error);
      EXPECT_GT(error.size(), dir.Path(Name(format)).size() + 40) << "and why";
      EXPECT_EQ(testsupport::ReadBytes(dir.Path(Name(format))), "the older picture");
      EXPECT_EQ(dir.Files(), std::vector<std::wstring>{Name(format)});
    }
    DeleteFileW(dir.Path(Name(format)).c_str());
  }
}

// Targets that cannot be written fail before any row is taken: a missing
// folder, a folder of that name, a name the file system refuses, a read-only
// file, a folder name alone.
TEST(WriterFailures, TargetsThatCannotBeWrittenFailAtTheStart) {
  Scratch dir;
  dir.MakeDir(L"taken.png");
  const std::wstring readOnly = dir.Write(L"locked.bmp", "keep");
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  const struct {
    std::wstring path;
    const wchar_t* why;  // part of the reason, when it is the program's own words
  } cases[] = {
      {dir.Path(L"missing\\p.bmp"), nullptr},
      {dir.Path(L"taken.png"), L"a folder has that name."},
      {dir.Path(L"bad?name.tif"), nullptr},
      {readOnly, nullptr},
      {dir.Path(L"") , L"not a file name."},
  };
  for (PictureFormat format : kAllFormats) {
    for (const auto& c : cases) {
      SCOPED_TRACE(Narrow(c.path) + " as " + Narrow(core::FormatTitle(format)));
      core::WriteOptions o;
      o.format = format;
      auto writer = output::MakePictureWriter(c.path, o);
      EXPECT_FALSE(writer->Begin(10, 10));
      EXPECT_EQ(writer->Error().rfind(L"Could not write the picture file \"", 0), 0u) << Narrow(writer->Error());
      if (c.why) {
        EXPECT_NE(writer->Error().find(c.why), std::wstring::npos) << Narrow(writer->Error());
      }
    }
  }
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(testsupport::ReadBytes(readOnly), "keep");
  EXPECT_EQ(dir.Files(), std::vector<std::wstring>{L"locked.bmp"});
}

// The name is taken by a folder while the file is written: the rename at the
// end fails, and the temporary file goes.
TEST(WriterFailures, ATargetTakenDuringTheWriteLeavesNoTrace) {
  Scratch dir;
  TestPicture picture(20, 20);
  for (PictureFormat format : kAllFormats) {
    auto writer = output::MakePictureWriter(dir.Path(Name(format)), core::WriteOptions{format, 96, 90});
    ASSERT_TRUE(writer->Begin(20, 20));
    const core::BandLayout layout = writer->Layout();
    std::vector<uint8_t> band(size_t(core::BandBytes(layout, 20)));
    core::ComposeRows(core::DrawnRows{picture.Rows().bits, picture.Rows().stride, 20, 20}, 0, {}, layout, band.data());
    ASSERT_TRUE(writer->WriteBand(band.data(), 20));
    dir.MakeDir(Name(format));
    EXPECT_FALSE(writer->Finish());
    EXPECT_NE(writer->Error().find(dir.Path(Name(format))), std::wstring::npos) << Narrow(writer->Error());
    writer.reset();
    EXPECT_TRUE(dir.Files().empty()) << Narrow(core::FormatTitle(format));
    RemoveDirectoryW(dir.Path(Name(format)).c_str());
  }
}

// Pictures the format cannot hold are refused with a message of their own
// before any file exists.
TEST(WriterFailures, PicturesTooLargeForTheFormat) {
  Scratch dir;
  const struct {
    PictureFormat format;
    int32_t width, height;
    const wchar_t* message;
  } cases[] = {
      {PictureFormat::kBmp, 60000, 60000, core::kTooLargeForBmpText},
      {PictureFormat::kBmp, 54000, 30000, core::kTooLargeForBmpText},  // 4.86 GB, 0.57 GB in 32 bits
      {PictureFormat::kJpeg, 65501, 1, core::kTooLargeForJpegText},
      {PictureFormat::kJpeg, 10, 330000, core::kTooLargeForJpegText},
  };
  for (const auto& c : cases) {
    auto writer = output::MakePictureWriter(dir.Path(L"big" + core::FormatExtension(c.format)),
                                            core::WriteOptions{c.format, 96, 90});
    EXPECT_FALSE(writer->Begin(c.width, c.height));
    EXPECT_EQ(writer->Error(), c.message);
  }
  EXPECT_TRUE(dir.Files().empty());
}

// More rows than the picture has, or fewer, is refused rather than written.
TEST(WriterFailures, RowsMustMatchThePicture) {
  Scratch dir;
  std::vector<uint8_t> band(3 * 4 * 8, 0x7F);
  for (PictureFormat format : kAllFormats) {
    auto writer = output::MakePictureWriter(dir.Path(Name(format)), core::WriteOptions{format, 96, 90});
    ASSERT_TRUE(writer->Begin(4, 3));
    EXPECT_FALSE(writer->WriteBand(band.data(), 4));
    auto early = output::MakePictureWriter(dir.Path(L"early" + core::FormatExtension(format)),
                                           core::WriteOptions{format, 96, 90});
    ASSERT_TRUE(early->Begin(4, 3));
    ASSERT_TRUE(early->WriteBand(band.data(), 2));
    EXPECT_FALSE(early->Finish());
  }
  EXPECT_TRUE(dir.Files().empty());
}
