// The reporter program around a shell source: one instance per session, one
// single-threaded apartment with the hidden window and its message loop, the report
// sender, and the end together with the background program that started it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "watch/watch_ports.h"

namespace qm {

// Makes the shell source once the window is there; its events are posted to target as
// message.
using ShellSourceMaker = std::function<std::unique_ptr<ShellSource>(HWND target, UINT message)>;

// Runs the reporter until the background program that started it ends, the shell offers
// no usable window list, or its window is closed. Returns the exit code: 0 in each case.
int RunWatchProgram(HINSTANCE instance, const Str& arguments, const ShellSourceMaker& makeSource);

}  // namespace qm
