// The value that flows in and out of the settings store. A registry value can be text,
// a number or raw bytes, and callers hand in whatever they hold (a Boolean, a number,
// text); the store's write rules depend on which kind of value it was given, so the
// kind is kept rather than converted early.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "shared/base/str.h"

namespace qm {

using Bytes = std::vector<uint8_t>;

class Variant {
 public:
  enum class Kind { Empty, Text, Int16, Int32, Boolean, Double, Bytes };

  Variant() = default;
  Variant(Str text) : v_(std::move(text)) {}
  Variant(const char16_t* text) : v_(Str(text ? text : u"")) {}
  Variant(StrView text) : v_(Str(text)) {}
  Variant(int16_t n) : v_(n) {}
  Variant(int32_t n) : v_(n) {}
  Variant(bool b) : v_(b) {}
  Variant(double d) : v_(d) {}
  Variant(Bytes bytes) : v_(std::move(bytes)) {}

  Kind kind() const { return static_cast<Kind>(v_.index()); }
  bool IsEmpty() const { return kind() == Kind::Empty; }
  bool IsText() const { return kind() == Kind::Text; }
  bool IsInteger() const { return kind() == Kind::Int16 || kind() == Kind::Int32; }
  bool IsBytes() const { return kind() == Kind::Bytes; }

  // Direct access; each one expects the matching kind (else an empty text, 0, false or
  // no bytes).
  const Str& text() const;
  int32_t integer() const;  // Int16 or Int32, widened
  bool boolean() const;
  double real() const;
  const Bytes& bytes() const;

  // The value as text, the way it shows in messages and in what a text value stores:
  // empty -> "", numbers in decimal, Booleans "True"/"False", bytes read as UTF-16
  // code units (low byte first; an odd last byte is dropped).
  Str ToText() const;

  friend bool operator==(const Variant& a, const Variant& b) { return a.v_ == b.v_; }
  friend bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }

 private:
  // Order matches Kind.
  std::variant<std::monostate, Str, int16_t, int32_t, bool, double, Bytes> v_;
};

}  // namespace qm
