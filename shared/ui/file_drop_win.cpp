#include "shared/ui/file_drop_win.h"

#include <shellapi.h>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "shared/base/trace.h"

namespace qm {

std::vector<Str> FilesFromDataObject(IDataObject* data) {
  std::vector<Str> files;
  if (!data) return files;
  FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  StorageMedium medium;
  if (FAILED(data->GetData(&format, medium.put()))) return files;
  if (medium.get().tymed != TYMED_HGLOBAL || !medium.get().hGlobal) return files;
  GlobalLockScope<HDROP> drop(medium.get().hGlobal);
  if (!drop.get()) return files;
  UINT count = DragQueryFileW(drop.get(), 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    UINT length = DragQueryFileW(drop.get(), i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    UINT got = DragQueryFileW(drop.get(), i, &path[0], length + 1);
    path.resize(got);
    files.push_back(FromW(path));
  }
  return files;
}

// The COM object handed to OLE. It keeps the files of the current drag between the
// calls, and stops talking to its handler once the registration is revoked.
class FileDropRegistration::DropTargetObject : public IDropTarget {
 public:
  DropTargetObject(HWND hwnd, FileDropHandler* handler) : hwnd_(hwnd), handler_(handler) {}

  void Detach() { handler_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
      *out = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override {
    try {
      files_ = FilesFromDataObject(data);
    } catch (...) {
      TraceCaughtException(u"file drop", u"drag enter");
      files_.clear();
    }
    return DragOver(keys, pt, effect);
  }

  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override {
    if (!effect) return E_INVALIDARG;
    DWORD answer = DROPEFFECT_NONE;
    if (handler_ && !files_.empty()) {
      try {
        handler_->OnFileDragOver(files_, ToClient(pt), keys, answer);
      } catch (...) {
        TraceCaughtException(u"file drop", u"drag over");
        answer = DROPEFFECT_NONE;
      }
    }
    *effect = answer & *effect;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE DragLeave() override {
    files_.clear();
    if (handler_) {
      try {
        handler_->OnFileDragLeave();
      } catch (...) {
        TraceCaughtException(u"file drop", u"drag leave");
      }
    }
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override {
    if (!effect) return E_INVALIDARG;
    DWORD answer = DROPEFFECT_NONE;
    try {
      std::vector<Str> files = FilesFromDataObject(data);
      if (files.empty()) files = files_;
      if (handler_ && !files.empty()) handler_->OnFileDrop(files, ToClient(pt), keys, answer);
    } catch (...) {
      TraceCaughtException(u"file drop", u"drop");
      answer = DROPEFFECT_NONE;
    }
    files_.clear();
    *effect = answer & *effect;
    return S_OK;
  }

 private:
  virtual ~DropTargetObject() = default;

  POINT ToClient(POINTL pt) const {
    POINT p = {pt.x, pt.y};
    if (hwnd_) ScreenToClient(hwnd_, &p);
    return p;
  }

  LONG refs_ = 1;
  HWND hwnd_;
  FileDropHandler* handler_;
  std::vector<Str> files_;
};

bool FileDropRegistration::Register(HWND hwnd, FileDropHandler* handler) {
  Revoke();
  if (!hwnd || !handler) return false;
  auto* target = new DropTargetObject(hwnd, handler);
  if (FAILED(RegisterDragDrop(hwnd, target))) {
    target->Release();
    return false;
  }
  hwnd_ = hwnd;
  target_ = target;
  return true;
}

void FileDropRegistration::Revoke() {
  if (!target_) return;
  target_->Detach();
  if (hwnd_ && IsWindow(hwnd_)) RevokeDragDrop(hwnd_);
  target_->Release();
  target_ = nullptr;
  hwnd_ = nullptr;
}

IDropTarget* FileDropRegistration::Target() const { return target_; }

}  // namespace qm
