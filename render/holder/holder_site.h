// The holder's side of the conversation with its object: client site, advise
// sink, and the in-place and document sites that a passive viewer refuses.
#pragma once
#include <docobj.h>
#include <ole2.h>

namespace render {

class DocumentHolder;

class HolderSite final : public IOleClientSite,
                         public IAdviseSink,
                         public IOleInPlaceSite,
                         public IOleDocumentSite {
 public:
  explicit HolderSite(DocumentHolder* holder) : holder_(holder) {}
  HolderSite(const HolderSite&) = delete;
  HolderSite& operator=(const HolderSite&) = delete;
  // The holder is going away; objects that still hold the site get refusals.
  void Detach() { holder_ = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleClientSite
  STDMETHODIMP SaveObject() override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** mk) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override;
  STDMETHODIMP OnShowWindow(BOOL show) override;
  STDMETHODIMP RequestNewObjectLayout() override;

  // IAdviseSink
  STDMETHODIMP_(void) OnDataChange(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP_(void) OnViewChange(DWORD aspect, LONG index) override;
  STDMETHODIMP_(void) OnRename(IMoniker*) override {}
  STDMETHODIMP_(void) OnSave() override {}
  STDMETHODIMP_(void) OnClose() override {}

  // IOleWindow, IOleInPlaceSite
  STDMETHODIMP GetWindow(HWND* hwnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP CanInPlaceActivate() override { return S_FALSE; }
  STDMETHODIMP OnInPlaceActivate() override { return E_UNEXPECTED; }
  STDMETHODIMP OnUIActivate() override { return E_UNEXPECTED; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleDocumentSite: activation is manual only, and never happens.
  STDMETHODIMP ActivateMe(IOleDocumentView*) override { return E_NOTIMPL; }

 private:
  ~HolderSite() = default;
  LONG refs_ = 1;
  DocumentHolder* holder_;
};

}  // namespace render
