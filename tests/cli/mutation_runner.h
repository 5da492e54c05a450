// verdalux.exe run on many documents, each ending judged the way a user sees
// it: a picture that was written, or a message (with its reason) and no file.
// Anything else is a fault: another exit code (a crash), no end (a hang), a
// picture missing or left behind, a failure that does not say why.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace clitest {

struct DocumentResult {
  std::wstring document;
  bool rendered = false;
  std::string refusal;  // the lines printed for a failed render, joined by " | "
  std::string fault;    // empty when the render ended in an allowed way
  double seconds = 0;   // in a batch, from the previous document's line to its own
  double inked = -1;    // the share of the picture's pixels that are not white (-1: no picture read)
};

// Renders documents into PNG pictures 160 pixels wide in `outDir`, deleting
// each picture once it has been checked. A batch goes to one process with
// --out-dir; when that process does not end cleanly, the documents it did not
// report on are rendered again one per process, so every result is a
// document's own. A process is ended after `silenceMs` without output.
class MutationRunner {
 public:
  MutationRunner(std::wstring exe, std::wstring outDir, DWORD silenceMs);
  std::vector<DocumentResult> RunBatch(const std::vector<std::wstring>& documents) const;
  DocumentResult RunAlone(const std::wstring& document) const;

 private:
  std::wstring Picture(const std::wstring& document) const;
  // Checks what is on disk for one document's reported ending.
  void Judge(DocumentResult& r, bool written, const std::vector<std::string>& lines) const;

  std::wstring exe_, outDir_;
  DWORD silenceMs_;
};

// A crash is to end the child with its exception code, not to wait for
// someone to close a crash dialog (Windows' or Wine's debugger's).
void LetCrashesEndChildren();

}  // namespace clitest
