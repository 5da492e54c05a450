// Turns the bytes of a plain-text file into UTF-16, with this machine's ANSI
// code page for text that is not Unicode.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace documents {

// core::DecodeText with the ANSI code page of the platform; see there.
std::optional<std::wstring> DecodeText(const std::vector<uint8_t>& bytes);

}  // namespace documents
