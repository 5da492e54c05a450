#include "render/documents/document_factory.h"

#include <wrl/client.h>

#include <cwctype>
#include <new>

#include "render/documents/document_object.h"
#include "render/documents/file_bytes.h"
#include "render/documents/image_content.h"
#include "render/documents/import_reason.h"
#include "render/documents/metafile_content.h"
#if VERDALUX_MUPDF
#include "render/documents/page_content.h"
#endif
#include "render/documents/text_content.h"

namespace documents {
namespace {

constexpr uint64_t kMaxFileBytes = 256ull << 20;
constexpr uint64_t kMaxTextBytes = 8ull << 20;

std::wstring Extension(const std::wstring& path) {
  const size_t dot = path.find_last_of(L'.');
  const size_t slash = path.find_last_of(L"\\/");
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return {};
  std::wstring ext = path.substr(dot + 1);
  for (wchar_t& c : ext) c = static_cast<wchar_t>(std::towlower(c));
  return ext;
}

// CreateDocumentObject without the words: `why` is set only for a refusal.
HRESULT MakeDocumentObject(const std::wstring& path, DocumentKind kind, IOleClientSite* site, IStorage* storage,
                           IOleObject** out, std::wstring& why) {
  if (!out) return E_POINTER;
  *out = nullptr;
  std::vector<uint8_t> bytes;
  const uint64_t limit = kind == DocumentKind::Text ? kMaxTextBytes : kMaxFileBytes;
  HRESULT hr = ReadWholeFile(path, limit, bytes);
  if (FAILED(hr)) return hr;
  std::unique_ptr<DocumentContent> content;
  if (FAILED(hr = ContentFromBytes(kind, bytes, content, &why))) return hr;
  // Not ComPtr::Attach: mingw-w64's takes an extra reference, unlike Microsoft's.
  Microsoft::WRL::ComPtr<DocumentObject> object;
  *object.ReleaseAndGetAddressOf() = new (std::nothrow) DocumentObject(path, std::move(content));
  if (!object) return E_OUTOFMEMORY;
  object->SetClientSite(site);
  if (storage && FAILED(hr = object->InitNew(storage))) return hr;
  *out = object.Detach();
  return S_OK;
}

}  // namespace

DocumentKind KindForPath(const std::wstring& path) {
  const std::wstring ext = Extension(path);
  if (ext == L"emf") return DocumentKind::Emf;
  if (ext == L"wmf") return DocumentKind::Wmf;
  if (ext == L"ico") return DocumentKind::Icon;
  if (ext == L"txt") return DocumentKind::Text;
#if VERDALUX_MUPDF
  if (ext == L"pdf") return DocumentKind::Pdf;
  if (ext == L"svg") return DocumentKind::Svg;
  if (ext == L"xps") return DocumentKind::Xps;
#endif
  for (const wchar_t* image : {L"bmp", L"png", L"jpg", L"jpeg", L"gif", L"tif", L"tiff"})
    if (ext == image) return DocumentKind::Image;
  return DocumentKind::None;
}

HRESULT ContentFromBytes(DocumentKind kind, const std::vector<uint8_t>& bytes,
                         std::unique_ptr<DocumentContent>& out, std::wstring* reason) {
  out.reset();
  if (bytes.empty()) {
    if (reason) *reason = Refusal("the file is empty");
    return kInvalidContent;
  }
  try {
    switch (kind) {
      case DocumentKind::Emf: return MetafileContent::FromEmf(bytes, out, reason);
      case DocumentKind::Wmf: return MetafileContent::FromWmf(bytes, out, reason);
      case DocumentKind::Image: return ImageContent::FromBytes(bytes, false, out);
      case DocumentKind::Icon: return ImageContent::FromBytes(bytes, true, out);
      case DocumentKind::Text: return TextContent::FromBytes(bytes, out, reason);
#if VERDALUX_MUPDF
      case DocumentKind::Pdf: return PageContent::FromBytes(bytes, PageFormat::Pdf, out, reason);
      case DocumentKind::Svg: return PageContent::FromBytes(bytes, PageFormat::Svg, out, reason);
      case DocumentKind::Xps: return PageContent::FromBytes(bytes, PageFormat::Xps, out, reason);
#else
      case DocumentKind::Pdf:
      case DocumentKind::Svg:
      case DocumentKind::Xps:
#endif
      case DocumentKind::None: break;
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return E_INVALIDARG;
}

HRESULT CreateDocumentObject(const std::wstring& path, DocumentKind kind, IOleClientSite* site,
                             IStorage* storage, IOleObject** out, std::wstring* reason) {
  std::wstring why;
  const HRESULT hr = MakeDocumentObject(path, kind, site, storage, out, why);
  if (FAILED(hr) && reason) *reason = why.empty() ? ResultText(hr) : why;
  return hr;
}

HRESULT CreateLinkToFile(const std::wstring& path, IOleClientSite* site, IStorage* storage,
                         IOleObject** out, std::wstring* reason) {
  const DocumentKind kind = KindForPath(path);
  if (kind != DocumentKind::None) return CreateDocumentObject(path, kind, site, storage, out, reason);
  const HRESULT hr = OleCreateLinkToFile(path.c_str(), IID_IOleObject, OLERENDER_DRAW, nullptr, site, storage,
                                         reinterpret_cast<void**>(out));
  if (FAILED(hr) && reason) *reason = ResultText(hr);
  return hr;
}

}  // namespace documents
