#include "shared/settings/registry_data.h"

namespace qm {

Bytes TextToRegBytes(StrView text) {
  Bytes out;
  out.reserve((text.size() + 1) * 2);
  for (char16_t c : text) {
    out.push_back(static_cast<uint8_t>(c & 0xFF));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  out.push_back(0);
  out.push_back(0);
  return out;
}

Str RegBytesToText(const Bytes& data) {
  Str out;
  out.reserve(data.size() / 2);
  for (size_t i = 0; i + 1 < data.size(); i += 2)
    out.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  if (!out.empty() && out.back() == u'\0') out.pop_back();
  return out;
}

Bytes DwordToBytes(int32_t value) {
  uint32_t u = static_cast<uint32_t>(value);
  return Bytes{static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8),
               static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 24)};
}

int32_t BytesToDword(const Bytes& data) {
  uint32_t u = 0;
  for (size_t i = 0; i < 4 && i < data.size(); ++i) u |= static_cast<uint32_t>(data[i]) << (8 * i);
  return static_cast<int32_t>(u);
}

int32_t BigEndianBytesToDword(const Bytes& data) {
  uint32_t u = 0;
  for (size_t i = 0; i < 4; ++i) u = (u << 8) | (i < data.size() ? data[i] : 0);
  return static_cast<int32_t>(u);
}

bool HasEnvironmentReference(StrView text) {
  size_t first = text.find(u'%');
  if (first == StrView::npos) return false;
  return text.find(u'%', first + 2) != StrView::npos;
}

}  // namespace qm
