#include "shared/ui/picture_win.h"

#include <cstring>

#include "shared/base/handles_win.h"

namespace qm {

namespace {

// A movable global memory block, freed unless a stream took it over.
struct GlobalMemoryTraits {
  using Type = HGLOBAL;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { GlobalFree(h); }
};

}  // namespace

ComPtr<IPicture> LoadPictureFromResource(const wchar_t* name, const wchar_t* type, HMODULE module) {
  ComPtr<IPicture> picture;
  if (!module) module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, name, type);
  if (!info) return picture;
  const DWORD size = SizeofResource(module, info);
  HGLOBAL loaded = LoadResource(module, info);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return picture;

  // Resource memory is read-only and not a global block: the stream needs a copy.
  UniqueHandle<GlobalMemoryTraits> block(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!block) return picture;
  void* target = GlobalLock(block.get());
  if (!target) return picture;
  std::memcpy(target, bytes, size);
  GlobalUnlock(block.get());

  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block.get(), TRUE, stream.Put()))) return picture;
  block.release();  // the stream frees it now
  if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture, picture.PutVoid())))
    picture.Reset();
  return picture;
}

SIZE PictureSizePixels(IPicture* picture) {
  SIZE size = {0, 0};
  if (!picture) return size;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  if (FAILED(picture->get_Width(&width)) || FAILED(picture->get_Height(&height))) return size;
  UniqueHandle<ScreenDcTraits> screen(GetDC(nullptr));
  if (!screen) return size;
  // HIMETRIC is hundredths of a millimetre: 2540 to the inch.
  size.cx = MulDiv(width, GetDeviceCaps(screen.get(), LOGPIXELSX), 2540);
  size.cy = MulDiv(height, GetDeviceCaps(screen.get(), LOGPIXELSY), 2540);
  return size;
}

}  // namespace qm
