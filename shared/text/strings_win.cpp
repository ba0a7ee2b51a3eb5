#include "shared/text/strings_win.h"

#include "shared/base/str_win.h"

namespace qm {

namespace {

class ResourceSource : public StringSource {
 public:
  using StringSource::Load;
  Str Load(int id) const override { return LoadStr(id); }
};

}  // namespace

Str LoadStr(HINSTANCE module, int id) {
  // String resources are numbered 0..65535; anything else would alias another number.
  if (id < 0 || id > 0xFFFF) return Str();
  // With a buffer size of 0 the call hands out a pointer into the resource itself
  // (not terminated) and returns its length: no copy, no length limit.
  const wchar_t* text = nullptr;
  int length = LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) return Str();
  return FromW(text, static_cast<size_t>(length));
}

Str LoadStr(int id) { return LoadStr(GetModuleHandleW(nullptr), id); }

const StringSource& ResourceStrings() {
  static const ResourceSource source;
  return source;
}

}  // namespace qm
