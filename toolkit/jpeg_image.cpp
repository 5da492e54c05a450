#include "toolkit/jpeg_image.h"

#include <csetjmp>
#include <cstdio>
#include <new>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace tk {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return; it
// jumps back to the decoder here. Nothing between setjmp and the jump owns a
// resource that a destructor would release.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void IgnoreMessage(j_common_ptr, int) {}

// Adobe's CMYK JPEGs store the inks inverted.
uint32_t FromInvertedCmyk(const uint8_t* p) {
  const uint32_t k = p[3];
  const uint32_t r = p[0] * k / 255, g = p[1] * k / 255, b = p[2] * k / 255;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// Where the decoder puts the rows; allocation may fail without throwing
// through libjpeg's frames.
struct RowSink {
  std::vector<uint32_t>* pixels;
  bool Allocate(uint64_t count) {
    try {
      pixels->assign(static_cast<size_t>(count), 0);
      return true;
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
};

enum class Outcome { ok, refused, tooLarge, noMemory };

Outcome DecodeRows(const uint8_t* data, size_t size, uint64_t maxPixels, RowSink& sink, uint32_t& width,
                   uint32_t& height, char* message) {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.emit_message = IgnoreMessage;
  err.message[0] = '\0';
  if (setjmp(err.jump)) {
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
    jpeg_destroy_decompress(&cinfo);
    return Outcome::refused;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_start_decompress(&cinfo);
  width = cinfo.output_width;
  height = cinfo.output_height;
  const uint64_t count = uint64_t(width) * height;
  if (count == 0 || count > maxPixels) {
    jpeg_destroy_decompress(&cinfo);
    return Outcome::tooLarge;
  }
  if (!sink.Allocate(count)) {
    jpeg_destroy_decompress(&cinfo);
    return Outcome::noMemory;
  }
  uint32_t* out = sink.pixels->data();
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(out + uint64_t(cinfo.output_scanline) * width);
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  for (uint64_t i = 0; i < count; ++i) {
    if (cmyk)
      out[i] = FromInvertedCmyk(reinterpret_cast<const uint8_t*>(out + i));
    else
      out[i] |= 0xFF000000u;
  }
  return Outcome::ok;
}

}  // namespace

bool TJpegImage::LooksLikeJpeg(const uint8_t* data, size_t size) {
  return data && size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

HRESULT TJpegImage::Decode(const uint8_t* data, size_t size, uint64_t maxPixels, DecodedImage& out) {
  error_.clear();
  if (!LooksLikeJpeg(data, size) || size > 0xFFFFFFFFu) {
    error_ = "not a JPEG stream";
    return kNoPicture;
  }
  std::vector<uint32_t> pixels;
  RowSink sink{&pixels};
  uint32_t w = 0, h = 0;
  char message[JMSG_LENGTH_MAX] = {};
  switch (DecodeRows(data, size, maxPixels, sink, w, h, message)) {
    case Outcome::refused:
      error_ = message;
      return kNoPicture;
    case Outcome::tooLarge:
      return w == 0 || h == 0 ? kNoPicture : E_OUTOFMEMORY;
    case Outcome::noMemory:
      return E_OUTOFMEMORY;
    case Outcome::ok:
      break;
  }
  out.width = w;
  out.height = h;
  out.dpiX = out.dpiY = 0;
  out.pixels = std::move(pixels);
  return S_OK;
}

}  // namespace tk
