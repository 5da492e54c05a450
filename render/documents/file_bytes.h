// Reads a whole file into memory with the platform's failure code on error.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace documents {

// Reads at most maxBytes; a larger file fails with E_OUTOFMEMORY, a folder or a
// missing file with the code CreateFileW gave.
HRESULT ReadWholeFile(const std::wstring& path, uint64_t maxBytes, std::vector<uint8_t>& out);

}  // namespace documents
