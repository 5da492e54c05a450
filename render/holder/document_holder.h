// The document holder without its window: holds at most one OLE object with
// the in-memory storage behind it, links files, reports the extent, draws the
// document and the preview. The window it lives in is reached through Host.
#pragma once
#include <ole2.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>
#include <string>

namespace render {

class HolderSite;

class DocumentHolder {
 public:
  struct Host {
    std::function<void()> invalidate;    // repaint the holder
    std::function<SIZE()> clientSize;    // the holder's client area, pixels
    std::function<HWND()> window;        // for IOleInPlaceSite::GetWindow
    std::wstring applicationTitle;       // container application name for SetHostNames
    std::wstring caption;                // container object name
  };
  // Mirrors OleCreateLinkToFile(name, IID_IOleObject, OLERENDER_DRAW, no format,
  // site, storage, out).
  using LinkFactory =
      std::function<HRESULT(const std::wstring&, IOleClientSite*, IStorage*, IOleObject**)>;
  // The same, saying why it failed in the last argument (left empty when it has
  // nothing to add to the result code).
  using ExplainingLinkFactory =
      std::function<HRESULT(const std::wstring&, IOleClientSite*, IStorage*, IOleObject**, std::wstring*)>;

  // The default factory: built-in document objects, else the platform's links.
  explicit DocumentHolder(Host host, LinkFactory factory = {});
  DocumentHolder(Host host, ExplainingLinkFactory factory);
  ~DocumentHolder();
  DocumentHolder(const DocumentHolder&) = delete;
  DocumentHolder& operator=(const DocumentHolder&) = delete;

  // Releases the held document, then links the file. Throws OleError with the
  // failing call's result code and the factory's reason; the holder is then empty.
  void LinkDocument(const std::wstring& fileName);
  // The held document's pages: 1 for one that does not have several, 0 when empty.
  int32_t PageCount() const;
  // Shows page `index` (from 0) from now on. Throws OleError with the reason
  // when the document has no such page or the page cannot be read; the page
  // shown before stays.
  void ShowPage(int32_t index);
  // (width, height) in HIMETRIC; (0, 0) when empty or when the object says nothing.
  POINT GetDocumentExtent() const;
  // Draws the held document into the rectangle; nothing when empty.
  void DrawDocument(HDC dc, int left, int top, int width, int height) const;
  // The preview: background, the fitted document, the focus rectangle.
  void PaintPreview(HDC dc, SIZE client, COLORREF color, bool focused) const;
  // Disconnects and closes the object without saving, then drops it and its storage.
  void ReleaseDocument();

  bool HasDocument() const { return object_ != nullptr; }
  IOleObject* Object() const { return object_.Get(); }
  IStorage* Storage() const { return storage_.Get(); }
  SIZEL ViewSize() const { return viewSize_; }
  DWORD DataConnection() const { return dataConnection_; }
  bool ObjectOpen() const { return objectOpen_; }
  bool Modified() const { return modified_; }
  void SetModified(bool m) { modified_ = m; }

  // Called by the site on behalf of the object.
  HRESULT SaveObject();
  void OnShowWindow(bool show);
  void OnDataChange() { modified_ = true; }
  void OnViewChange(DWORD aspect);
  HWND Window() const { return host_.window ? host_.window() : nullptr; }

 private:
  void Connect();
  void RefreshViewSize();
  void Invalidate() const {
    if (host_.invalidate) host_.invalidate();
  }

  Host host_;
  ExplainingLinkFactory factory_;
  HolderSite* site_;  // owned through its own reference count
  Microsoft::WRL::ComPtr<IOleObject> object_;
  Microsoft::WRL::ComPtr<ILockBytes> lockBytes_;
  Microsoft::WRL::ComPtr<IStorage> storage_;
  DWORD drawAspect_ = DVASPECT_CONTENT;
  SIZEL viewSize_{0, 0};
  DWORD dataConnection_ = 0;
  bool objectOpen_ = false;
  bool modified_ = false;
};

}  // namespace render
