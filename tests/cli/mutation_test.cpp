// Damaged documents through the program itself: mutated copies of the sample
// PDF and SVG, and of real metafiles that other programs made, each rendered
// by verdalux.exe in a child process, must each end in a picture or in a
// message that says why, and never crash or hang.
//   VERDALUX_MUTATIONS=N          variants of each format (1000 when not set)
//   VERDALUX_MUTATION_SEED=S      another set of variants
// A variant that ends badly is kept in "mutation-faults" beside this program
// and named with its seed and index.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

#include "app/cli/error_output.h"
#include "core/byte_mutation.h"
#include "tests/cli/cli_fixtures.h"
#include "tests/cli/mutation_runner.h"

namespace {

// Documents per verdalux.exe process: one start for many renders.
constexpr uint64_t kBatch = 20;
// A render of a 160-pixel picture that has been silent this long is taken as hung.
constexpr DWORD kSilenceMs = 30000;

uint64_t EnvNumber(const wchar_t* name, uint64_t fallback) {
  wchar_t value[32];
  const DWORD n = GetEnvironmentVariableW(name, value, 32);
  if (n == 0 || n >= 32) return fallback;
  return std::wcstoull(value, nullptr, 10);
}

// Reasons that differ only in numbers count as one; the long message above
// every import failure's reason is shown short.
std::string Shape(const std::string& refusal) {
  const size_t reason = std::min(refusal.find(" | "), refusal.size());
  std::string s = refusal.substr(0, reason);
  if (s == cli::ToUtf8(cli::kImportFailedText)) s = "(could not import)";
  for (char c : refusal.substr(reason))
    if (c < '0' || c > '9')
      s += c;
    else if (s.back() != '#')
      s += '#';
  return s;
}

struct Format {
  std::string label;
  const wchar_t* name;  // of the variants: "pdf-17.pdf"
  const wchar_t* extension;
  std::vector<std::vector<uint8_t>> originals;  // variant i is made from original i modulo their number
  std::function<std::vector<uint8_t>(const std::vector<uint8_t>&, uint64_t seed, uint64_t index)> mutate;
};

struct Tally {
  uint64_t runs = 0, rendered = 0, refused = 0, faults = 0;
  std::map<std::string, uint64_t> reasons;
  double slowest = 0;
  std::wstring slowestName;
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

void Report(const Tally& t, double seconds) {
  std::printf("mutation run: %llu documents, %llu rendered, %llu refused, %llu faults, %.1f s in all\n",
              static_cast<unsigned long long>(t.runs), static_cast<unsigned long long>(t.rendered),
              static_cast<unsigned long long>(t.refused), static_cast<unsigned long long>(t.faults), seconds);
  std::printf("slowest: %s, %.2f s\n", Narrow(t.slowestName).c_str(), t.slowest);
  std::vector<std::pair<uint64_t, std::string>> top;
  for (const auto& [reason, n] : t.reasons) top.emplace_back(n, reason);
  std::sort(top.rbegin(), top.rend());
  std::printf("%zu distinct reasons; the most common:\n", top.size());
  for (size_t i = 0; i < top.size() && i < 40; ++i)
    std::printf("%6llu  %s\n", static_cast<unsigned long long>(top[i].first), top[i].second.c_str());
}


void RunMutations(const std::vector<Format>& formats) {
  const uint64_t count = EnvNumber(L"VERDALUX_MUTATIONS", 1000);
  const uint64_t seed = EnvNumber(L"VERDALUX_MUTATION_SEED", 20261209);
  const std::wstring keep = testsupport::ExeFolder() + L"mutation-faults";
  clitest::LetCrashesEndChildren();
  clitest::ScratchFolder dir;
  const clitest::MutationRunner runner(testsupport::ExeFolder() + L"verdalux.exe", dir.Path(), kSilenceMs);
  Tally tally;
  const auto start = std::chrono::steady_clock::now();
  for (const Format& format : formats) {
    const Tally before = tally;
    ASSERT_FALSE(format.originals.empty()) << format.label;
    for (uint64_t first = 0; first < count; first += kBatch) {
      std::vector<std::wstring> documents;
      for (uint64_t i = first; i < std::min(count, first + kBatch); ++i)
        documents.push_back(dir.Write(format.name + std::to_wstring(i) + format.extension,
                                      format.mutate(format.originals[i % format.originals.size()], seed, i)));
      const std::vector<clitest::DocumentResult> results = runner.RunBatch(documents);
      for (size_t k = 0; k < results.size(); ++k) {
        const clitest::DocumentResult& r = results[k];
        ++tally.runs;
        const std::wstring name = r.document.substr(r.document.find_last_of(L'\\') + 1);
        if (r.seconds > tally.slowest) tally.slowest = r.seconds, tally.slowestName = name;
        if (r.fault.empty() && r.rendered) ++tally.rendered;
        if (r.fault.empty() && !r.rendered) ++tally.refused, ++tally.reasons[Shape(r.refusal)];
        if (!r.fault.empty()) {
          ++tally.faults;
          CreateDirectoryW(keep.c_str(), nullptr);
          CopyFileW(r.document.c_str(), (keep + L"\\" + name).c_str(), FALSE);
          ADD_FAILURE() << Narrow(name) << " (variant " << first + k << " of " << format.label << ", seed " << seed
                        << "): " << r.fault << "\n  kept as " << Narrow(keep) << "\\" << Narrow(name);
        }
        DeleteFileW(r.document.c_str());
      }
    }
    std::printf("%s: %llu variants, %llu rendered, %llu refused\n", format.label.c_str(),
                static_cast<unsigned long long>(tally.runs - before.runs),
                static_cast<unsigned long long>(tally.rendered - before.rendered),
                static_cast<unsigned long long>(tally.refused - before.refused));
  }
  Report(tally, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  EXPECT_EQ(tally.runs, formats.size() * count);
}

Format PageFormat(const wchar_t* sample, const wchar_t* name, const wchar_t* extension,
                  const std::vector<std::string>& tokens, int maxEdits) {
  Format f{Narrow(sample), name, extension, {clitest::ReadFileBytes(clitest::SamplePath(sample))}, {}};
  f.mutate = [&tokens, maxEdits](const std::vector<uint8_t>& original, uint64_t seed, uint64_t i) {
    return core::MutatedVariant(original, tokens, seed, i, maxEdits);
  };
  return f;
}

// Real metafiles of the shared corpus as originals: those of at most 256 KB,
// but the ones damaged on purpose.
Format RealMetafiles(const char* folder, const wchar_t* name, const wchar_t* extension) {
  Format f{std::string("real ") + folder + " metafiles", name, extension, {}, {}};
  const std::filesystem::path dir = std::filesystem::path(VERDALUX_CORPUS_DIR) / folder;
  if (std::filesystem::is_directory(dir))
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      if (entry.path().filename().string().rfind("emf2svg_corrupt_", 0) == 0 || entry.file_size() > (256u << 10))
        continue;
      std::ifstream in(entry.path(), std::ios::binary);
      f.originals.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  f.mutate = [](const std::vector<uint8_t>& original, uint64_t seed, uint64_t i) {
    return core::MutatedBinaryVariant(original, seed, i);
  };
  return f;
}

}  // namespace

TEST(Mutation, DamagedPageDocumentsRenderOrSayWhy) {
  // XML refuses a whole file for one bad byte: fewer edits let more SVGs through to drawing.
  RunMutations({PageFormat(L"page.pdf", L"pdf-", L".pdf", core::PdfTokens(), 4),
                PageFormat(L"page.svg", L"svg-", L".svg", core::SvgTokens(), 2)});
}

TEST(Mutation, DamagedRealMetafilesRenderOrSayWhy) {
  if (!std::filesystem::is_directory(std::filesystem::path(VERDALUX_CORPUS_DIR) / "emf"))
    GTEST_SKIP() << "no corpus at " << VERDALUX_CORPUS_DIR;
  RunMutations({RealMetafiles("emf", L"emf-", L".emf"), RealMetafiles("wmf", L"wmf-", L".wmf")});
}

// Variants that once hung or crashed the program, made small, in "mutations"
// beside this program (from tests/cli/mutations). Each is a drawable page.
TEST(Mutation, FormerFaultsNowRender) {
  clitest::LetCrashesEndChildren();
  clitest::ScratchFolder dir;
  const clitest::MutationRunner runner(testsupport::ExeFolder() + L"verdalux.exe", dir.Path(), kSilenceMs);
  const std::wstring folder = testsupport::ExeFolder() + L"mutations\\";
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const HANDLE find = FindFirstFileW((folder + L"*.*").c_str(), &found);
  for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found))
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  ASSERT_FALSE(names.empty()) << "no regression cases in " << Narrow(folder);
  for (const std::wstring& name : names) {
    const std::wstring document = dir.Path(name);
    ASSERT_TRUE(CopyFileW((folder + name).c_str(), document.c_str(), FALSE));
    const clitest::DocumentResult r = runner.RunAlone(document);
    EXPECT_EQ(r.fault, "") << Narrow(name);
    EXPECT_TRUE(r.rendered) << Narrow(name) << ": " << r.refusal;
  }
}
