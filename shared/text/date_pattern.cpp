// Date and time patterns: the fields are listed in format_pattern.h.
#include <vector>

#include "shared/base/datetime.h"
#include "shared/text/format_pattern.h"
#include "shared/text/pattern_internal.h"

namespace qm::pattern {

namespace {

enum class Field { Literal, Day, Month, Minute, Year, Hour, Second, Week, Quarter, General, ShortTime, AmPm };

enum class AmPmStyle { Upper, Lower, UpperLetter, LowerLetter, Locale };

struct Token {
  Field field = Field::Literal;
  int count = 0;
  Str text;  // literal text
  AmPmStyle style = AmPmStyle::Upper;
};

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

// Case-insensitive match of `word` at `pos`.
bool MatchAt(StrView s, size_t pos, StrView word) {
  if (pos + word.size() > s.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (Lower(s[pos + i]) != word[i]) return false;
  }
  return true;
}

void AddLiteral(std::vector<Token>& tokens, StrView text) {
  if (!tokens.empty() && tokens.back().field == Field::Literal) {
    tokens.back().text += text;
  } else {
    Token t;
    t.text = Str(text);
    tokens.push_back(t);
  }
}

std::vector<Token> Tokenize(StrView p) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < p.size()) {
    char16_t c = p[i];
    char16_t lc = Lower(c);
    if (c == u'"') {
      size_t end = p.find(u'"', i + 1);
      if (end == StrView::npos) end = p.size();
      AddLiteral(tokens, p.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    if (c == u'\\') {
      if (i + 1 < p.size()) AddLiteral(tokens, p.substr(i + 1, 1));
      i += 2;
      continue;
    }
    if (MatchAt(p, i, u"am/pm") || MatchAt(p, i, u"a/p") || MatchAt(p, i, u"ampm")) {
      Token t;
      t.field = Field::AmPm;
      bool upper = c == u'A' || c == u'P';
      if (MatchAt(p, i, u"am/pm")) {
        t.style = upper ? AmPmStyle::Upper : AmPmStyle::Lower;
        i += 5;
      } else if (MatchAt(p, i, u"a/p")) {
        t.style = upper ? AmPmStyle::UpperLetter : AmPmStyle::LowerLetter;
        i += 3;
      } else {
        t.style = AmPmStyle::Locale;
        i += 4;
      }
      tokens.push_back(t);
      continue;
    }
    Field field = Field::Literal;
    switch (lc) {
      case u'd': field = Field::Day; break;
      case u'm': field = Field::Month; break;
      case u'n': field = Field::Minute; break;
      case u'y': field = Field::Year; break;
      case u'h': field = Field::Hour; break;
      case u's': field = Field::Second; break;
      case u'w': field = Field::Week; break;
      case u'q': field = Field::Quarter; break;
      case u'c': field = Field::General; break;
      default: break;
    }
    if (lc == u't' && MatchAt(p, i, u"ttttt")) {
      Token t;
      t.field = Field::ShortTime;
      tokens.push_back(t);
      i += 5;
      continue;
    }
    if (field == Field::Literal) {
      AddLiteral(tokens, p.substr(i, 1));
      ++i;
      continue;
    }
    size_t j = i;
    while (j < p.size() && Lower(p[j]) == lc) ++j;
    Token t;
    t.field = field;
    t.count = static_cast<int>(j - i);
    if (field == Field::General) t.count = 1;
    tokens.push_back(t);
    i = field == Field::General ? i + 1 : j;
  }
  // "m" and "mm" mean minutes right after an hour field or right before a seconds
  // field, as in "hh:mm" and "mm:ss".
  for (size_t k = 0; k < tokens.size(); ++k) {
    if (tokens[k].field != Field::Month || tokens[k].count > 2) continue;
    size_t before = k;
    while (before > 0 && tokens[before - 1].field == Field::Literal) --before;
    size_t after = k + 1;
    while (after < tokens.size() && tokens[after].field == Field::Literal) ++after;
    bool afterHour = before > 0 && tokens[before - 1].field == Field::Hour;
    bool beforeSecond = after < tokens.size() && tokens[after].field == Field::Second;
    if (afterHour || beforeSecond) tokens[k].field = Field::Minute;
  }
  return tokens;
}

Str Number(int v, int minWidth) {
  Str s = IntToStr(v);
  while (static_cast<int>(s.size()) < minWidth) s.insert(s.begin(), u'0');
  return s;
}

int DayOfYear(const LocalDateTime& t) {
  return static_cast<int>(DaysFromCivil(t.year, t.month, t.day) - DaysFromCivil(t.year, 1, 1)) + 1;
}

bool HasDatePart(const LocalDateTime& t) { return !(t.year == 1899 && t.month == 12 && t.day == 30); }
bool HasTimePart(const LocalDateTime& t) { return t.hour != 0 || t.minute != 0 || t.second != 0; }

}  // namespace

bool HasDateFields(StrView pattern) {
  for (const Token& t : Tokenize(pattern)) {
    if (t.field != Field::Literal) return true;
  }
  return false;
}

Str FormatDate(const LocalDateTime& t, StrView pattern, const LocaleFacts& loc) {
  std::vector<Token> tokens = Tokenize(pattern);
  bool twelveHour = false;
  for (const Token& tok : tokens) twelveHour = twelveHour || tok.field == Field::AmPm;

  int month = (t.month >= 1 && t.month <= 12) ? t.month - 1 : 0;
  int weekday = t.DayOfWeek();
  Str out;
  for (const Token& tok : tokens) {
    int n = tok.count;
    switch (tok.field) {
      case Field::Literal: out += tok.text; break;
      case Field::Day:
        if (n <= 2) out += Number(t.day, n);
        else if (n == 3) out += loc.dayAbbrevs[weekday];
        else if (n == 4) out += loc.dayNames[weekday];
        else out += FormatShortDate(loc, t);
        break;
      case Field::Month:
        if (n <= 2) out += Number(t.month, n);
        else if (n == 3) out += loc.monthAbbrevs[month];
        else out += loc.monthNames[month];
        break;
      case Field::Minute: out += Number(t.minute, n >= 2 ? 2 : 1); break;
      case Field::Year:
        if (n == 1) out += IntToStr(DayOfYear(t));
        else if (n <= 3) out += Number(t.year % 100, 2);
        else out += Number(t.year, 4);
        break;
      case Field::Hour: {
        int h = twelveHour ? (t.hour % 12 == 0 ? 12 : t.hour % 12) : t.hour;
        out += Number(h, n >= 2 ? 2 : 1);
        break;
      }
      case Field::Second: out += Number(t.second, n >= 2 ? 2 : 1); break;
      case Field::Week:
        out += n == 1 ? IntToStr(weekday + 1) : IntToStr(WeekOfYear(t));
        break;
      case Field::Quarter: out += IntToStr((t.month - 1) / 3 + 1); break;
      case Field::General:
        if (HasDatePart(t)) out += FormatShortDate(loc, t);
        if (HasTimePart(t)) {
          if (HasDatePart(t)) out += u' ';
          out += FormatShortTime(loc, t);
        }
        break;
      case Field::ShortTime: out += FormatShortTime(loc, t); break;
      case Field::AmPm: {
        bool am = t.hour < 12;
        switch (tok.style) {
          case AmPmStyle::Upper: out += am ? u"AM" : u"PM"; break;
          case AmPmStyle::Lower: out += am ? u"am" : u"pm"; break;
          case AmPmStyle::UpperLetter: out += am ? u"A" : u"P"; break;
          case AmPmStyle::LowerLetter: out += am ? u"a" : u"p"; break;
          case AmPmStyle::Locale: out += am ? loc.amDesignator : loc.pmDesignator; break;
        }
        break;
      }
    }
  }
  return out;
}

}  // namespace qm::pattern
