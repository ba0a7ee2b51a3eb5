#include "background/command_line.h"

namespace qm {

bool IsSetupNowArguments(StrView arguments) {
  return ToLower(TrimBlanks(arguments)) == u"/setupnow";
}

}  // namespace qm
