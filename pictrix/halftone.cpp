#include "pictrix/halftone.h"

#include <algorithm>
#include <vector>

namespace pictrix {
namespace {

constexpr int kStep = 255 / (kCubeLevels - 1);  // 51

constexpr uint8_t kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};

// True when a value `rem` of `span` above the lower neighbour rounds up at
// threshold t: over the 64 thresholds a fraction rem/span of them do.
inline bool Up(int rem, int span, int t) { return rem * 128 > (2 * t + 1) * span; }

struct GrayStep {
  uint8_t lo, hi;      // palette indices of the neighbouring grays
  uint8_t loV, hiV;    // their levels
};

struct Tables {
  std::array<RGBQUAD, 256> palette{};
  std::array<GrayStep, 256> gray{};
  Tables() {
    for (int r = 0; r < kCubeLevels; ++r)
      for (int g = 0; g < kCubeLevels; ++g)
        for (int b = 0; b < kCubeLevels; ++b) {
          RGBQUAD& q = palette[r * 36 + g * 6 + b];
          q.rgbRed = static_cast<BYTE>(r * kStep);
          q.rgbGreen = static_cast<BYTE>(g * kStep);
          q.rgbBlue = static_cast<BYTE>(b * kStep);
        }
    // Extra grays fill the gaps between the cube's six grays evenly.
    std::vector<std::pair<int, int>> grays;  // level, index
    for (int k = 0; k < kCubeLevels; ++k) grays.push_back({k * kStep, k * 43});  // cube diagonal
    for (int k = 0; k < kExtraGrays; ++k) {
      const int level = (k / 8) * kStep + (k % 8 + 1) * kStep / 9;
      const int index = kCubeSize + k;
      palette[index].rgbRed = palette[index].rgbGreen = palette[index].rgbBlue = static_cast<BYTE>(level);
      grays.push_back({level, index});
    }
    std::sort(grays.begin(), grays.end());
    for (int v = 0; v < 256; ++v) {
      size_t i = 0;
      while (i + 1 < grays.size() && grays[i + 1].first <= v) ++i;
      const size_t j = std::min(i + 1, grays.size() - 1);
      gray[v] = {static_cast<uint8_t>(grays[i].second), static_cast<uint8_t>(grays[j].second),
                 static_cast<uint8_t>(grays[i].first), static_cast<uint8_t>(grays[j].first)};
    }
  }
};

const Tables& T() {
  static const Tables t;
  return t;
}

inline int CubeLevel(uint8_t v, int t) {
  const int q = v / kStep;
  const int rem = v - q * kStep;
  return std::min(kCubeLevels - 1, q + (Up(rem, kStep, t) ? 1 : 0));
}

}  // namespace

const std::array<RGBQUAD, 256>& HalftoneTable() { return T().palette; }

uint8_t HalftoneIndex(uint8_t r, uint8_t g, uint8_t b, int64_t x, int64_t y) {
  const int t = kBayer[y & 7][x & 7];
  if (r == g && g == b) {
    const GrayStep& s = T().gray[r];
    if (s.hiV == s.loV) return s.lo;
    return Up(r - s.loV, s.hiV - s.loV, t) ? s.hi : s.lo;
  }
  return static_cast<uint8_t>(CubeLevel(r, t) * 36 + CubeLevel(g, t) * 6 + CubeLevel(b, t));
}

void HalftoneRow(const uint8_t* bgr, int64_t width, int64_t y, uint8_t* indices) {
  for (int64_t x = 0; x < width; ++x, bgr += 3) indices[x] = HalftoneIndex(bgr[2], bgr[1], bgr[0], x, y);
}

}  // namespace pictrix
