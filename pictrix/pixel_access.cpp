#include "pictrix/pixel_access.h"

#include <cstring>

namespace pictrix {
namespace {

uint8_t* At(const PixelView& v, int32_t x, int32_t y, int64_t byteInRow) {
  if (!v.bits || x < 0 || y < 0 || x >= v.width || y >= v.height) return nullptr;
  return v.bits + int64_t{y} * v.stride + byteInRow;
}

}  // namespace

int32_t ReadPixel(const PixelView& v, int32_t x, int32_t y) {
  const int64_t bitOffset = int64_t{x} * v.bitsPerPixel;
  const uint8_t* p = At(v, x, y, bitOffset / 8);
  if (!p) return 0;
  switch (v.bitsPerPixel) {
    case 1: return (*p >> (7 - x % 8)) & 1;
    case 4: return x % 2 == 0 ? *p >> 4 : *p & 15;
    case 8: return *p;
    case 16: return p[0] | p[1] << 8;
    case 24: return p[0] | p[1] << 8 | p[2] << 16;
    case 32: {
      int32_t value;
      std::memcpy(&value, p, 4);
      return value;
    }
    default: return 0;
  }
}

void WritePixel(const PixelView& v, int32_t x, int32_t y, int32_t value) {
  const int64_t bitOffset = int64_t{x} * v.bitsPerPixel;
  uint8_t* p = At(v, x, y, bitOffset / 8);
  if (!p) return;
  switch (v.bitsPerPixel) {
    case 1: {
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
      *p = static_cast<uint8_t>((value & 1) ? (*p | bit) : (*p & ~bit));
      break;
    }
    case 4:
      if (x % 2 == 0) *p = static_cast<uint8_t>((*p & 0x0F) | (value & 15) << 4);
      else *p = static_cast<uint8_t>((*p & 0xF0) | (value & 15));
      break;
    case 8: *p = static_cast<uint8_t>(value); break;
    case 16:
      p[0] = static_cast<uint8_t>(value);
      p[1] = static_cast<uint8_t>(value >> 8);
      break;
    case 24:
      p[0] = static_cast<uint8_t>(value);
      p[1] = static_cast<uint8_t>(value >> 8);
      p[2] = static_cast<uint8_t>(value >> 16);
      break;
    case 32: std::memcpy(p, &value, 4); break;
    default: break;
  }
}

}  // namespace pictrix
