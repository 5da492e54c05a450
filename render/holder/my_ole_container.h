// MyOleContainer1's control: a passive OLE document viewer on the "Open file"
// page. It holds at most one linked document, previews it fitted and centred,
// reports its extent and draws it into any rectangle for the renderer.
#pragma once
#include <string>

#include "render/holder/document_holder.h"
#include "toolkit/customcontrol.h"

namespace render {

class TMyOleContainer : public tk::TCustomControl {
 public:
  // With the page's settings: aligned to fill its panel, no border, the window
  // colour, a tab stop, caption "MyOleContainer1". Activation is manual only
  // and there is no verb menu: nothing the user does activates the object.
  explicit TMyOleContainer(tk::TWinControl* parent, const std::wstring& applicationTitle = L"Verdalux",
                           DocumentHolder::LinkFactory factory = {});
  ~TMyOleContainer() override;

  // Replaces the document by a link to the file; throws OleError when the link
  // cannot be made, leaving the holder empty.
  void LinkDocument(const std::wstring& fileName) { holder_.LinkDocument(fileName); }
  POINT GetDocumentExtent() const { return holder_.GetDocumentExtent(); }
  void DrawDocument(HDC dc, int left, int top, int width, int height) const {
    holder_.DrawDocument(dc, left, top, width, height);
  }
  const DocumentHolder& Holder() const { return holder_; }

 protected:
  void Paint(HDC dc) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  // Paint covers every pixel, so erasing first would only flicker.
  bool EraseBackground(HDC) override { return true; }

 private:
  DocumentHolder::Host MakeHost(const std::wstring& applicationTitle);

  DocumentHolder holder_;
};

}  // namespace render
