// Tells whether another instance of the background program runs in this session: the
// first instance owns a named mutex for as long as its worker window is loaded.
#pragma once

#include <windows.h>

#include "shared/base/handles_win.h"

namespace qm {

class SingleInstance {
 public:
  SingleInstance() = default;

  // True when this process is now the one instance; false when another one runs.
  bool Claim();
  // Gives the claim up, so that a new instance can start while this one finishes.
  void Release();

 private:
  HeldMutex mutex_;
};

}  // namespace qm
