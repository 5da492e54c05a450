// Why a file could not become a document, in words for whoever started the
// program from a command line: the validator's refusal or the platform's
// result code with its system text.
#pragma once
#include <windows.h>

#include <string>

namespace documents {

// "refused: " and the check's own words, e.g. "refused: record 12 of type
// EMR_BITBLT (76) overruns the file".
std::wstring Refusal(const std::string& why);

// "0x80070002: The system cannot find the file specified." (just the code when
// the system has no text for it).
std::wstring ResultText(HRESULT hr);

}  // namespace documents
