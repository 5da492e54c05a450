#include "output/file_stream.h"

namespace output {

HRESULT FileStream::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
    *out = static_cast<IStream*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG FileStream::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG FileStream::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT FileStream::Read(void*, ULONG, ULONG* done) {
  if (done) *done = 0;
  return STG_E_ACCESSDENIED;  // written only
}

HRESULT FileStream::Write(const void* data, ULONG bytes, ULONG* done) {
  if (done) *done = 0;
  if (!data && bytes) return STG_E_INVALIDPOINTER;
  if (!file_.WriteAt(position_, data, bytes)) return STG_E_WRITEFAULT;
  position_ += bytes;
  if (done) *done = bytes;
  return S_OK;
}

HRESULT FileStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
  int64_t base = 0;
  if (origin == STREAM_SEEK_CUR)
    base = int64_t(position_);
  else if (origin == STREAM_SEEK_END)
    base = int64_t(file_.Size());
  else if (origin != STREAM_SEEK_SET)
    return STG_E_INVALIDFUNCTION;
  const int64_t to = base + move.QuadPart;
  if (to < 0) return STG_E_INVALIDFUNCTION;
  position_ = uint64_t(to);
  if (position) position->QuadPart = position_;
  return S_OK;
}

HRESULT FileStream::Stat(STATSTG* stat, DWORD) {
  if (!stat) return STG_E_INVALIDPOINTER;
  *stat = STATSTG{};
  stat->type = STGTY_STREAM;
  stat->cbSize.QuadPart = file_.Size();
  return S_OK;
}

}  // namespace output
