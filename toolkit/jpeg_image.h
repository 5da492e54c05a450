// JPEG pictures decoded with the IJG libjpeg library (libjpeg-turbo's
// implementation of its API): baseline and progressive, grey, colour and CMYK.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/wic_decode.h"

namespace tk {

class TJpegImage {
 public:
  // True when the bytes begin like a JPEG stream (start-of-image marker).
  static bool LooksLikeJpeg(const uint8_t* data, size_t size);

  // Decodes the whole picture into opaque 32-bit pixels. Fails with kNoPicture
  // for data libjpeg refuses (ErrorText() says why) and E_OUTOFMEMORY above
  // maxPixels pixels or when memory runs out.
  HRESULT Decode(const uint8_t* data, size_t size, uint64_t maxPixels, DecodedImage& out);

  const std::string& ErrorText() const { return error_; }

 private:
  std::string error_;
};

}  // namespace tk
