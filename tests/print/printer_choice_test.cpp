// A chosen printer: the private queue found as the default with a sane page,
// and the names and settings a printer dialog hands over, copied and given
// back as global blocks, with malformed blocks refused.
#include "toolkit/printer_choice.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/print/print_fixtures.h"

namespace {

// A movable global block holding exactly these bytes.
tk::GlobalMemory Block(const void* data, size_t size) {
  tk::GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, size));
  void* p = memory ? ::GlobalLock(memory.get()) : nullptr;
  if (!p) return {};
  std::memcpy(p, data, size);
  ::GlobalUnlock(memory.get());
  return memory;
}

std::vector<BYTE> Bytes(HGLOBAL h) {
  std::vector<BYTE> bytes(::GlobalSize(h));
  if (const void* p = ::GlobalLock(h)) {
    std::memcpy(bytes.data(), p, bytes.size());
    ::GlobalUnlock(h);
  }
  return bytes;
}

// A DEVNAMES block as a printer dialog lays it out: four offsets, counted in
// characters from the block's start, then the names, each ending in a zero.
std::vector<wchar_t> DevNames(const std::wstring& driver, const std::wstring& device, const std::wstring& port) {
  std::vector<wchar_t> block(sizeof(DEVNAMES) / sizeof(wchar_t), L'\0');
  DEVNAMES dn{};
  for (auto [name, offset] : {std::pair{&driver, &dn.wDriverOffset}, {&device, &dn.wDeviceOffset},
                              {&port, &dn.wOutputOffset}}) {
    *offset = static_cast<WORD>(block.size());
    block.insert(block.end(), name->begin(), name->end());
    block.push_back(L'\0');
  }
  std::memcpy(block.data(), &dn, sizeof dn);
  return block;
}

// A DEVMODE with driverExtra bytes of the driver's own after it.
std::vector<BYTE> DevMode(WORD driverExtra) {
  std::vector<BYTE> block(sizeof(DEVMODEW) + driverExtra);
  DEVMODEW dm{};
  dm.dmSize = sizeof dm;
  dm.dmDriverExtra = driverExtra;
  dm.dmFields = DM_ORIENTATION | DM_COPIES;
  dm.dmOrientation = DMORIENT_LANDSCAPE;
  dm.dmCopies = 3;
  std::wcscpy(dm.dmDeviceName, L"Office laser");
  std::memcpy(block.data(), &dm, sizeof dm);
  for (size_t i = sizeof dm; i < block.size(); ++i) block[i] = static_cast<BYTE>(i * 7);
  return block;
}

}  // namespace

TEST(PrinterChoice, TheDefaultIsThePrivateQueueWithALetterPage) {
  std::string why;
  const std::optional<tk::PrinterChoice> printer = printtest::PrivatePrinter(&why);
  ASSERT_TRUE(printer) << why;
  EXPECT_EQ(printer->Device(), printtest::kQueue);
  EXPECT_FALSE(printer->Driver().empty());
  ASSERT_NE(printer->DevMode(), nullptr);
  EXPECT_STREQ(printer->DevMode()->dmDeviceName, printtest::kQueue);

  const std::optional<tk::PrinterPage> page = printer->Page();
  ASSERT_TRUE(page);
  // The private queue's page is US Letter (8.5 x 11 inches), pinned by its
  // scheduler's configuration, at the PostScript driver's 300 dpi.
  EXPECT_EQ(page->dpiX, 300);
  EXPECT_EQ(page->dpiY, 300);
  EXPECT_EQ(page->pageWidth, 2550);
  EXPECT_EQ(page->pageHeight, 3300);
  EXPECT_GT(page->printableWidth, page->pageWidth / 2);
  EXPECT_GT(page->printableHeight, page->pageHeight / 2);
  EXPECT_GE(page->offsetX, 0);
  EXPECT_GE(page->offsetY, 0);
  EXPECT_LE(page->offsetX + page->printableWidth, page->pageWidth);
  EXPECT_LE(page->offsetY + page->printableHeight, page->pageHeight);

  // The printer DC the job is drawn on has the same printable area.
  const tk::MemoryDC dc = printer->CreatePrinterDC();
  ASSERT_TRUE(dc);
  EXPECT_EQ(::GetDeviceCaps(dc.get(), HORZRES), page->printableWidth);
  EXPECT_EQ(::GetDeviceCaps(dc.get(), VERTRES), page->printableHeight);
}

