#include "tests/render/holder_fixtures.h"

#include "render/documents/document_factory.h"

using Microsoft::WRL::ComPtr;

namespace holdertest {
namespace {

std::string Narrow(const std::wstring& w) {
  std::string s;
  for (wchar_t c : w.substr(w.find_last_of(L'\\') + 1)) s.push_back(c < 128 ? char(c) : '?');
  return s;
}

class ClosingSink final : public IAdviseSink {
 public:
  ClosingSink(LinkLog& log, std::string name) : log_(log), name_(std::move(name)) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IAdviseSink) {
      *ppv = static_cast<IAdviseSink*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
  }
  STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override {}
  STDMETHODIMP_(void) OnViewChange(DWORD, LONG) override {}
  STDMETHODIMP_(void) OnRename(IMoniker*) override {}
  STDMETHODIMP_(void) OnSave() override {}
  STDMETHODIMP_(void) OnClose() override { log_.events.push_back("close " + name_); }

 private:
  ULONG refs_ = 1;
  LinkLog& log_;
  std::string name_;
};

}  // namespace

render::DocumentHolder::LinkFactory LoggingFactory(LinkLog& log) {
  return [&log](const std::wstring& file, IOleClientSite* site, IStorage* storage, IOleObject** out) {
    const std::string name = Narrow(file);
    const HRESULT hr = documents::CreateLinkToFile(file, site, storage, out);
    if (FAILED(hr)) {
      log.events.push_back("failed " + name);
      return hr;
    }
    log.events.push_back("create " + name);
    log.objects.emplace_back(*out);
    ComPtr<IAdviseSink> sink;
    *sink.ReleaseAndGetAddressOf() = new ClosingSink(log, name);
    DWORD connection = 0;
    (*out)->Advise(sink.Get(), &connection);
    return hr;
  };
}

render::DocumentHolder::Host TestHost::Make() {
  render::DocumentHolder::Host host;
  host.invalidate = [this] { ++invalidations; };
  host.clientSize = [this] { return client; };
  host.applicationTitle = L"Verdalux";
  host.caption = L"MyOleContainer1";
  return host;
}

ULONG OtherReferences(IUnknown* obj) {
  obj->AddRef();
  return obj->Release() - 1;
}

}  // namespace holdertest
