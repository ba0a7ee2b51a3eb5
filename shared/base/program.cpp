#include "shared/base/program.h"

namespace qm {

namespace {
Str& NameSlot() {
  static Str name = u"Quillmark";
  return name;
}
}  // namespace

const Str& ProgramName() { return NameSlot(); }

void SetProgramName(const Str& name) { NameSlot() = name; }

void SetProgramNameFromPath(StrView path) {
  size_t slash = path.find_last_of(u"\\/");
  StrView file = slash == StrView::npos ? path : path.substr(slash + 1);
  size_t dot = file.find_last_of(u'.');
  if (dot != StrView::npos && dot > 0) file = file.substr(0, dot);
  SetProgramName(Str(file));
}

}  // namespace qm
