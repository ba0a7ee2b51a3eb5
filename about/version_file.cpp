#include "about/version_file.h"

#include "about/xml_reader.h"

namespace qm {

std::optional<long> VersionNumberFromText(const std::string& text) {
  const std::string digits = TrimXmlSpace(text);
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool ParseVersionFile(const std::string& bytes, VersionFile& out) {
  out = VersionFile{};
  if (bytes.empty() || bytes.size() > kMaxVersionFileBytes) return false;
  XmlDocument doc;
  if (!doc.Parse(bytes)) return false;
  const int root = doc.FindFirst(-1, "quillmark");
  if (root < 0) return false;
  const int info = doc.FindFirst(root, "version_info");
  if (info < 0) return false;

  auto number = [&](const char* name) -> std::optional<long> {
    const int e = doc.FindFirst(info, name);
    if (e < 0) return std::nullopt;
    return VersionNumberFromText(doc.Text(e));
  };
  out.build = number("build");
  out.buildManualCheck = number("build_manualcheck");
  out.major = number("major");
  out.minor = number("minor");
  const int url = doc.FindFirst(root, "download_url");
  if (url >= 0) out.downloadUrl = FromUtf8(TrimXmlSpace(doc.Text(url)));
  return true;
}

}  // namespace qm
