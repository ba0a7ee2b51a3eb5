// Files dragged from the shell onto a window (OLE drag and drop): the window says for
// each position whether it would take them (the drop effect) and receives them on drop.
// The thread must have called OleInitialize; registration fails otherwise.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <vector>

#include "shared/base/str.h"

namespace qm {

class FileDropHandler {
 public:
  virtual ~FileDropHandler() = default;
  // The pointer in the window's client pixels; `effect` comes in as DROPEFFECT_NONE and
  // says what a drop here would do.
  virtual void OnFileDragOver(const std::vector<Str>& files, POINT client, DWORD keyState, DWORD& effect) = 0;
  virtual void OnFileDragLeave() {}
  virtual void OnFileDrop(const std::vector<Str>& files, POINT client, DWORD keyState, DWORD& effect) = 0;
};

// The paths of a shell file list (CF_HDROP) in a data object; empty when it has none.
std::vector<Str> FilesFromDataObject(IDataObject* data);

// Registers a window as a drop target while this object lives.
class FileDropRegistration {
 public:
  FileDropRegistration() = default;
  FileDropRegistration(const FileDropRegistration&) = delete;
  FileDropRegistration& operator=(const FileDropRegistration&) = delete;
  ~FileDropRegistration() { Revoke(); }

  bool Register(HWND hwnd, FileDropHandler* handler);
  void Revoke();
  bool Registered() const { return target_ != nullptr; }
  // The drop target itself (for tests that drive a drag without a mouse).
  IDropTarget* Target() const;

 private:
  class DropTargetObject;
  HWND hwnd_ = nullptr;
  DropTargetObject* target_ = nullptr;
};

}  // namespace qm
