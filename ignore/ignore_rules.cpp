#include "ignore/ignore_rules.h"

#include <algorithm>

#include "shared/base/stored_list.h"

namespace qm {

namespace {

constexpr StrView kSeparator = kIgnoreRuleSeparator;
constexpr StrView kNotLikeTerm = u"FoldersProtocol.FolderPath Not Like '";
constexpr StrView kNotEqualTerm = u"FoldersProtocol.FolderPath <> '";
constexpr StrView kAnd = u" AND ";

Str ReplaceAll(StrView text, StrView find, StrView with) {
  Str out;
  size_t pos = 0;
  while (true) {
    size_t hit = text.find(find, pos);
    if (hit == StrView::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(with);
    pos = hit + find.size();
  }
  out.append(text.substr(pos));
  return out;
}

Str RemoveChar(StrView text, char16_t c) {
  Str out;
  for (char16_t ch : text)
    if (ch != c) out.push_back(ch);
  return out;
}

// A rule between single quotes: a well-formed rule already has its apostrophes doubled and
// comes out unchanged; a lone apostrophe of a hand-edited rule is doubled as well, so no
// rule can ever end the quoted text early. NUL characters would cut the statement short.
Str QuotedLiteralBody(StrView rule) {
  return ReplaceAll(ReplaceAll(RemoveChar(rule, u'\0'), u"''", u"'"), u"'", u"''");
}

// The Like pattern of a rule with "*": "*" is the wildcard, and "%" and "_" keep theirs.
// A "[" would open a character set, so that a folder such as "c:\data\[old]" would not
// be hidden, other folders would, and a lone "[" would make every list fail; in a
// folder path it is a bracket and matches itself.
Str LikePatternOfRule(StrView rule) {
  return ReplaceAll(ReplaceAll(rule, u"[", u"[[]"), u"*", u"%");
}

}  // namespace

Str MakeStoredIgnoreRule(IgnoreRuleKind kind, StrView typed) {
  Str text = TrimBlanks(ToLower(typed));
  Str stored;
  if (kind == IgnoreRuleKind::PathContains) {
    text = RemoveChar(text, u'*');
    if (text.empty()) return Str();
    stored = u"*" + ReplaceAll(text, u"'", u"''") + u"*";
  } else {
    // A folder path holds no asterisk; one here would change the rule's kind on reading.
    text = RemoveChar(text, u'*');
    if (text.empty()) return Str();
    if (text.size() > 3 && text.back() == u'\\') text.pop_back();
    stored = ReplaceAll(text, u"'", u"''");
    if (kind == IgnoreRuleKind::FolderAndSubfolders) stored += u"*";
  }
  if (!IsStorableElement(stored, kSeparator)) return Str();
  return stored;
}

IgnoreRule ReadStoredIgnoreRule(StrView stored) {
  IgnoreRule rule;
  StrView body = stored;
  if (!stored.empty() && stored.front() == u'*') {
    rule.kind = IgnoreRuleKind::PathContains;
    body = stored.size() >= 2 ? stored.substr(1, stored.size() - 2) : StrView();
  } else if (!stored.empty() && stored.back() == u'*') {
    rule.kind = IgnoreRuleKind::FolderAndSubfolders;
    body = stored.substr(0, stored.size() - 1);
  }
  rule.text = ReplaceAll(body, u"''", u"'");
  return rule;
}

std::vector<Str> SplitIgnoreStrings(StrView value) {
  // An empty piece (two separators in a row, after a hand edit) is no rule.
  std::vector<Str> rules = SplitStoredList(value, kSeparator);
  rules.erase(std::remove_if(rules.begin(), rules.end(), [](const Str& r) { return r.empty(); }), rules.end());
  return rules;
}

Str JoinIgnoreStrings(const std::vector<Str>& storedRules) { return JoinStoredList(storedRules, kSeparator); }

Str AppendIgnoreRule(StrView ignoreStrings, StrView storedRule) {
  std::vector<Str> rules = SplitIgnoreStrings(ignoreStrings);
  // A rule holding the separator would come back as two rules, one ending in "|\" cut short.
  if (!storedRule.empty() && IsStorableElement(storedRule, kSeparator)) rules.emplace_back(storedRule);
  return JoinIgnoreStrings(rules);
}

Str BuildIgnoreFilter(StrView ignoreStrings) {
  const std::vector<Str> rules = SplitIgnoreStrings(ignoreStrings);
  if (rules.empty()) return Str();  // "()" would be no valid condition
  Str filter = u"(";
  for (size_t i = 0; i < rules.size(); ++i) {
    const Str& rule = rules[i];
    if (rule.find(u'*') != Str::npos) {
      filter += kNotLikeTerm;
      filter += QuotedLiteralBody(LikePatternOfRule(rule));
    } else {
      filter += kNotEqualTerm;
      filter += QuotedLiteralBody(rule);
    }
    filter += u"'";
    if (i + 1 < rules.size()) filter += kAnd;
  }
  filter += u")";
  return filter;
}

bool IsWellFormedIgnoreFilter(StrView f) {
  if (f.empty()) return true;
  if (f.front() != u'(') return false;
  size_t pos = 1;
  while (true) {
    StrView rest = f.substr(pos);
    if (StartsWith(rest, kNotLikeTerm)) {
      pos += kNotLikeTerm.size();
    } else if (StartsWith(rest, kNotEqualTerm)) {
      pos += kNotEqualTerm.size();
    } else {
      return false;
    }
    // The quoted text: apostrophes only in pairs, ended by a single one.
    while (true) {
      if (pos >= f.size()) return false;
      char16_t c = f[pos];
      if (c == u'\0') return false;
      if (c == u'\'') {
        if (pos + 1 < f.size() && f[pos + 1] == u'\'') {
          pos += 2;
          continue;
        }
        ++pos;
        break;
      }
      ++pos;
    }
    rest = f.substr(pos);
    if (rest == u")") return true;
    if (!StartsWith(rest, kAnd)) return false;
    pos += kAnd.size();
  }
}

bool IgnoreFilterIsFull(StrView filter) {
  int count = 0;
  size_t pos = 0;
  while ((pos = filter.find(kAnd, pos)) != StrView::npos) {
    ++count;
    pos += kAnd.size();
  }
  return count >= kMaxIgnoreRules - 1;
}

}  // namespace qm
