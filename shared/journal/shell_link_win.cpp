#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "shared/base/com_ptr_win.h"
#include "shared/base/str_win.h"
#include "shared/journal/shell_link_win.h"

namespace qm {

namespace {

// COM for the duration of one call; a thread that has it already keeps its apartment.
class ComScope {
 public:
  ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT hr_;
};

// A shell link object and its file interface; false when either is not to be had.
bool MakeShellLinkObject(ComPtr<IShellLinkW>& shellLink, ComPtr<IPersistFile>& file) {
  // The wide interface keeps paths with letters outside the ANSI code page intact.
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              shellLink.PutVoid())))
    return false;
  file = shellLink.As<IPersistFile>(IID_IPersistFile);
  return static_cast<bool>(file);
}

}  // namespace

bool CreateShellLink(const ShellLinkSpec& link) {
  ComScope com;
  ComPtr<IShellLinkW> shellLink;
  ComPtr<IPersistFile> file;
  if (!MakeShellLinkObject(shellLink, file)) return false;
  if (FAILED(shellLink->SetPath(W(link.target)))) return false;
  if (!link.workingFolder.empty() && FAILED(shellLink->SetWorkingDirectory(W(link.workingFolder)))) return false;
  if (!link.arguments.empty() && FAILED(shellLink->SetArguments(W(link.arguments)))) return false;
  if (!link.description.empty() && FAILED(shellLink->SetDescription(W(link.description)))) return false;
  if (!link.iconPath.empty() && FAILED(shellLink->SetIconLocation(W(link.iconPath), link.iconIndex))) return false;
  if (FAILED(shellLink->SetShowCmd(link.showCommand))) return false;
  // No window and never any user interface: the background program has nobody to ask.
  if (FAILED(shellLink->Resolve(nullptr, SLR_UPDATE | SLR_NO_UI))) return false;
  return SUCCEEDED(file->Save(W(link.linkPath), FALSE));
}

bool ReadShellLink(const Str& path, ShellLinkSpec& link) {
  ComScope com;
  ComPtr<IShellLinkW> shellLink;
  ComPtr<IPersistFile> file;
  if (!MakeShellLinkObject(shellLink, file)) return false;
  if (FAILED(file->Load(W(path), STGM_READ))) return false;
  wchar_t buf[INFOTIPSIZE + 1] = {};
  link = ShellLinkSpec();
  link.linkPath = path;
  if (SUCCEEDED(shellLink->GetPath(buf, MAX_PATH, nullptr, SLGP_RAWPATH))) link.target = FromW(buf);
  buf[0] = 0;
  if (SUCCEEDED(shellLink->GetArguments(buf, INFOTIPSIZE))) link.arguments = FromW(buf);
  buf[0] = 0;
  if (SUCCEEDED(shellLink->GetWorkingDirectory(buf, MAX_PATH))) link.workingFolder = FromW(buf);
  buf[0] = 0;
  if (SUCCEEDED(shellLink->GetDescription(buf, INFOTIPSIZE))) link.description = FromW(buf);
  buf[0] = 0;
  int icon = 0;
  if (SUCCEEDED(shellLink->GetIconLocation(buf, MAX_PATH, &icon))) {
    link.iconPath = FromW(buf);
    link.iconIndex = icon;
  }
  int show = 0;
  if (SUCCEEDED(shellLink->GetShowCmd(&show))) link.showCommand = show;
  return true;
}

}  // namespace qm
