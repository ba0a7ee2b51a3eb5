#include "background/worker_text.h"

namespace qm {

namespace {
bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

WorkerTextIntake DecodeWorkerText(const void* data, std::size_t byteCount, Str& out) {
  out.clear();
  if (data == nullptr || byteCount == 0) return WorkerTextIntake::NoData;
  if (byteCount % 2 != 0) return WorkerTextIntake::OddLength;
  if (byteCount > kMaxWorkerTextBytes) return WorkerTextIntake::TooLarge;

  const auto* bytes = static_cast<const unsigned char*>(data);
  std::size_t count = byteCount / 2;
  Str text(count, u'\0');
  for (std::size_t i = 0; i < count; ++i) {
    text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  while (!text.empty() && text.back() == u'\0') text.pop_back();
  if (text.empty()) return WorkerTextIntake::Empty;

  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (IsHigh(c)) {
      if (i + 1 < text.size() && IsLow(text[i + 1])) {
        ++i;  // a proper pair
      } else {
        text[i] = u'\uFFFD';
      }
    } else if (IsLow(c)) {
      text[i] = u'\uFFFD';
    }
  }
  out = std::move(text);
  return WorkerTextIntake::Accepted;
}

Str WorkerTextRefusal(WorkerTextIntake intake, std::size_t byteCount) {
  const Str head = u"WM_COPYDATA refused: ";
  const Str bytes = IntToStr(static_cast<long long>(byteCount));
  switch (intake) {
    case WorkerTextIntake::Accepted:
      return Str();
    case WorkerTextIntake::NoData:
      return head + u"no text";
    case WorkerTextIntake::OddLength:
      return head + u"an odd number of bytes (" + bytes + u")";
    case WorkerTextIntake::TooLarge:
      return head + bytes + u" bytes, more than " + IntToStr(static_cast<long long>(kMaxWorkerTextBytes));
    case WorkerTextIntake::Empty:
      return head + u"nothing but NUL characters";
  }
  return head + u"malformed";
}

}  // namespace qm
