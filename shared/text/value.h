// One value for the placeholder formatter: a text, a whole number, a real number or a
// local date and time. Values convert implicitly, so that callers can write
// qm::printf(u"Used: [*] times", {3}) or {name, count, when}.
#pragma once

#include <type_traits>
#include <vector>

#include "shared/base/datetime.h"
#include "shared/base/str.h"

namespace qm {

class Value {
 public:
  enum class Kind { Text, Integer, Real, DateTime };

  Value(Str text) : kind_(Kind::Text), text_(std::move(text)) {}
  Value(StrView text) : kind_(Kind::Text), text_(text) {}
  Value(const char16_t* text) : kind_(Kind::Text), text_(text ? text : u"") {}
  // Every integer type except bool and the character types (a char16_t is a letter, not
  // a number: pass it as a text).
  template <typename T,
            std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool> &&
                                 !std::is_same_v<T, char> && !std::is_same_v<T, char16_t> &&
                                 !std::is_same_v<T, char32_t> && !std::is_same_v<T, wchar_t>,
                             int> = 0>
  Value(T number) : kind_(Kind::Integer), integer_(static_cast<long long>(number)) {}
  Value(double number) : kind_(Kind::Real), real_(number) {}
  Value(const LocalDateTime& when) : kind_(Kind::DateTime), date_(when) {}
  Value(bool) = delete;
  // A single character would otherwise turn into a number silently.
  Value(char) = delete;
  Value(char16_t) = delete;
  Value(char32_t) = delete;
  Value(wchar_t) = delete;

  Kind kind() const { return kind_; }
  const Str& text() const { return text_; }
  long long integer() const { return integer_; }
  double real() const { return real_; }
  const LocalDateTime& dateTime() const { return date_; }

 private:
  Kind kind_;
  Str text_;
  long long integer_ = 0;
  double real_ = 0;
  LocalDateTime date_;
};

using Values = std::vector<Value>;

}  // namespace qm
