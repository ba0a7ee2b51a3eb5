#include "favorites/group_name_texts.h"

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

}  // namespace qm
