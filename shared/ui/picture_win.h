// Pictures stored in the program's resources (the about box's JPEG logo): the bytes of
// the resource are handed to OLE's picture loader, which reads JPEG, GIF, BMP, WMF and
// icons alike.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "shared/base/com_ptr_win.h"

namespace qm {

// The picture of resource `name` of type `type` in the program's module; empty when the
// resource is missing or any step fails (the caller then shows no picture).
ComPtr<IPicture> LoadPictureFromResource(const wchar_t* name, const wchar_t* type, HMODULE module = nullptr);

// The picture's size in pixels of the screen (0 x 0 for no picture).
SIZE PictureSizePixels(IPicture* picture);

}  // namespace qm
