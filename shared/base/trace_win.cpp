#include "shared/base/trace_win.h"

#include <windows.h>

#include <mutex>

#include "shared/base/datetime_win.h"
#include "shared/base/handles_win.h"
#include "shared/base/program.h"
#include "shared/base/str_win.h"
#include "shared/base/trace.h"

namespace qm {

namespace {

class WinTraceFiles : public TraceFiles {
 public:
  long long Size(const Str& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(W(path), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  bool Append(const Str& path, const std::string& bytes) override {
    // Shared for reading and writing: the user may look at the file while it grows.
    UniqueFile file(CreateFileW(W(path), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
  }
  bool Replace(const Str& from, const Str& to) override {
    return MoveFileExW(W(from), W(to), MOVEFILE_REPLACE_EXISTING) != 0;
  }
};

class WinTraceSink : public TraceSink {
 public:
  void Configure(std::function<bool()> fileSwitch, std::function<Str()> folder) {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    fileSwitch_ = std::move(fileSwitch);
    folder_ = std::move(folder);
  }

  void Write(StrView area, StrView message) override {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    SYSTEMTIME st = {};
    GetLocalTime(&st);
    const std::string line = FormatTraceLine(FromSystemTime(st), st.wMilliseconds, ProgramName(),
                                             GetCurrentProcessId(), area, message);
    OutputDebugStringW(W(FromUtf8(line)));
    // Reading the switch or the folder may itself fail and trace: that line goes to the
    // debugger only.
    if (writing_) return;
    writing_ = true;
    try {
      if (fileSwitch_ && fileSwitch_()) {
        const Str folder = folder_ ? folder_() : Str();
        if (!folder.empty()) {
          CreateDirectoryW(W(folder), nullptr);
          WinTraceFiles files;
          AppendTraceLine(files, MakeTraceFilePaths(folder, ProgramName()), line);
        }
      }
    } catch (...) {
    }
    writing_ = false;
  }

 private:
  std::recursive_mutex mutex_;
  std::function<bool()> fileSwitch_;
  std::function<Str()> folder_;
  bool writing_ = false;
};

WinTraceSink& Sink() {
  static WinTraceSink sink;
  return sink;
}

}  // namespace

void StartTrace(std::function<bool()> fileSwitch, std::function<Str()> folder) {
  Sink().Configure(std::move(fileSwitch), std::move(folder));
  SetTraceSink(&Sink());
}

void StopTrace() { SetTraceSink(nullptr); }

}  // namespace qm
