// The maker's addresses on the network: the version file of the update check, the
// feedback mailbox, the product's web page and the maker's web site.
#pragma once

namespace qm {

// Where the update check reads the version file. The environment variable below, when
// set to an http:// or https:// address, is read instead (tests point it at a server on
// the loopback address; nothing needs rebuilding).
inline constexpr char16_t kVersionFileUrl[] = u"https://www.tarnhold.com/download/version_check_rv.xml";
inline constexpr char16_t kVersionFileUrlVariable[] = u"QUILLMARK_UPDATE_URL";

inline constexpr char16_t kFeedbackAddress[] = u"quillmark@tarnhold.com";
inline constexpr char16_t kProductWebPage[] = u"https://www.tarnhold.com/quillmark/";
inline constexpr char16_t kMakerWebSite[] = u"https://www.tarnhold.com/";

}  // namespace qm
