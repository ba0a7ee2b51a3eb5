// Number patterns: digits 0 and #, decimal point, grouping comma, per cent, up to three
// sections (positive; negative; zero). Rounding is half away from zero on the decimal
// digits, so 2.345 with "0.00" gives 2.35 as a reader expects.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "shared/text/pattern_internal.h"

namespace qm::pattern {

namespace {

enum class Kind { Literal, Digit, Point, Comma, Percent };

struct Item {
  Kind kind;
  char16_t digit = 0;  // '0' or '#'
  Str text;
};

std::vector<StrView> SplitSections(StrView p) {
  std::vector<StrView> sections;
  size_t start = 0;
  bool quoted = false;
  for (size_t i = 0; i < p.size(); ++i) {
    if (p[i] == u'"') quoted = !quoted;
    else if (!quoted && p[i] == u'\\') ++i;
    else if (!quoted && p[i] == u';') {
      sections.push_back(p.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(p.substr(start));
  return sections;
}

std::vector<Item> Parse(StrView p) {
  std::vector<Item> items;
  for (size_t i = 0; i < p.size(); ++i) {
    char16_t c = p[i];
    if (c == u'"') {
      size_t end = p.find(u'"', i + 1);
      if (end == StrView::npos) end = p.size();
      items.push_back({Kind::Literal, 0, Str(p.substr(i + 1, end - i - 1))});
      i = end;
    } else if (c == u'\\') {
      if (i + 1 < p.size()) items.push_back({Kind::Literal, 0, Str(1, p[i + 1])});
      ++i;
    } else if (c == u'0' || c == u'#') {
      items.push_back({Kind::Digit, c, Str()});
    } else if (c == u'.') {
      items.push_back({Kind::Point, 0, Str()});
    } else if (c == u',') {
      items.push_back({Kind::Comma, 0, Str()});
    } else if (c == u'%') {
      items.push_back({Kind::Percent, 0, Str()});
    } else {
      items.push_back({Kind::Literal, 0, Str(1, c)});
    }
  }
  return items;
}

bool IsZero(const Decimal& d) {
  for (char c : d.integer) if (c != '0') return false;
  for (char c : d.fraction) if (c != '0') return false;
  return true;
}

// Rounds to `places` fraction digits, half away from zero.
void Round(Decimal& d, size_t places) {
  if (d.fraction.size() <= places) return;
  bool up = d.fraction[places] >= '5';
  d.fraction.resize(places);
  if (!up) return;
  std::string all = d.integer + d.fraction;
  int i = static_cast<int>(all.size()) - 1;
  for (; i >= 0; --i) {
    if (all[i] == '9') {
      all[i] = '0';
    } else {
      ++all[i];
      break;
    }
  }
  if (i < 0) all.insert(all.begin(), '1');
  d.integer = all.substr(0, all.size() - places);
  d.fraction = all.substr(all.size() - places);
}

Str Group(const std::string& digits, const Str& separator) {
  Str out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out.push_back(static_cast<char16_t>(digits[i]));
  }
  return out;
}

Str FormatSection(Decimal d, StrView section, bool withSign, const LocaleFacts& loc) {
  std::vector<Item> items = Parse(section);
  size_t point = items.size();
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].kind == Kind::Point) {
      point = i;
      break;
    }
  }
  size_t intSlots = 0, minInt = 0, fracSlots = 0, minFrac = 0;
  bool grouping = false, percent = false;
  for (size_t i = 0; i < items.size(); ++i) {
    const Item& it = items[i];
    if (it.kind == Kind::Percent) percent = true;
    if (it.kind == Kind::Digit && i < point) {
      ++intSlots;
      if (it.digit == u'0') ++minInt;
    } else if (it.kind == Kind::Digit) {
      ++fracSlots;
      if (it.digit == u'0') minFrac = fracSlots;
    } else if (it.kind == Kind::Comma && i < point && intSlots > 0) {
      // A comma between digit places groups thousands.
      for (size_t k = i + 1; k < point; ++k) {
        if (items[k].kind == Kind::Digit) grouping = true;
      }
    }
  }

