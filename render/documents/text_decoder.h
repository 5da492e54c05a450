// Turns the bytes of a plain-text file into UTF-16.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace documents {

// UTF-8 with or without a byte-order mark, UTF-16 (either byte order) with one,
// otherwise the ANSI code page. Returns nothing for data that is not text: an
// empty file, a NUL character, or an unpaired surrogate in UTF-16.
std::optional<std::wstring> DecodeText(const std::vector<uint8_t>& bytes);

}  // namespace documents
