#include "shared/settings/variant.h"

#include <cmath>
#include <cstdio>

namespace qm {

namespace {
const Str kNoText;
const Bytes kNoBytes;

Str DoubleToText(double d) {
  if (std::isnan(d)) return u"NaN";
  if (std::isinf(d)) return d < 0 ? u"-Infinity" : u"Infinity";
  // Shortest of up to 15 significant digits, as a person would write the number.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", d);
  return FromUtf8(buf);
}
}  // namespace

const Str& Variant::text() const {
  const Str* s = std::get_if<Str>(&v_);
  return s ? *s : kNoText;
}

int32_t Variant::integer() const {
  if (const int16_t* n = std::get_if<int16_t>(&v_)) return *n;
  if (const int32_t* n = std::get_if<int32_t>(&v_)) return *n;
  return 0;
}

bool Variant::boolean() const {
  const bool* b = std::get_if<bool>(&v_);
  return b ? *b : false;
}

double Variant::real() const {
  const double* d = std::get_if<double>(&v_);
  return d ? *d : 0.0;
}

const Bytes& Variant::bytes() const {
  const Bytes* b = std::get_if<Bytes>(&v_);
  return b ? *b : kNoBytes;
}

Str Variant::ToText() const {
  switch (kind()) {
    case Kind::Empty:
      return Str();
    case Kind::Text:
      return text();
    case Kind::Int16:
    case Kind::Int32:
      return IntToStr(integer());
    case Kind::Boolean:
      return boolean() ? u"True" : u"False";
    case Kind::Double:
      return DoubleToText(real());
    case Kind::Bytes: {
      const Bytes& b = bytes();
      Str out;
      out.reserve(b.size() / 2);
      for (size_t i = 0; i + 1 < b.size(); i += 2)
        out.push_back(static_cast<char16_t>(b[i] | (b[i + 1] << 8)));
      return out;
    }
  }
  return Str();
}

}  // namespace qm
