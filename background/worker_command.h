// What a text received by the worker window asks for. The two commands are recognised
// by their exact, case-sensitive prefixes; every other text is a folder-use report. A
// folder's display name may begin with "ExitNow" as well ("ExitNowPhotos|\|C:\..."):
// a text that holds the report separator is a report, never the exit.
#pragma once

#include <cstdint>

#include "shared/base/str.h"

namespace qm {

inline constexpr char16_t kPropertiesPrefix[] = u"\\Properties!";  // 12 characters
inline constexpr char16_t kExitNowPrefix[] = u"ExitNow";           // 7 characters

enum class WorkerTextKind { Properties, ExitNow, Report };

WorkerTextKind ClassifyWorkerText(StrView text);

// "\Properties!" + owner window handle in decimal + "|" + full path.
struct PropertiesRequest {
  std::int64_t ownerWindow = 0;
  Str path;
};

// False (the command is ignored) when the text has no "|" after the prefix, when the
// handle is not a decimal number, or when the path is empty or holds a NUL character.
bool ParsePropertiesCommand(StrView text, PropertiesRequest& out);

// The command text the main program sends.
Str MakePropertiesCommand(std::int64_t ownerWindow, StrView path);

}  // namespace qm