  if (percent) {
    std::string f = d.fraction + "00";
    d.integer += f.substr(0, 2);
    d.fraction = f.substr(2);
  }
  Round(d, fracSlots);
  while (d.fraction.size() > minFrac && d.fraction.back() == '0') d.fraction.pop_back();
  while (d.fraction.size() < minFrac) d.fraction.push_back('0');
  size_t lead = d.integer.find_first_not_of('0');
  std::string intDigits = lead == std::string::npos ? std::string() : d.integer.substr(lead);
  while (intDigits.size() < minInt) intDigits.insert(intDigits.begin(), '0');

  Str out;
  if (withSign && d.negative && !IsZero(d)) out += u'-';
  size_t slot = 0, fracIndex = 0;
  bool intWritten = false;
  auto writeAllInteger = [&]() {
    if (intWritten) return;
    out += grouping ? Group(intDigits, loc.thousandSeparator) : Group(intDigits, Str());
    intWritten = true;
  };
  for (size_t i = 0; i < items.size(); ++i) {
    const Item& it = items[i];
    switch (it.kind) {
      case Kind::Literal: out += it.text; break;
      case Kind::Comma: break;
      case Kind::Percent: out += u'%'; break;
      case Kind::Point:
        if (intSlots == 0) writeAllInteger();
        if (!d.fraction.empty()) out += loc.decimalSeparator;
        break;
      case Kind::Digit:
        if (i < point) {
          // Integer digits fill the places from the right; the first place takes every
          // digit that has no place of its own.
          if (grouping) {
            writeAllInteger();
          } else {
            size_t len = intDigits.size();
            if (len >= intSlots) {
              if (slot == 0) for (size_t k = 0; k + intSlots <= len; ++k) out.push_back(intDigits[k]);
              else out.push_back(static_cast<char16_t>(intDigits[len - intSlots + slot]));
            } else if (slot >= intSlots - len) {
              out.push_back(static_cast<char16_t>(intDigits[slot - (intSlots - len)]));
            }
            intWritten = true;
          }
          ++slot;
        } else if (fracIndex < d.fraction.size()) {
          out.push_back(static_cast<char16_t>(d.fraction[fracIndex++]));
        }
        break;
    }
  }
  return out;
}

}  // namespace

Decimal DecimalFromInteger(long long v) {
  Decimal d;
  d.negative = v < 0;
  unsigned long long u = d.negative ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  d.integer = std::to_string(u);
  return d;
}

Decimal DecimalFromReal(double v) {
  Decimal d;
  d.negative = std::signbit(v);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
  // buf: d.dddddddddddddde[+-]x
  std::string text(buf);
  size_t e = text.find('e');
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  int exponent = std::atoi(text.c_str() + e + 1);
  int pointAt = 1 + exponent;  // digits before the decimal point
  if (pointAt <= 0) {
    d.integer = "0";
    d.fraction = std::string(static_cast<size_t>(-pointAt), '0') + digits;
  } else if (pointAt >= static_cast<int>(digits.size())) {
    d.integer = digits + std::string(static_cast<size_t>(pointAt) - digits.size(), '0');
  } else {
    d.integer = digits.substr(0, static_cast<size_t>(pointAt));
    d.fraction = digits.substr(static_cast<size_t>(pointAt));
  }
  while (!d.fraction.empty() && d.fraction.back() == '0') d.fraction.pop_back();
  return d;
}

Str FormatNumber(const Decimal& number, StrView pattern, const LocaleFacts& loc) {
  std::vector<StrView> sections = SplitSections(pattern);
  if (sections.size() >= 3 && IsZero(number)) return FormatSection(number, sections[2], false, loc);
  if (number.negative && sections.size() >= 2 && !sections[1].empty()) {
    return FormatSection(number, sections[1], false, loc);
  }
  return FormatSection(number, sections[0], true, loc);
}

}  // namespace qm::pattern
