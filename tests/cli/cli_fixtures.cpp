#include "tests/cli/cli_fixtures.h"

#include <cstring>

namespace clitest {


std::string ToUtf8Line(const std::wstring& text) {
  const std::wstring line = text + L"\n";
  const int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), nullptr, 0, nullptr, nullptr);
  std::string s(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), s.data(), n, nullptr, nullptr);
  return s;
}


const uint8_t* BmpFile::Pixel(int x, int yFromTop) const {
  const size_t stride = (size_t(info.biWidth) * 3 + 3) / 4 * 4;
  return pixels.data() + size_t(info.biHeight - 1 - yFromTop) * stride + 3 * size_t(x);
}

BmpFile ReadBmp(const std::wstring& path) {
  BmpFile b;
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  if (bytes.size() < sizeof b.file + sizeof b.info) return b;
  std::memcpy(&b.file, bytes.data(), sizeof b.file);
  std::memcpy(&b.info, bytes.data() + sizeof b.file, sizeof b.info);
  if (b.file.bfOffBits > bytes.size()) return b;
  b.pixels.assign(bytes.begin() + b.file.bfOffBits, bytes.end());
  b.valid = true;
  return b;
}

}  // namespace clitest
