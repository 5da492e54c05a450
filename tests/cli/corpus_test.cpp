// Metafiles that other programs made (../shared/corpus, read in place),
// through verdalux.exe as a user would run it: every one is drawn but those
// damaged on purpose, which may also be refused with a reason; none crashes
// or hangs; and each picture shows ink, but for the few listed here with why
// they come out blank.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "tests/cli/cli_fixtures.h"
#include "tests/cli/mutation_runner.h"

namespace {

// Drawn, but blank, and why; a file that starts to show ink must leave the list.
const std::map<std::string, std::string> kBlank = {
    {"lo_TestDrawStringTransparent.emf",
     "its only drawing is EMF+ text, and Wine's GDI+ refuses the record that makes its font"},
    {"poi_61294.emf", "its record chain breaks right after its first comment, where every player stops"},
};

}  // namespace

TEST(RealMetafiles, EveryOneIsDrawnAsItsPlayersDrawIt) {
  const std::filesystem::path corpus(VERDALUX_CORPUS_DIR);
  if (!std::filesystem::is_directory(corpus / "emf")) GTEST_SKIP() << "no corpus at " << corpus;
  std::vector<std::wstring> documents;
  for (const char* folder : {"emf", "wmf"})
    for (const auto& entry : std::filesystem::directory_iterator(corpus / folder)) {
      wchar_t full[MAX_PATH];
      GetFullPathNameW(entry.path().wstring().c_str(), MAX_PATH, full, nullptr);
      documents.push_back(full);
    }
  std::sort(documents.begin(), documents.end());
  clitest::LetCrashesEndChildren();
  clitest::ScratchFolder dir;
  const clitest::MutationRunner runner(testsupport::ExeFolder() + L"verdalux.exe", dir.Path(), 60000);
  std::vector<clitest::DocumentResult> results;
  for (size_t first = 0; first < documents.size(); first += 20) {
    const std::vector<std::wstring> batch(documents.begin() + first,
                                          documents.begin() + std::min(documents.size(), first + 20));
    for (clitest::DocumentResult& r : runner.RunBatch(batch)) results.push_back(std::move(r));
  }
  ASSERT_EQ(results.size(), documents.size());
  size_t drawn = 0;
  for (const clitest::DocumentResult& r : results) {
    const std::filesystem::path path(r.document);
    const std::string name = path.filename().string();
    const bool corrupt = name.rfind("emf2svg_corrupt_", 0) == 0;
    EXPECT_EQ(r.fault, "") << name;
    EXPECT_TRUE(r.rendered || corrupt) << name << ": " << r.refusal;
    drawn += r.rendered;
    const auto blank = kBlank.find(name);
    if (blank == kBlank.end()) {
      EXPECT_TRUE(!r.rendered || r.inked > 0) << name << " is drawn blank";
    } else {
      EXPECT_EQ(r.inked, 0) << name << " now shows ink: take it off the list";
    }
    std::printf("[ corpus   ] %-40s %s", name.c_str(), r.rendered ? "drawn" : "refused");
    if (r.rendered) std::printf(", %5.1f%% inked", 100 * r.inked);
    if (!r.rendered) std::printf(": %s", r.refusal.c_str());
    if (blank != kBlank.end()) std::printf(" (blank: %s)", blank->second.c_str());
    std::printf("\n");
  }
  std::printf("[ corpus   ] %zu of %zu metafiles drawn\n", drawn, results.size());
}
