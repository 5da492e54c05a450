// Turns the bytes of a plain-text file into UTF-16 code units.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace core {

// Decodes bytes of the machine's ANSI code page; nothing when it cannot.
using CodePageDecoder = std::function<std::optional<std::wstring>(const uint8_t* data, size_t size)>;

// Strict UTF-8: nothing for a malformed sequence, an overlong form, an encoded
// surrogate or a code point above U+10FFFF. No bytes gives an empty text.
std::optional<std::wstring> DecodeUtf8(const uint8_t* data, size_t size);

// UTF-8 with or without a byte-order mark, UTF-16 (either byte order) with one,
// otherwise the ANSI code page through `ansi` (no ANSI fallback when it is
// empty). Returns nothing for data that is not text: an empty file, a NUL
// character, malformed UTF-8 after a UTF-8 byte-order mark, an odd UTF-16
// length or an unpaired surrogate in UTF-16.
std::optional<std::wstring> DecodeText(const uint8_t* data, size_t size, const CodePageDecoder& ansi);

}  // namespace core
