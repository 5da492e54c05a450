// Colour texts: whatever the text, reading it never fails badly, and every
// colour read back from its own text form is the same colour.
//   TextToColor(t) = c       =>  TextToColor(ColorToText(c)) = c, also upper-cased
//   HtmlToColor(t) = c       =>  c within 0..0xFFFFFF and HtmlToColor(RgbToHtml(c)) = c
//   any 32-bit value v       =>  TextToColor(ColorToText(v)) = v
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/color_text.h"
#include "core/le_bytes.h"
#include "fuzz/wide_input.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = fuzzinput::WideFromBytes(data, size);

  if (const auto c = core::TextToColor(text)) {
    const std::wstring form = core::ColorToText(*c);
    Check(core::TextToColor(form) == c);
    Check(core::TextToColor(core::UpperAscii(form)) == c);
  }

  if (const auto c = core::HtmlToColor(text)) {
    Check(*c >= 0 && *c <= 0xFFFFFF);
    const std::wstring html = core::RgbToHtml(static_cast<uint32_t>(*c));
    Check(html.size() == 7 && html[0] == L'#');
    Check(core::HtmlToColor(html) == c);
    Check(core::HtmlToColor(core::UpperAscii(text)) == c);
  }

  const core::ByteReader bytes(data, size);
  const auto v = static_cast<core::TColor>(bytes.U32(0));
  Check(core::TextToColor(core::ColorToText(v)) == v);
  if (!core::IsSystemColor(v)) Check(core::RgbToHtml(static_cast<uint32_t>(v)).size() >= 7);

  const std::wstring upper = core::UpperAscii(text);
  Check(upper.size() == text.size());
  for (size_t i = 0; i < text.size(); ++i)
    Check(upper[i] == text[i] || (text[i] >= L'a' && text[i] <= L'z' && upper[i] == text[i] - 32));
  return 0;
}
