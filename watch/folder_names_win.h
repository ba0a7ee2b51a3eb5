// Reads the shell's names of a folder (path, parsing name, display name, whether it is
// part of the file system) from its item ID list.
//
// The reading happens in this process, yet it may touch the folder itself (a network
// folder's desktop.ini, an archive); a server that no longer answers would then hold it
// for a long time. Explorer calls the reporter's sinks on this thread and must never wait
// for it, so the names are read on a thread of their own while this one keeps answering,
// and a reading that takes too long is given up (the folder is read again on a later look).
#pragma once

#include <windows.h>
#include <shtypes.h>

#include <memory>
#include <thread>

#include "watch/shown_folder.h"

namespace qm {

// The names of the folder, read on the calling thread.
FolderNames ReadFolderNames(PCIDLIST_ABSOLUTE folder);

class FolderNameReader {
 public:
  explicit FolderNameReader(DWORD limitMs);
  ~FolderNameReader();
  FolderNameReader(const FolderNameReader&) = delete;
  FolderNameReader& operator=(const FolderNameReader&) = delete;

  // Reads the names on the reader thread, answering COM calls to this thread meanwhile.
  // False when they did not come within the limit, or at once while an earlier reading
  // that was given up still holds the reader thread.
  bool Read(PCIDLIST_ABSOLUTE folder, FolderNames& out);

 private:
  struct Request;
  struct Shared;
  static void Serve(std::shared_ptr<Shared> shared);

  const DWORD limitMs_;
  std::shared_ptr<Shared> shared_;
  std::thread thread_;
};

}  // namespace qm
