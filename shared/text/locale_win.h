// The user's locale facts, read from Windows (GetLocaleInfoW, the user default locale).
#pragma once

#include "shared/text/locale.h"

namespace qm {

// Reads the facts anew on every call; a field that Windows does not give keeps the
// United States value, so that the result is always complete.
LocaleFacts UserLocale();

}  // namespace qm
