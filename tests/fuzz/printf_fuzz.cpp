// printf with any format and any values. The first piece is the format; every further
// piece is one value, its first byte choosing the kind: text, whole number, real number,
// or a date as the journal hands it out (an OLE date, whatever number the file holds).
// A format printf cannot use is the caller's error and must come back as PrintfError;
// anything else escaping, or any fault the sanitizers see, is a failure.
#include "shared/text/printf.h"
#include "tests/fuzz/fuzz_text.h"

using namespace qm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto pieces = fuzz::Pieces(data, size);
  const Str format = fuzz::TextOf(pieces[0]);
  Values values;
  for (size_t i = 1; i < pieces.size() && i <= 12; ++i) {
    std::string_view p = pieces[i];
    const unsigned kind = p.empty() ? 0 : static_cast<unsigned char>(p[0]) % 4;
    if (!p.empty()) p.remove_prefix(1);
    switch (kind) {
      case 0: values.emplace_back(fuzz::TextOf(p)); break;
      case 1: values.emplace_back(static_cast<long long>(fuzz::NumberOf(p))); break;
      case 2: values.emplace_back(fuzz::RealOf(p)); break;
      default: values.emplace_back(FromOleDate(fuzz::RealOf(p))); break;
    }
  }
  const LocaleFacts& locale = size % 2 ? GermanLocale() : UnitedStatesLocale();
  try {
    const Str out = printf(format, values, locale);
    (void)out;
  } catch (const PrintfError&) {
  }
  return 0;
}
