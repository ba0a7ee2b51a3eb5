#include "favorites/group_name_texts.h"

#include "shared/text/printf.h"

namespace qm {

namespace {

// String-table numbers of the layout messages.
constexpr int kTextReservedStore = 320;
constexpr int kTextBackslash = 321;
constexpr int kTextSeparator = 322;

}  // namespace

Str LayoutGroupNameMessage(GroupNameProblem problem, const StringSource& strings) {
  switch (problem) {
    case GroupNameProblem::ReservedStore:
      return strings.Load(kTextReservedStore);
    case GroupNameProblem::Backslash:
      return strings.Load(kTextBackslash);
    case GroupNameProblem::Separator:
      return strings.Load(kTextSeparator);
    default:
      return Str();
  }
}

Str GroupNameMessage(GroupNameProblem problem, StrView name, bool fromAddDialog,
                     const StringSource& strings) {
  switch (problem) {
    case GroupNameProblem::None:
    case GroupNameProblem::Empty:
      return Str();
    case GroupNameProblem::ReservedOther:
      return strings.Load(89);
    case GroupNameProblem::Duplicate:
      return printf(strings.Load(90), {Str(name)});
    case GroupNameProblem::TooMany:
      return fromAddDialog ? printf(strings.Load(68), {Str(name)}) : strings.Load(84);
    case GroupNameProblem::ReservedStore:
    case GroupNameProblem::Backslash:
    case GroupNameProblem::Separator:
      break;
  }
  // The string table holds no backslashes, so the backslash message gets the one it
  // shows as a second value.
  return printf(LayoutGroupNameMessage(problem, strings), {Str(name), Str(u"\\")});
}

}  // namespace qm
