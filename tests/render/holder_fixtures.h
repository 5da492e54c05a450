// Helpers of the holder tests: a holder with a recording host, a link factory
// that logs creation and closing of every object it makes.
#pragma once
#include <ole2.h>
#include <wrl/client.h>

#include <memory>
#include <string>
#include <vector>

#include "render/holder/document_holder.h"
#include "tests/render/documents_fixtures.h"

namespace holdertest {

struct LinkLog {
  std::vector<std::string> events;  // "create NAME", "failed NAME", "close NAME"
  std::vector<Microsoft::WRL::ComPtr<IOleObject>> objects;  // every object made
};

// The default factory, logging. Each object made gets an advise sink that logs
// its OnClose.
render::DocumentHolder::LinkFactory LoggingFactory(LinkLog& log);

struct TestHost {
  int invalidations = 0;
  SIZE client{200, 150};
  render::DocumentHolder::Host Make();
};

// References held on obj besides the caller's one.
ULONG OtherReferences(IUnknown* obj);

}  // namespace holdertest
