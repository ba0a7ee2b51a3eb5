#include "ignore/ignore_texts.h"

#include "shared/text/printf.h"

namespace qm {

Str IgnoreRuleDisplayText(const IgnoreRule& rule, const StringSource& strings) {
  if (rule.kind == IgnoreRuleKind::PathContains)
    return printf(strings.Load(StrId::IgnoredPathContains), {rule.text});
  Str text = strings.Load(StrId::IgnoredFolderQuote) + rule.text + u"\"";
  if (rule.kind == IgnoreRuleKind::FolderAndSubfolders) text += u" " + strings.Load(StrId::IgnoredAndSubfolders);
  return text;
}

}  // namespace qm
