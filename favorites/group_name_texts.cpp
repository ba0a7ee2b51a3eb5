#include "favorites/group_name_texts.h"

#include "shared/text/printf.h"

namespace qm {

Str LayoutGroupNameMessage(GroupNameProblem problem) {
  switch (problem) {
    case GroupNameProblem::ReservedStore:
      return u"You cannot create a group named '[*]' because Quillmark uses this name "
             u"internally for folder favorites that were not explicitly assigned to a "
             u"specific group.";
    case GroupNameProblem::Backslash:
      return u"The group name '[*]' contains a backslash (\\). Group names cannot contain "
             u"backslashes.";
    case GroupNameProblem::Separator:
      return u"The group name '[*]' contains the character sequence |*#|, which Quillmark "
             u"uses internally. Choose a different name.";
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
  return printf(LayoutGroupNameMessage(problem), {Str(name)});
}

}  // namespace qm
