// The version file of the update check, read from the bytes the server sent:
//
//   <quillmark>
//     <version_info>
//       <build>123</build>                          offered to the weekly check
//       <build_manualcheck>124</build_manualcheck>  offered to a check from the menu
//       <major>1</major> <minor>20</minor>          the offered build's version
//     </version_info>
//     <download_url>https://...</download_url>      the download web page
//   </quillmark>
//
// The first `quillmark` element of the document is used, `version_info` is the first of
// that name inside it, each number the first of its name inside `version_info`, and
// `download_url` the first of its name anywhere inside `quillmark`. Other elements and
// attributes are ignored.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "shared/base/str.h"

namespace qm {

// A version file is a few hundred bytes; anything beyond this is no version file.
inline constexpr size_t kMaxVersionFileBytes = 64 * 1024;

struct VersionFile {
  // Each number is missing (nullopt) when its element is missing or its text is not a
  // whole decimal number (blanks around it allowed) of at most nine digits.
  std::optional<long> build;
  std::optional<long> buildManualCheck;
  std::optional<long> major;
  std::optional<long> minor;
  std::optional<Str> downloadUrl;  // the element's text without the blanks around it
};

// Reads the version file. False when the bytes are empty, larger than
// kMaxVersionFileBytes, not a well-formed XML document, or hold no `quillmark` element
// with a `version_info` in it; `out` is then empty.
bool ParseVersionFile(const std::string& bytes, VersionFile& out);

// The number an element text stands for, by the rule above.
std::optional<long> VersionNumberFromText(const std::string& text);

}  // namespace qm
