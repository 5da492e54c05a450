#include "output/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace output {
namespace {

// Bytes collected before each write to the file.
constexpr size_t kOutputBuffer = size_t{1} << 20;

}  // namespace

// libjpeg reports fatal errors through error_exit, which must not return: it
// jumps back to the method that called into libjpeg, which records why. No
// frame between the setjmp and the jump owns anything a destructor releases.
struct JpegWriter::Compressor {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  jpeg_destination_mgr destination{};
  std::jmp_buf jump;
  std::vector<uint8_t> buffer;
  TargetFile* file = nullptr;
  bool created = false;
  bool writeFailed = false;  // the file's own reason is recorded already

  static Compressor& Of(j_compress_ptr c) { return *static_cast<Compressor*>(c->client_data); }

  static void ErrorExit(j_common_ptr c) {
    Compressor& self = Of(reinterpret_cast<j_compress_ptr>(c));
    std::longjmp(self.jump, 1);
  }
  static void InitDestination(j_compress_ptr c) {
    Compressor& self = Of(c);
    self.destination.next_output_byte = self.buffer.data();
    self.destination.free_in_buffer = self.buffer.size();
  }
  static boolean EmptyBuffer(j_compress_ptr c) {
    // libjpeg's contract: the whole buffer is due, whatever free_in_buffer says.
    Compressor& self = Of(c);
    if (!self.file->Write(self.buffer.data(), self.buffer.size())) {
      self.writeFailed = true;
      std::longjmp(self.jump, 1);
    }
    InitDestination(c);
    return TRUE;
  }
  static void TermDestination(j_compress_ptr c) {
    Compressor& self = Of(c);
    const size_t used = self.buffer.size() - self.destination.free_in_buffer;
    if (used > 0 && !self.file->Write(self.buffer.data(), used)) {
      self.writeFailed = true;
      std::longjmp(self.jump, 1);
    }
  }

  // After a jump: the file's reason when a write failed, otherwise libjpeg's.
  bool Failed() {
    if (writeFailed) return false;
    char text[JMSG_LENGTH_MAX] = {};
    (*errors.format_message)(reinterpret_cast<j_common_ptr>(&cinfo), text);
    return file->Fail(L"the JPEG compressor stopped: " + std::wstring(text, text + std::char_traits<char>::length(text)));
  }

  ~Compressor() {
    if (created) jpeg_destroy_compress(&cinfo);
  }
};

JpegWriter::JpegWriter(const std::wstring& path, const core::WriteOptions& options)
    : PictureWriter(path), options_(options) {}

JpegWriter::~JpegWriter() = default;

bool JpegWriter::Begin(int32_t width, int32_t height) {
  if (const auto refusal = core::SizeRefusal(core::PictureFormat::kJpeg, width, height)) return file_.Refuse(*refusal);
  if (!file_.Open()) return false;
  width_ = width;
  rowsLeft_ = height;
  jpeg_ = std::make_unique<Compressor>();
  Compressor& j = *jpeg_;
  j.file = &file_;
  j.buffer.resize(kOutputBuffer);
  j.cinfo.err = jpeg_std_error(&j.errors);
  j.errors.error_exit = &Compressor::ErrorExit;
  j.cinfo.client_data = &j;
  if (setjmp(j.jump)) return j.Failed();
  jpeg_create_compress(&j.cinfo);
  j.created = true;
  j.destination.init_destination = &Compressor::InitDestination;
  j.destination.empty_output_buffer = &Compressor::EmptyBuffer;
  j.destination.term_destination = &Compressor::TermDestination;
  j.cinfo.dest = &j.destination;
  j.cinfo.image_width = static_cast<JDIMENSION>(width);
  j.cinfo.image_height = static_cast<JDIMENSION>(height);
  j.cinfo.input_components = 3;
  j.cinfo.in_color_space = JCS_EXT_BGR;  // the rows as GDI reads them back
  jpeg_set_defaults(&j.cinfo);
  jpeg_set_quality(&j.cinfo, options_.quality, TRUE);
  j.cinfo.write_JFIF_header = TRUE;
  j.cinfo.density_unit = 1;  // dots per inch
  j.cinfo.X_density = static_cast<UINT16>(options_.dpi);
  j.cinfo.Y_density = static_cast<UINT16>(options_.dpi);
  jpeg_start_compress(&j.cinfo, TRUE);
  return true;
}

core::BandLayout JpegWriter::Layout() const { return core::BandLayout{width_, 3 * int64_t{width_}, false, false}; }

bool JpegWriter::WriteBand(const uint8_t* band, int32_t rows) {
  if (!jpeg_ || !file_.Ok()) return false;
  if (rows <= 0 || rows > rowsLeft_) return file_.Fail(L"more rows than the picture has.");
  rowsLeft_ -= rows;
  Compressor& j = *jpeg_;
  if (setjmp(j.jump)) return j.Failed();
  const size_t stride = size_t(3) * size_t(width_);
  for (int32_t y = 0; y < rows; ++y) {
    JSAMPROW row = const_cast<JSAMPROW>(band + size_t(y) * stride);
    jpeg_write_scanlines(&j.cinfo, &row, 1);
  }
  return true;
}

bool JpegWriter::Finish() {
  if (!jpeg_ || !file_.Ok()) return false;
  if (rowsLeft_ != 0) return file_.Fail(L"the picture ended early.");
  Compressor& j = *jpeg_;
  if (setjmp(j.jump)) return j.Failed();
  jpeg_finish_compress(&j.cinfo);
  jpeg_.reset();
  return file_.Commit();
}

}  // namespace output
