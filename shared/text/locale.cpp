#include "shared/text/locale.h"

#include <vector>

namespace qm {

namespace {

LocaleFacts MakeUnitedStates() {
  LocaleFacts f;
  f.shortTimeFormat = Str(u"h:mm tt");
  f.shortDateFormat = Str(u"M/d/yyyy");
  f.dateOrder = DateOrder::MonthDayYear;
  f.firstWeekday = 0;
  f.amDesignator = Str(u"AM");
  f.pmDesignator = Str(u"PM");
  f.monthNames = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                  u"July",    u"August",   u"September", u"October", u"November", u"December"};
  f.monthAbbrevs = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                    u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  f.dayNames = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
  f.dayAbbrevs = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  f.decimalSeparator = Str(u".");
  f.thousandSeparator = Str(u",");
  return f;
}

LocaleFacts MakeGerman() {
  LocaleFacts f;
  f.shortTimeFormat = Str(u"HH:mm");
  f.shortDateFormat = Str(u"dd.MM.yyyy");
  f.dateOrder = DateOrder::DayMonthYear;
  f.firstWeekday = 1;
  f.monthNames = {u"Januar", u"Februar", u"M\u00e4rz",    u"April",   u"Mai",      u"Juni",
                  u"Juli",   u"August",  u"September", u"Oktober", u"November", u"Dezember"};
  f.monthAbbrevs = {u"Jan", u"Feb", u"M\u00e4r", u"Apr", u"Mai", u"Jun",
                    u"Jul", u"Aug", u"Sep",      u"Okt", u"Nov", u"Dez"};
  f.dayNames = {u"Sonntag",    u"Montag",  u"Dienstag", u"Mittwoch",
                u"Donnerstag", u"Freitag", u"Samstag"};
  f.dayAbbrevs = {u"So", u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa"};
  f.decimalSeparator = Str(u",");
  f.thousandSeparator = Str(u".");
  return f;
}

LocaleFacts& ProgramLocaleStorage() {
  static LocaleFacts facts = MakeUnitedStates();
  return facts;
}

// A picture split into fields (runs of one pattern letter), quoted text and other
// literal characters.
struct Piece {
  enum Kind { Field, Literal } kind;
  char16_t letter;  // for fields
  int length;       // for fields
  Str text;         // for literals (quotes already removed)
  Str raw;          // the piece as written in the picture
};

bool IsPictureLetter(char16_t c, StrView letters) { return letters.find(c) != StrView::npos; }

std::vector<Piece> SplitPicture(StrView format, StrView letters) {
  std::vector<Piece> pieces;
  size_t i = 0;
  while (i < format.size()) {
    char16_t c = format[i];
    size_t begin = i;
    if (c == u'\'') {
      // Quoted text; two quotes in a row stand for one quote.
      Str text;
      ++i;
      while (i < format.size()) {
        if (format[i] == u'\'') {
          if (i + 1 < format.size() && format[i + 1] == u'\'') {
            text.push_back(u'\'');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        text.push_back(format[i++]);
      }
      if (text.empty() && i >= 2 && format[i - 2] == u'\'' && format[i - 1] == u'\'') text = Str(1, u'\'');
      pieces.push_back({Piece::Literal, 0, 0, text, Str(format.substr(begin, i - begin))});
    } else if (IsPictureLetter(c, letters)) {
      size_t j = i;
      while (j < format.size() && format[j] == c) ++j;
      pieces.push_back({Piece::Field, c, static_cast<int>(j - i), Str(), Str(format.substr(i, j - i))});
      i = j;
    } else {
      pieces.push_back({Piece::Literal, 0, 0, Str(1, c), Str(1, c)});
      ++i;
    }
  }
  return pieces;
}

Str Digits(int value, int minWidth) {
  Str s = IntToStr(value);
  while (static_cast<int>(s.size()) < minWidth) s.insert(s.begin(), u'0');
  return s;
}

const Str& Designator(const LocaleFacts& loc, int hour) {
  return hour < 12 ? loc.amDesignator : loc.pmDesignator;
}

}  // namespace

const LocaleFacts& UnitedStatesLocale() {
  static const LocaleFacts facts = MakeUnitedStates();
  return facts;
}

const LocaleFacts& GermanLocale() {
  static const LocaleFacts facts = MakeGerman();
  return facts;
}

const LocaleFacts& ProgramLocale() { return ProgramLocaleStorage(); }

void SetProgramLocale(const LocaleFacts& facts) { ProgramLocaleStorage() = facts; }

Str FormatShortTime(const LocaleFacts& loc, const LocalDateTime& t) {
  Str out;
  for (const Piece& p : SplitPicture(loc.shortTimeFormat, u"hHmst")) {
    if (p.kind == Piece::Literal) {
      out += p.text;
      continue;
    }
    int width = p.length >= 2 ? 2 : 1;
    switch (p.letter) {
      case u'h': out += Digits(t.hour % 12 == 0 ? 12 : t.hour % 12, width); break;
      case u'H': out += Digits(t.hour, width); break;
      case u'm': out += Digits(t.minute, width); break;
      case u's': out += Digits(t.second, width); break;
      case u't': {
        const Str& d = Designator(loc, t.hour);
        out += p.length >= 2 ? d : d.substr(0, d.empty() ? 0 : 1);
        break;
      }
      default: break;
    }
  }
  // A locale without designators leaves the blank that stood before "tt".
  return TrimRightBlanks(out);
}

Str FormatShortDate(const LocaleFacts& loc, const LocalDateTime& t) {
  Str out;
  int weekday = t.DayOfWeek();
  int month = (t.month >= 1 && t.month <= 12) ? t.month - 1 : 0;
  for (const Piece& p : SplitPicture(loc.shortDateFormat, u"dMyg")) {
    if (p.kind == Piece::Literal) {
      out += p.text;
      continue;
    }
    switch (p.letter) {
      case u'd':
        if (p.length <= 2) out += Digits(t.day, p.length);
        else out += p.length == 3 ? loc.dayAbbrevs[weekday] : loc.dayNames[weekday];
        break;
      case u'M':
        if (p.length <= 2) out += Digits(t.month, p.length);
        else out += p.length == 3 ? loc.monthAbbrevs[month] : loc.monthNames[month];
        break;
      case u'y':
        if (p.length == 1) out += IntToStr(t.year % 100);
        else if (p.length == 2) out += Digits(t.year % 100, 2);
        else out += Digits(t.year, 4);
        break;
      default:  // era (g, gg): the Gregorian calendar has none worth showing
        break;
    }
  }
  return out;
}

Str RemoveSecondsFromTimeFormat(StrView format) {
  std::vector<Piece> pieces = SplitPicture(format, u"hHmst");
  std::vector<bool> keep(pieces.size(), true);
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].kind != Piece::Field || pieces[i].letter != u's') continue;
    keep[i] = false;
    // The separator in front of the seconds goes with them; when the seconds come
    // first, the separator after them goes instead.
    size_t k = i;
    bool before = false;
    while (k > 0 && pieces[k - 1].kind == Piece::Literal) --k;
    if (k > 0) {
      before = true;
      for (size_t j = k; j < i; ++j) keep[j] = false;
    }
    if (!before) {
      for (size_t j = i + 1; j < pieces.size() && pieces[j].kind == Piece::Literal; ++j) keep[j] = false;
    }
  }
  Str out;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (keep[i]) out += pieces[i].raw;
  }
  return out;
}

DateOrder DateOrderFromPattern(StrView format) {
  int dayAt = -1, monthAt = -1, yearAt = -1;
  std::vector<Piece> pieces = SplitPicture(format, u"dMy");
  for (size_t i = 0; i < pieces.size(); ++i) {
    const Piece& p = pieces[i];
    if (p.kind != Piece::Field) continue;
    int at = static_cast<int>(i);
    if (p.letter == u'd' && p.length <= 2 && dayAt < 0) dayAt = at;  // ddd, dddd: weekday
    if (p.letter == u'M' && monthAt < 0) monthAt = at;
    if (p.letter == u'y' && yearAt < 0) yearAt = at;
  }
  if (yearAt >= 0 && (monthAt < 0 || yearAt < monthAt) && (dayAt < 0 || yearAt < dayAt))
    return DateOrder::YearMonthDay;
  if (dayAt >= 0 && monthAt >= 0 && dayAt < monthAt) return DateOrder::DayMonthYear;
  return DateOrder::MonthDayYear;
}

}  // namespace qm
