// Files and folders of the test prefix.
#pragma once

#include <windows.h>

#include "shared/base/str.h"

namespace qm::e2e {

// A shell special folder of the current user (CSIDL number), created when missing.
Str SpecialFolder(int csidl);
// The Quick Launch folder (roaming application data); a fresh prefix has none.
Str QuickLaunchFolder();

bool FileExists(const Str& path);
bool DirectoryExists(const Str& path);
long long FileSize(const Str& path);  // -1 when missing
// Creates the folder and every missing parent.
bool MakeDirectories(const Str& path);
// Removes the folder with everything in it; true also when it did not exist.
bool RemoveTree(const Str& path);
bool CopyFileTo(const Str& from, const Str& to);
// The file's bytes read as UTF-8 text (empty when missing).
std::string ReadFileBytes(const Str& path);

}  // namespace qm::e2e