// What a dialog returned survives the copies there and back: the names, and
// the DEVMODE with the driver's own bytes after it.
TEST(PrinterChoice, HandlesRoundTrip) {
  const std::vector<wchar_t> names = DevNames(L"winspool", L"Office laser", L"LPT1:");
  const std::vector<BYTE> mode = DevMode(40);
  const tk::GlobalMemory namesBlock = Block(names.data(), names.size() * sizeof(wchar_t));
  const tk::GlobalMemory modeBlock = Block(mode.data(), mode.size());

  const std::optional<tk::PrinterChoice> first = tk::PrinterChoice::FromHandles(namesBlock.get(), modeBlock.get());
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Driver(), L"winspool");
  EXPECT_EQ(first->Device(), L"Office laser");
  EXPECT_EQ(first->Port(), L"LPT1:");
  ASSERT_NE(first->DevMode(), nullptr);
  EXPECT_EQ(first->DevMode()->dmCopies, 3);

  const tk::GlobalMemory namesAgain = first->NewDevNamesHandle();
  const tk::GlobalMemory modeAgain = first->NewDevModeHandle();
  ASSERT_TRUE(namesAgain);
  ASSERT_TRUE(modeAgain);
  EXPECT_EQ(Bytes(modeAgain.get()), mode);
  const std::optional<tk::PrinterChoice> second = tk::PrinterChoice::FromHandles(namesAgain.get(), modeAgain.get());
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Driver(), first->Driver());
  EXPECT_EQ(second->Device(), first->Device());
  EXPECT_EQ(second->Port(), first->Port());

  // Without settings the printer's defaults apply, and there is no block to give.
  const std::optional<tk::PrinterChoice> plain = tk::PrinterChoice::FromHandles(namesBlock.get(), nullptr);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->DevMode(), nullptr);
  EXPECT_FALSE(plain->NewDevModeHandle());
}

TEST(PrinterChoice, MalformedNamesAreRefused) {
  const std::vector<wchar_t> good = DevNames(L"winspool", L"Office laser", L"LPT1:");
  const auto offsets = [](std::vector<wchar_t> block, WORD driver, WORD device, WORD port) {
    DEVNAMES dn{driver, device, port, 0};
    std::memcpy(block.data(), &dn, sizeof dn);
    return block;
  };
  const WORD units = static_cast<WORD>(good.size());
  struct Case {
    const char* name;
    std::vector<wchar_t> block;
  } const cases[] = {
      {"driver offset past the block", offsets(good, 500, 13, 26)},
      {"device offset at the block's end", offsets(good, 4, units, 26)},
      {"port offset past the block", offsets(good, 4, 13, 0xFFFF)},
      // The last name runs to the end of the block without its zero.
      {"port not terminated", std::vector<wchar_t>(good.begin(), good.end() - 1)},
      {"empty device name", DevNames(L"winspool", L"", L"LPT1:")},
      {"shorter than the offsets", std::vector<wchar_t>(good.begin(), good.begin() + 3)},
  };
  // The good block's layout, which the cases above change one thing of.
  ASSERT_TRUE(tk::PrinterChoice::FromHandles(Block(good.data(), good.size() * 2).get(), nullptr));
  ASSERT_EQ(good[4], L'w');
  ASSERT_EQ(good[13], L'O');
  ASSERT_EQ(good[26], L'L');
  for (const Case& c : cases) {
    const tk::GlobalMemory block = Block(c.block.data(), c.block.size() * sizeof(wchar_t));
    EXPECT_FALSE(tk::PrinterChoice::FromHandles(block.get(), nullptr)) << c.name;
  }
  EXPECT_FALSE(tk::PrinterChoice::FromHandles(nullptr, nullptr));
}

// Settings that do not fit their block, or are too short to name their
// fields, are dropped; the printer stays chosen
// and its defaults apply.
TEST(PrinterChoice, DevModeShorterThanItClaimsIsDropped) {
  const std::vector<wchar_t> names = DevNames(L"winspool", L"Office laser", L"LPT1:");
  const tk::GlobalMemory namesBlock = Block(names.data(), names.size() * sizeof(wchar_t));
  const std::vector<BYTE> full = DevMode(40);
  struct Case {
    const char* name;
    size_t bytes;
    bool kept;
  } const cases[] = {
      {"whole", full.size(), true},
      {"driver's bytes cut short", full.size() - 1, false},
      {"no driver's bytes", sizeof(DEVMODEW), false},
      {"structure cut short", sizeof(DEVMODEW) - 20, false},
      {"only the device name", 64, false},
  };
  for (const Case& c : cases) {
    const tk::GlobalMemory mode = Block(full.data(), c.bytes);
    const std::optional<tk::PrinterChoice> choice = tk::PrinterChoice::FromHandles(namesBlock.get(), mode.get());
    ASSERT_TRUE(choice) << c.name;
    EXPECT_EQ(choice->Device(), L"Office laser") << c.name;
    EXPECT_EQ(choice->DevMode() != nullptr, c.kept) << c.name;
    if (c.kept) {
      EXPECT_EQ(Bytes(choice->NewDevModeHandle().get()), full) << c.name;
    }
  }
  // An older, shorter layout that says so is kept as it is; one too short to
  // hold its field mask is not.
  for (auto [size, kept] : {std::pair{offsetof(DEVMODEW, dmICMMethod), true},
                            std::pair{offsetof(DEVMODEW, dmFields), false}}) {
    std::vector<BYTE> older(full.begin(), full.begin() + size);
    auto* dm = reinterpret_cast<DEVMODEW*>(older.data());
    if (size >= offsetof(DEVMODEW, dmDriverExtra) + sizeof(WORD)) {
      dm->dmSize = static_cast<WORD>(size);
      dm->dmDriverExtra = 0;
    }
    const tk::GlobalMemory mode = Block(older.data(), older.size());
    const std::optional<tk::PrinterChoice> choice = tk::PrinterChoice::FromHandles(namesBlock.get(), mode.get());
    ASSERT_TRUE(choice) << size;
    EXPECT_EQ(choice->DevMode() != nullptr, kept) << size;
    if (kept) {
      EXPECT_EQ(Bytes(choice->NewDevModeHandle().get()), older) << size;
    }
  }
}
