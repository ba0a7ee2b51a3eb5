#include "about/update_rules.h"

#include "resources/common/version.h"
#include "shared/text/printf.h"

namespace qm {

namespace {

// The longest address the shell is given (INTERNET_MAX_URL_LENGTH).
constexpr size_t kMaxUrlLength = 2083;

}  // namespace

ProgramVersion InstalledVersion() { return {QM_VERSION_MAJOR, QM_VERSION_MINOR, QM_VERSION_BUILD}; }

Str VersionDisplayText(long major, long minor, long build) {
  const long minorPart = minor % 10 == 0 ? minor / 10 : minor;
  return printf(u"[*].[*].[0000]", {major, minorPart, build});
}

UpdateDecision DecideUpdate(const VersionFile& file, bool manualCheck, const ProgramVersion& installed) {
  UpdateDecision d;
  d.installedText = VersionDisplayText(installed.major, installed.minor, installed.build);
  const std::optional<long>& offered = manualCheck ? file.buildManualCheck : file.build;
  if (!offered) return d;
  if (*offered <= installed.build) {
    d.outcome = UpdateOutcome::UpToDate;
    return d;
  }
  if (!file.major || !file.minor) return d;
  d.outcome = UpdateOutcome::Available;
  d.availableText = VersionDisplayText(*file.major, *file.minor, *offered);
  if (file.downloadUrl && IsOpenableDownloadUrl(*file.downloadUrl)) d.downloadUrl = file.downloadUrl;
  return d;
}

bool IsOpenableDownloadUrl(StrView url) {
  if (url.size() > kMaxUrlLength) return false;
  Str lower = ToLower(url);
  size_t rest = 0;
  if (StartsWith(lower, u"http://"))
    rest = 7;
  else if (StartsWith(lower, u"https://"))
    rest = 8;
  else
    return false;
  // A host must follow the scheme.
  if (url.size() <= rest || url[rest] == u'/') return false;
  for (char16_t c : url)
    if (c <= 0x20 || c == 0x7F || c == u'"' || c == u'<' || c == u'>' || (c >= 0x80 && c <= 0x9F)) return false;
  return true;
}

}  // namespace qm
