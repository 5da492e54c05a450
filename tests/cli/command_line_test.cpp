// The command line as the program runs it: in this process with standard
// error caught in a pipe, and as verdalux.exe when that has been built.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/cli/batch_render.h"
#include "app/cli/command_line.h"
#include "core/emf_records.h"
#include "tests/cli/cli_fixtures.h"
#include "tests/support/child_process.h"
#include "toolkit/handles.h"

using clitest::ScratchFolder;

namespace {

// Reads everything written to a pipe until its write end is closed.
std::string Drain(HANDLE read) {
  std::string text;
  char buf[4096];
  DWORD n = 0;
  while (ReadFile(read, buf, sizeof buf, &n, nullptr) && n > 0) text.append(buf, n);
  return text;
}

struct Outcome {
  int code = -1;
  bool handled = false;
  std::string err;  // UTF-8, as written
};

// RunCommandLine with this process's standard error pointing into a pipe.
Outcome RunHere(std::vector<std::wstring> args) {
  args.insert(args.begin(), L"verdalux.exe");
  std::vector<wchar_t*> argv;
  for (auto& a : args) argv.push_back(a.data());
  HANDLE r = nullptr, w = nullptr;
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  CreatePipe(&r, &w, &sa, 1 << 20);  // large enough that writing never blocks
  tk::KernelHandle read(r), write(w);
  const HANDLE previous = GetStdHandle(STD_ERROR_HANDLE);
  SetStdHandle(STD_ERROR_HANDLE, write.get());
  Outcome o;
  o.code = cli::RunCommandLine(int(argv.size()), argv.data(), o.handled);
  SetStdHandle(STD_ERROR_HANDLE, previous);
  write.reset();
  o.err = Drain(read.get());
  return o;
}

std::wstring BinFolder() {
  wchar_t exe[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring dir(exe, n);
  return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

// verdalux.exe run as a child with its standard error in a pipe; -1 when it
// did not end within the time (it is then ended).
Outcome RunProcess(const std::wstring& commandLine) {
  const testsupport::ChildRun run =
      testsupport::RunChild(BinFolder() + L"verdalux.exe", commandLine, BinFolder(), 60000);
  Outcome o;
  o.err = run.output;
  o.handled = run.ended;
  o.code = run.ended ? int(run.code) : -1;
  return o;
}

}  // namespace

TEST(CommandLine, WindowArgumentsAreLeftToTheWindow) {
  const Outcome none = RunHere({});
  EXPECT_FALSE(none.handled);
  const Outcome file = RunHere({L"C:\\letter.txt"});
  EXPECT_FALSE(file.handled);
  EXPECT_EQ(file.err, "");
}

TEST(CommandLine, BadArgumentsPrintTheReasonAndUsageAsUtf8) {
  const Outcome o = RunHere({L"--render", L"d.emf", L"--out", L"p.bmp", L"--gr\u00f6\u00dfe", L"5"});
  EXPECT_TRUE(o.handled);
  EXPECT_EQ(o.code, cli::kExitUsage);
  EXPECT_NE(o.err.find("Unknown option: --gr\xc3\xb6\xc3\x9f" "e"), std::string::npos) << o.err;
  EXPECT_NE(o.err.find("Usage: verdalux.exe --render DOCUMENT"), std::string::npos);
  const Outcome help = RunHere({L"--help"});
  EXPECT_EQ(help.code, cli::kExitOk);
  EXPECT_EQ(help.err.rfind("Usage:", 0), 0u);
}

TEST(CommandLine, RendersAndReportsFailuresOnStandardError) {
  ScratchFolder dir;
  const std::wstring out = dir.Path(L"p.bmp");
  Outcome o = RunHere({L"--render", clitest::SamplePath(L"drawing.emf"), L"--out", out, L"--width", L"321",
                       L"--border", L"1,2,3,4", L"--border-color", L"#00ff00"});
  EXPECT_EQ(o.code, cli::kExitOk) << o.err;
  EXPECT_EQ(o.err, "");
  const clitest::BmpFile f = clitest::ReadBmp(out);
  ASSERT_TRUE(f.valid);
  EXPECT_EQ(f.info.biWidth, 104 * 321 / 100);
  EXPECT_EQ(f.Pixel(0, 0)[1], 0xFF);  // green frame
  EXPECT_EQ(f.Pixel(0, 0)[0], 0x00);

  dir.Write(L"odd.xyz", "?");
  o = RunHere({L"--render", dir.Path(L"odd.xyz"), L"--out", dir.Path(L"q.bmp")});
  EXPECT_EQ(o.code, cli::kExitFailed);
  EXPECT_EQ(o.err.rfind(clitest::ToUtf8Line(cli::kImportFailedText) + "0x", 0), 0u) << o.err;
  EXPECT_FALSE(clitest::FileExists(dir.Path(L"q.bmp")));
}

// Under the window's message, the reason it cannot show: a missing file and a
// corrupt metafile fail for different reasons, and each says which.
TEST(CommandLine, ImportFailuresPrintTheirReasonUnderTheMessage) {
  ScratchFolder dir;
  std::vector<uint8_t> emf = clitest::ReadFileBytes(clitest::SamplePath(L"drawing.emf"));
  ASSERT_GT(emf.size(), 200u);
  // The bitmap record's pixels said to lie 4 GB on, past its end.
  size_t at = emf[4] | emf[5] << 8, index = 2;
  for (; emf[at] != EMR_STRETCHDIBITS; ++index) at += emf[at + 4] | emf[at + 5] << 8 | emf[at + 6] << 16;
  const uint32_t type = emf[at];
  emf[at + 56 + 3] = 0xFF;  // offBitsSrc
  dir.Write(L"corrupt.emf", std::string(emf.begin(), emf.end()));
  const Outcome missing = RunHere({L"--render", dir.Path(L"missing.emf"), L"--out", dir.Path(L"a.bmp")});
  const Outcome corrupt = RunHere({L"--render", dir.Path(L"corrupt.emf"), L"--out", dir.Path(L"b.bmp")});
  const std::string message = clitest::ToUtf8Line(cli::kImportFailedText);
  EXPECT_EQ(missing.code, cli::kExitFailed);
  EXPECT_EQ(corrupt.code, cli::kExitFailed);
  // The file-not-found code with the system's words for it, whatever they are here.
  EXPECT_EQ(missing.err.rfind(message + "0x80070002: ", 0), 0u) << missing.err;
  EXPECT_GT(missing.err.size(), message.size() + 13);
  EXPECT_EQ(missing.err.back(), '\n');
  const std::string record = "refused: record " + std::to_string(index) + " of type " +
                             std::string(core::EmfRecordName(type)) + " (" + std::to_string(type) +
                             ") has its bitmap bits outside the record\n";
  EXPECT_EQ(corrupt.err, message + record);
  EXPECT_NE(missing.err, corrupt.err);
  EXPECT_TRUE(dir.Files() == std::vector<std::wstring>{L"corrupt.emf"});
}

#if VERDALUX_MUPDF
// Page documents through the command line: the sample PDF and SVG, 400 x 300
// points, drawn at 800 x 600 pixels; a broken PDF's reason under the message.
TEST(CommandLine, PageDocumentsRenderAndBrokenOnesSayWhy) {
  ScratchFolder dir;
  for (const wchar_t* sample : {L"page.pdf", L"page.svg"}) {
    const std::wstring out = dir.Path(L"page.bmp");
    const Outcome o = RunHere({L"--render", clitest::SamplePath(sample), L"--out", out, L"--width", L"800",
                               L"--height", L"600"});
    EXPECT_EQ(o.code, cli::kExitOk) << o.err;
    const clitest::BmpFile f = clitest::ReadBmp(out);
    ASSERT_TRUE(f.valid);
    EXPECT_EQ(f.info.biWidth, 800);
    EXPECT_EQ(f.info.biHeight, 600);
    auto rgb = [&](int x, int y) {
      const uint8_t* p = f.Pixel(x, y);
      return RGB(p[2], p[1], p[0]);
    };
    EXPECT_EQ(rgb(200, 160), RGB(255, 0, 0));    // the red rectangle
    EXPECT_EQ(rgb(560, 180), RGB(0, 0, 255));    // the blue circle
    EXPECT_EQ(rgb(200, 460), RGB(0, 153, 51));   // the green triangle
    EXPECT_EQ(rgb(455, 355), RGB(255, 220, 0));  // the image's top-left square
    EXPECT_EQ(rgb(760, 560), RGB(255, 255, 255));
  }
  dir.Write(L"broken.pdf", "%PDF-1.7\n1 0 obj <<");
  const Outcome o = RunHere({L"--render", dir.Path(L"broken.pdf"), L"--out", dir.Path(L"b.bmp")});
  EXPECT_EQ(o.code, cli::kExitFailed);
  EXPECT_EQ(o.err.rfind(clitest::ToUtf8Line(cli::kImportFailedText) + "refused: ", 0), 0u) << o.err;
  EXPECT_FALSE(clitest::FileExists(dir.Path(L"b.bmp")));
}
#endif

TEST(CommandLine, AsTheProgramItself) {
  if (GetFileAttributesW((BinFolder() + L"verdalux.exe").c_str()) == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "verdalux.exe is not built in this folder";
  ScratchFolder dir;
  const std::wstring out = dir.Path(L"child.bmp");
  Outcome o = RunProcess(L"--render \"" + clitest::SamplePath(L"drawing.wmf") + L"\" --out \"" + out +
                         L"\" --height 300");
  ASSERT_TRUE(o.handled) << "verdalux.exe did not end: does it run the command line?";
  EXPECT_EQ(o.code, cli::kExitOk) << o.err;
  const clitest::BmpFile f = clitest::ReadBmp(out);
  ASSERT_TRUE(f.valid);
  EXPECT_EQ(f.info.biHeight, 300);

  o = RunProcess(L"--render \"" + dir.Path(L"none.xyz") + L"\" --out \"" + dir.Path(L"x.bmp") + L"\"");
  EXPECT_EQ(o.code, cli::kExitFailed);
  EXPECT_EQ(o.err.rfind(clitest::ToUtf8Line(cli::kImportFailedText) + "0x", 0), 0u) << o.err;
  dir.Write(L"empty.emf", "");
  o = RunProcess(L"--render \"" + dir.Path(L"empty.emf") + L"\" --out \"" + dir.Path(L"x.bmp") + L"\"");
  EXPECT_EQ(o.code, cli::kExitFailed);
  EXPECT_EQ(o.err, clitest::ToUtf8Line(cli::kImportFailedText) + "refused: the file is empty\n");
  o = RunProcess(L"--render");
  EXPECT_EQ(o.code, cli::kExitUsage);
  EXPECT_NE(o.err.find("Usage:"), std::string::npos);
  EXPECT_FALSE(clitest::FileExists(dir.Path(L"x.bmp")));
  o = RunProcess(L"--help");
  EXPECT_EQ(o.code, cli::kExitOk);
  EXPECT_NE(o.err.find("--out-dir FOLDER"), std::string::npos);

  // Two documents into a folder, one of them missing: the other is written,
  // each has its line, and the exit code is 1.
  o = RunProcess(L"--render \"" + clitest::SamplePath(L"drawing.emf") + L"\" \"" + dir.Path(L"gone.wmf") +
                 L"\" --out-dir \"" + dir.Path() + L"\" --format jpg --width 100");
  EXPECT_EQ(o.code, cli::kExitFailed);
  EXPECT_NE(o.err.find("[1/2] "), std::string::npos) << o.err;
  EXPECT_NE(o.err.find(": written "), std::string::npos);
  EXPECT_NE(o.err.find("[2/2] "), std::string::npos);
  EXPECT_EQ(clitest::ReadPictureInfo(dir.Path(L"drawing.jpg")).width, 100u);
  EXPECT_FALSE(clitest::FileExists(dir.Path(L"gone.jpg")));
}

// A picture larger than the memory left streams strip by strip into its file,
// where the window's render, which holds the whole picture, refuses it with
// the memory message. (The raster library is told that little memory is left;
// the runs in the report show 30000 x 30000 from the 32-bit program.)
TEST(CommandLine, APictureLargerThanTheMemoryLeftIsStreamed) {
  ScratchFolder dir;
  MEMORYSTATUSEX ms{};
  ms.dwLength = sizeof ms;
  ASSERT_TRUE(GlobalMemoryStatusEx(&ms));
  // The library keeps max(256 MB, an eighth of the memory) in reserve; leave
  // 64 MB beyond that: room for strips of 6 MB, not for a picture of 72 MB.
  const int64_t reserve = std::max<int64_t>(int64_t{256} << 20, int64_t(ms.ullTotalPhys / 8));
  struct PretendMemory {
    explicit PretendMemory(int64_t bytes) { PictrixPretendAvailableMemory(bytes); }
    ~PretendMemory() { PictrixPretendAvailableMemory(-1); }
  } pretend(reserve + (int64_t{64} << 20));

  render::RenderSettings s;
  s.width = 4000;
  s.height = 6000;
  std::vector<std::wstring> messages;
  tk::MemoryDC reference(CreateCompatibleDC(nullptr));
  render::RenderContext c;
  c.referenceDC = reference.get();
  c.message = [&messages](const std::wstring& text, const std::wstring&, UINT) { messages.push_back(text); };
  EXPECT_FALSE(render::StripRenderer(c).Render(s)) << "the window's render needs the whole picture";
  EXPECT_EQ(messages, std::vector<std::wstring>{render::kTargetFailedText});

  const std::wstring out = dir.Path(L"big.png");
  const Outcome o = RunHere({L"--render", clitest::SamplePath(L"drawing.wmf"), L"--out", out, L"--width", L"4000",
                             L"--height", L"6000"});
  EXPECT_EQ(o.code, cli::kExitOk) << o.err;
  EXPECT_EQ(o.err, "");
  const clitest::PictureInfo info = clitest::ReadPictureInfo(out);
  ASSERT_TRUE(info.ok);
  EXPECT_EQ(info.width, 4000u);
  EXPECT_EQ(info.height, 6000u);
}

// Wrong values of the new options end with the usage and exit code 2, before
// any document is read; the same document twice in one call too.
TEST(CommandLine, BadOptionValuesAreUsageErrors) {
  ScratchFolder dir;
  const std::wstring doc = clitest::SamplePath(L"drawing.emf");
  const std::vector<std::vector<std::wstring>> bad = {
      {L"--render", doc, L"--out", dir.Path(L"p.png"), L"--dpi", L"-3"},
      {L"--render", doc, L"--out", dir.Path(L"p.png"), L"--dpi", L"100000"},
      {L"--render", doc, L"--out", dir.Path(L"p.jpg"), L"--quality", L"0"},
      {L"--render", doc, L"--out", dir.Path(L"p.jpg"), L"--quality", L"101"},
      {L"--render", doc, L"--out", dir.Path(L"p.gif")},
      {L"--render", doc, doc, L"--out-dir", dir.Path()},
  };
  for (const auto& args : bad) {
    const Outcome o = RunHere(args);
    EXPECT_EQ(o.code, cli::kExitUsage) << o.err;
    EXPECT_NE(o.err.find("Usage: verdalux.exe"), std::string::npos);
  }
  EXPECT_TRUE(dir.Files().empty());
}
