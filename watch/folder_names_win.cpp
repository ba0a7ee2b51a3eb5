#include "watch/folder_names_win.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <condition_variable>
#include <deque>
#include <mutex>

#include "shared/base/com_ptr_win.h"
#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"

namespace qm {

namespace {

Str NameOf(PCIDLIST_ABSOLUTE folder, SIGDN form) {
  UniqueCoTaskText text;
  if (FAILED(SHGetNameFromIDList(folder, form, text.put())) || !text) return Str();
  return FromW(text.get());
}

}  // namespace

FolderNames ReadFolderNames(PCIDLIST_ABSOLUTE folder) {
  FolderNames names;
  names.fileSystemPath = NameOf(folder, SIGDN_FILESYSPATH);
  names.parsingName = NameOf(folder, SIGDN_DESKTOPABSOLUTEPARSING);
  names.displayName = NameOf(folder, SIGDN_NORMALDISPLAY);
  ComPtr<IShellItem> item;
  SFGAOF attributes = 0;
  if (SUCCEEDED(SHCreateItemFromIDList(folder, IID_IShellItem, item.PutVoid())) && item &&
      SUCCEEDED(item->GetAttributes(SFGAO_FILESYSTEM, &attributes))) {
    names.fileSystem = (attributes & SFGAO_FILESYSTEM) != 0;
  }
  return names;
}

struct FolderNameReader::Request {
  UniqueItemIdList folder;  // the reader's own copy: the caller may have moved on
  FolderNames names;
  UniqueKernelHandle done;
};

// What the reader thread shares with its owner. The thread holds it too, so that a
// thread left behind on a stuck reading never touches a reader that is gone.
struct FolderNameReader::Shared {
  std::mutex mutex;
  std::condition_variable pending;
  std::deque<std::shared_ptr<Request>> queue;  // the front one is being read
  bool stop = false;
};

FolderNameReader::FolderNameReader(DWORD limitMs)
    : limitMs_(limitMs), shared_(std::make_shared<Shared>()) {
  thread_ = std::thread(&FolderNameReader::Serve, shared_);
}

FolderNameReader::~FolderNameReader() {
  bool stuck = false;
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->stop = true;
    stuck = !shared_->queue.empty();
  }
  shared_->pending.notify_all();
  // A reading stuck on a server that does not answer must not keep the program from
  // ending: its thread is left to end with the process.
  if (stuck) {
    thread_.detach();
  } else {
    thread_.join();
  }
}

bool FolderNameReader::Read(PCIDLIST_ABSOLUTE folder, FolderNames& out) {
  auto request = std::make_shared<Request>();
  request->folder.reset(ILCloneFull(folder));
  request->done.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!request->folder || !request->done) return false;
  {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    if (!shared_->queue.empty()) return false;
    shared_->queue.push_back(request);
  }
  shared_->pending.notify_all();
  HANDLE done = request->done.get();
  DWORD index = 0;
  if (CoWaitForMultipleHandles(0, limitMs_, 1, &done, &index) != S_OK) return false;
  std::lock_guard<std::mutex> lock(shared_->mutex);
  out = request->names;
  return true;
}

void FolderNameReader::Serve(std::shared_ptr<Shared> shared) {
  // Shell folders expect an apartment of their own thread.
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  std::unique_lock<std::mutex> lock(shared->mutex);
  for (;;) {
    shared->pending.wait(lock, [&] { return shared->stop || !shared->queue.empty(); });
    if (shared->stop) break;
    std::shared_ptr<Request> request = shared->queue.front();
    lock.unlock();
    FolderNames names = ReadFolderNames(request->folder.get());
    lock.lock();
    shared->queue.pop_front();
    request->names = std::move(names);
    SetEvent(request->done.get());
  }
  lock.unlock();
  if (com) CoUninitialize();
}

}  // namespace qm
