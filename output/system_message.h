// The system's words for an error code, for messages the user reads.
#pragma once
#include <windows.h>

#include <string>

namespace output {

// The system's text for a Win32 error code or an HRESULT, without the trailing
// line break; "error 0x..." when the system has no text for it.
std::wstring SystemMessage(DWORD code);

}  // namespace output
