// Work that would hold a window too long (a statement over a large journal) done on a
// thread of its own while the window's thread goes on with its messages.
#pragma once

#include <functional>

namespace qm {

// Runs `work` on a new thread (with COM set up there, for shell links) and calls `pump`
// whenever messages arrive meanwhile; returns when the work is done. An exception of the
// work is thrown again here. Where no thread can be made, the work runs here.
void RunAsideWhilePumping(const std::function<void()>& work, const std::function<void()>& pump);

}  // namespace qm
