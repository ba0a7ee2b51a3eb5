// The update check's version file, as the server's bytes: whatever arrives, reading it
// never fails hard, a file the reader refuses gives no numbers, an accepted file's
// numbers are whole numbers of at most nine digits, and what the check makes of it
// either fails or names versions, with a download page only where it may be opened.
// A second reading of the same bytes gives the same answer (the reader keeps no state).
#include <string>

#include "about/update_rules.h"
#include "about/version_file.h"
#include "tests/fuzz/fuzz_text.h"

using namespace qm;

namespace {

bool InRange(const std::optional<long>& n) { return !n || (*n >= 0 && *n <= 999999999L); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  VersionFile file;
  const bool read = ParseVersionFile(bytes, file);
  if (!read) {
    QM_FUZZ_CHECK(!file.build && !file.buildManualCheck && !file.major && !file.minor && !file.downloadUrl);
    return 0;
  }
  QM_FUZZ_CHECK(size > 0 && size <= kMaxVersionFileBytes);
  QM_FUZZ_CHECK(InRange(file.build) && InRange(file.buildManualCheck) && InRange(file.major) && InRange(file.minor));
  VersionFile again;
  QM_FUZZ_CHECK(ParseVersionFile(bytes, again));
  QM_FUZZ_CHECK(again.build == file.build && again.buildManualCheck == file.buildManualCheck &&
                again.major == file.major && again.minor == file.minor && again.downloadUrl == file.downloadUrl);

  const ProgramVersion installed{1, 0, 100};
  for (bool manual : {false, true}) {
    const UpdateDecision d = DecideUpdate(file, manual, installed);
    const std::optional<long>& offered = manual ? file.buildManualCheck : file.build;
    if (d.outcome == UpdateOutcome::Available) {
      QM_FUZZ_CHECK(offered && *offered > installed.build && file.major && file.minor);
      QM_FUZZ_CHECK(!d.availableText.empty() && !d.installedText.empty());
      if (d.downloadUrl) QM_FUZZ_CHECK(IsOpenableDownloadUrl(*d.downloadUrl));
    } else {
      QM_FUZZ_CHECK(!d.downloadUrl);
      if (d.outcome == UpdateOutcome::UpToDate) QM_FUZZ_CHECK(offered && *offered <= installed.build);
    }
  }
  return 0;
}
