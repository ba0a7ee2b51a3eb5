#include "shared/text/printf.h"

#include "shared/text/format_pattern.h"
#include "shared/text/replace_text.h"

namespace qm {

PrintfError::PrintfError(Str source, Str text)
    : source_(std::move(source)), text_(std::move(text)), what_(ToUtf8(source_ + u": " + text_)) {}

Str printf(StrView format, const Values& values) { return printf(format, values, ProgramLocale()); }

Str printf(StrView format, const Values& values, const LocaleFacts& locale) {
  // Escapes. The double backslash becomes a placeholder first, so that the backslash
  // it stands for cannot start another escape ("\\t" is a backslash and a t).
  Str text = ReplaceText(format, u"\\\\", u"[\\]");
  text = ReplaceText(text, u"\\t", u"\t");
  text = ReplaceText(text, u"\\r", u"\r");
  text = ReplaceText(text, u"\\n", u"\r\n");
  text = ReplaceText(text, u"\\[", u"[(]");

  const size_t count = values.size();
  size_t next = 0;  // running value index, 0-based
  size_t scan = 0;  // scan position, 0-based
  for (;;) {
    size_t open = text.find(u'[', scan);
    if (open == Str::npos) return text;
    size_t close = text.find(u']', open + 1);
    if (close == Str::npos) {
      throw PrintfError(u"printf", u"Missing ']' after '[' at position " + IntToStr(static_cast<long long>(open) + 1) + u"!");
    }
    Str inner = text.substr(open + 1, close - open - 1);

    bool explicitIndex = false;
    size_t index = next;
    if (inner.size() >= 2 && inner[0] >= u'1' && inner[0] <= u'9' && inner[1] == u':') {
      explicitIndex = true;
      size_t wanted = static_cast<size_t>(inner[0] - u'0') - 1;
      // Beyond the list the last value serves; an empty list has none.
      index = wanted < count ? wanted : (count > 0 ? count - 1 : 0);
      inner.erase(0, 2);
    }
    if (!inner.empty() && inner[0] == u'=') {
      throw PrintfError(u"sprintf", u"No script code allowed in placeholder string. Use the sprintf COM-component instead.");
    }
    // An explicit index names a value; with none given it fails whatever follows it,
    // also where the placeholder would take no value ("[1:]", "[1:(]", "[1:\]").
    if (explicitIndex && count == 0) {
      throw PrintfError(u"printf", u"Missing value in printf-call for format string '[" + inner + u"]'!");
    }

    Str replacement;
    bool consumes = true;
    if (inner.empty()) {
      // "[]" skips a value and inserts nothing.
    } else if (inner == u"(") {
      replacement = u"[";
      consumes = false;
    } else if (inner == u"\\") {
      replacement = u"\\";
      consumes = false;
    } else {
      if (index >= count) {
        throw PrintfError(u"printf", u"Missing value in printf-call for format string '[" + inner + u"]'!");
      }
      replacement = inner == u"*" ? ValueToText(values[index], locale)
                                  : FormatWithPattern(values[index], inner, locale);
    }
    if (consumes && !explicitIndex) ++next;

    text.replace(open, close - open + 1, replacement);
    scan = open + replacement.size();
  }
}

}  // namespace qm
