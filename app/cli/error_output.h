// Text for whoever started the program from a command line. The program is a
// GUI-subsystem executable, so it has a standard error handle only when one was
// inherited (a redirect, a pipe); otherwise it borrows the parent's console.
#pragma once
#include <string>

namespace cli {

// Writes the text to standard error: UTF-8 into a file or pipe, UTF-16 into a
// console. Silent when there is nowhere to write.
void WriteToStandardError(const std::wstring& text);

// True when standard error is a console a person watches (not a file or pipe).
bool StandardErrorIsTerminal();

// UTF-16 to UTF-8, lone surrogates replaced.
std::string ToUtf8(const std::wstring& text);

}  // namespace cli
