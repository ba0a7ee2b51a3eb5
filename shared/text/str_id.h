// The names of the main program's texts, generated from resources/strings/strings.txt:
// code asks for a text by its name (LoadStr(StrId::SearchCue), strings.Load(...)); the
// number behind a name is the text's resource number.
#pragma once

namespace qm {

enum class StrId : int {
#include "strings_ids.inc"
};

constexpr int Number(StrId id) { return static_cast<int>(id); }

}  // namespace qm
