// The COM object behind every built-in document: a passive, never-activated
// link to a file that reports its extent and draws itself. It offers what a
// container calls on an OLE link: IOleObject, IViewObject2, IDataObject (advise
// connections only) and IPersistStorage (the file name as link data).
#pragma once
#include <ole2.h>
#include <wrl/client.h>

#include <memory>
#include <string>

#include "render/documents/document_content.h"
#include "render/documents/document_pages.h"

namespace documents {

// {6B1C4E1A-3D52-4F7E-9A0B-5E2C7D8F1A01}: class of the built-in document objects.
inline constexpr CLSID kDocumentClsid = {
    0x6b1c4e1a, 0x3d52, 0x4f7e, {0x9a, 0x0b, 0x5e, 0x2c, 0x7d, 0x8f, 0x1a, 0x01}};

class DocumentObject final : public IOleObject,
                             public IViewObject2,
                             public IDataObject,
                             public IPersistStorage,
                             public IDocumentPages {
 public:
  DocumentObject(std::wstring path, std::unique_ptr<DocumentContent> content);
  DocumentObject(const DocumentObject&) = delete;
  DocumentObject& operator=(const DocumentObject&) = delete;

  // Objects alive in this process, so tests can prove nothing leaks.
  static long LiveCount();

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR app, LPCOLESTR obj) override;
  STDMETHODIMP Close(DWORD saveOption) override;
  STDMETHODIMP SetMoniker(DWORD which, IMoniker* mk) override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** mk) override;
  STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
  STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
  STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                      LPCRECT pos) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
  STDMETHODIMP Update() override;
  STDMETHODIMP IsUpToDate() override;
  STDMETHODIMP GetUserClassID(CLSID* clsid) override;
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
  STDMETHODIMP Unadvise(DWORD connection) override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** e) override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE* pal) override;

  // IViewObject2
  STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* td, HDC targetDev,
                    HDC draw, LPCRECTL bounds, LPCRECTL wBounds,
                    BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR), ULONG_PTR contArg) override;
  STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* td,
                           HDC targetDev, LOGPALETTE** colors) override;
  STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
  STDMETHODIMP Unfreeze(DWORD freeze) override;
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
  STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* td, LPSIZEL size) override;

  // IDataObject: no data formats of its own, only the advise connections.
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP QueryGetData(FORMATETC* format) override;
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** e) override;
  STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
  STDMETHODIMP DUnadvise(DWORD connection) override;
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA** e) override;

  // IPersistStorage
  STDMETHODIMP GetClassID(CLSID* clsid) override;
  STDMETHODIMP IsDirty() override;
  STDMETHODIMP InitNew(IStorage* storage) override;
  STDMETHODIMP Load(IStorage* storage) override;
  STDMETHODIMP Save(IStorage* storage, BOOL sameAsLoad) override;
  STDMETHODIMP SaveCompleted(IStorage* storage) override;
  STDMETHODIMP HandsOffStorage() override;

  // IDocumentPages
  STDMETHODIMP GetPageCount(LONG* count) override;
  STDMETHODIMP ShowPage(LONG index, LPOLESTR* reason) override;

 private:
  ~DocumentObject();

  LONG refs_ = 1;
  std::wstring path_;
  std::unique_ptr<DocumentContent> content_;
  Microsoft::WRL::ComPtr<IOleClientSite> site_;
  Microsoft::WRL::ComPtr<IOleAdviseHolder> oleAdvise_;
  Microsoft::WRL::ComPtr<IDataAdviseHolder> dataAdvise_;
  Microsoft::WRL::ComPtr<IAdviseSink> viewSink_;
  DWORD viewAspects_ = 0;
  DWORD viewFlags_ = 0;
  Microsoft::WRL::ComPtr<IStorage> storage_;
};

}  // namespace documents
