#include "shared/journal/journal_paths.h"

#include "shared/journal/connection_string.h"
#include "shared/journal/journal_files.h"

namespace qm {

namespace {
// Suffixes are written with '\' and follow the platform's separator.
Str Join(StrView folder, StrView suffix) {
  if (folder.empty()) return Str();
  Str out(folder);
  for (char16_t c : suffix) out.push_back(c == u'\\' ? kPathSeparator : c);
  return out;
}
}  // namespace

Str JournalPaths::ConnectionString() const { return JournalConnectionString(journalFile); }

JournalPaths MakeJournalPaths(StrView localAppData, StrView roamingAppData, StrView programFolder) {
  JournalPaths p;
  p.journalFolder = Join(localAppData, u"\\Quillmark");
  p.journalFile = Join(localAppData, u"\\Quillmark\\Quillmark.dat");
  p.compactionTarget = Join(localAppData, u"\\Quillmark\\QuillmarkC.dat");
  p.templateFile = Join(programFolder, u"\\Template.dat");
  p.mainProgram = Join(programFolder, u"\\Quillmark.exe");
  p.quickLaunchFolder = Join(roamingAppData, u"\\Microsoft\\Internet Explorer\\Quick Launch");
  p.quickLaunchLink = Join(roamingAppData, u"\\Microsoft\\Internet Explorer\\Quick Launch\\Quillmark.lnk");
  return p;
}

}  // namespace qm
