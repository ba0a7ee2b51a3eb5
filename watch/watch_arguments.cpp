#include "watch/watch_arguments.h"

namespace qm {

namespace {
constexpr char16_t kParentSwitch[] = u"/parent=";
}

Str ParentArgument(std::uint64_t handle) {
  return Str(kParentSwitch) + IntToStr(static_cast<long long>(handle));
}

std::optional<std::uint64_t> ParentHandleArgument(StrView arguments) {
  std::size_t pos = 0;
  while (pos < arguments.size()) {
    while (pos < arguments.size() && (arguments[pos] == u' ' || arguments[pos] == u'\t')) ++pos;
    std::size_t end = pos;
    while (end < arguments.size() && arguments[end] != u' ' && arguments[end] != u'\t') ++end;
    const StrView word = arguments.substr(pos, end - pos);
    if (StartsWith(word, kParentSwitch)) {
      long long value = 0;
      if (!ParseInt(word.substr(StrView(kParentSwitch).size()), value) || value <= 0) return std::nullopt;
      return static_cast<std::uint64_t>(value);
    }
    pos = end;
  }
  return std::nullopt;
}

}  // namespace qm
