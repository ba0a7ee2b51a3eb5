#include "favorites/group_name_texts.h"

#include "shared/text/printf.h"

namespace qm {

Str LayoutGroupNameMessage(GroupNameProblem problem, const StringSource& strings) {
  switch (problem) {
    case GroupNameProblem::ReservedStore:
      return strings.Load(StrId::GroupNameReservedStore);
    case GroupNameProblem::Backslash:
      return strings.Load(StrId::GroupNameBackslash);
    case GroupNameProblem::Separator:
      return strings.Load(StrId::GroupNameSeparator);
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
      return strings.Load(StrId::GroupNameOtherReserved);
    case GroupNameProblem::Duplicate:
      return printf(strings.Load(StrId::GroupNameExists), {Str(name)});
    case GroupNameProblem::TooMany:
      return fromAddDialog ? printf(strings.Load(StrId::NoMoreGroupsForNewGroup), {Str(name)}) : strings.Load(StrId::TooManyGroups);
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
