#include "ignore/ignore_texts.h"

#include "shared/text/printf.h"

namespace qm {

namespace {
enum : int { kTextFolderQuote = 97, kTextAndSubfolders = 98, kTextPathContains = 99 };
}

Str IgnoreRuleDisplayText(const IgnoreRule& rule, const StringSource& strings) {
  if (rule.kind == IgnoreRuleKind::PathContains)
    return printf(strings.Load(kTextPathContains), {rule.text});
  Str text = strings.Load(kTextFolderQuote) + rule.text + u"\"";
  if (rule.kind == IgnoreRuleKind::FolderAndSubfolders) text += u" " + strings.Load(kTextAndSubfolders);
  return text;
}

}  // namespace qm
