// Chooses how a file becomes an OLE object: a built-in document object for the
// types Verdalux draws itself, the platform's OLE link for everything else.
#pragma once
#include <ole2.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/documents/document_content.h"

namespace documents {

// Pdf, Svg and Xps only in a build with MuPDF.
enum class DocumentKind { None, Emf, Wmf, Image, Icon, Text, Pdf, Svg, Xps };

// By the file name's extension, case-insensitively.
DocumentKind KindForPath(const std::wstring& path);

// Builds the content of a built-in kind from the file's bytes. Content that is
// structurally not what its kind promises fails with kInvalidContent and the
// check's refusal in `reason` (when given); other failures leave it empty.
HRESULT ContentFromBytes(DocumentKind kind, const std::vector<uint8_t>& bytes,
                         std::unique_ptr<DocumentContent>& out, std::wstring* reason = nullptr);

// Reads the file and makes a built-in document object for it, with the client
// site set and the link data initialised in storage (when given). The result
// code is the platform's: CreateFileW's for a missing file or a folder,
// WIC's for undecodable images, ERROR_INVALID_DATA for malformed content.
// On failure `reason` (when given) says why: the refusal, or the result code
// with its system text.
HRESULT CreateDocumentObject(const std::wstring& path, DocumentKind kind, IOleClientSite* site,
                             IStorage* storage, IOleObject** out, std::wstring* reason = nullptr);

// What the holder calls to link a file: a built-in object when its kind is one,
// otherwise OleCreateLinkToFile(path, IID_IOleObject, OLERENDER_DRAW, no format,
// site, storage). On failure `reason` (when given) says why, as above.
HRESULT CreateLinkToFile(const std::wstring& path, IOleClientSite* site, IStorage* storage,
                         IOleObject** out, std::wstring* reason = nullptr);

}  // namespace documents
