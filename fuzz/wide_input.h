// Fuzz input bytes as UTF-16 text, so short byte strings reach ASCII as well as
// every other code unit: a byte below 0xF0 is the code unit of the same value;
// 0xF0..0xFF starts an escape whose next two bytes form the code unit (high
// byte first). A cut-off escape ends the text.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzinput {

inline std::wstring WideFromBytes(const uint8_t* data, size_t size) {
  std::wstring text;
  text.reserve(size);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] < 0xF0) {
      text.push_back(static_cast<wchar_t>(data[i]));
    } else {
      if (i + 2 >= size) break;
      text.push_back(static_cast<wchar_t>(data[i + 1] << 8 | data[i + 2]));
      i += 2;
    }
  }
  return text;
}

}  // namespace fuzzinput
