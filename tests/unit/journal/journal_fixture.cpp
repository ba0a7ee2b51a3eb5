#include "tests/unit/journal/journal_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "shared/journal/journal_files.h"

namespace qm::test {

LocalDateTime At(int y, int mo, int d, int h, int mi, int s) {
  LocalDateTime t;
  t.year = y; t.month = mo; t.day = d; t.hour = h; t.minute = mi; t.second = s;
  return t;
}

LocalDateTime Plus(const LocalDateTime& t, long long seconds) {
  long long total = DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 +
                    t.second + seconds;
  long long days = total >= 0 ? total / 86400 : (total - 86399) / 86400;
  long long secs = total - days * 86400;
  LocalDateTime r;
  CivilFromDays(days, r.year, r.month, r.day);
  r.hour = static_cast<int>(secs / 3600);
  r.minute = static_cast<int>(secs / 60 % 60);
  r.second = static_cast<int>(secs % 60);
  return r;
}

ScratchFolder::ScratchFolder() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "qm-journal-XXXXXX").string();
  char* made = mkdtemp(&tmpl[0]);
  if (!made) std::abort();
  path_ = FromUtf8(made);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  std::filesystem::remove_all(ToUtf8(path_), ec);
}

JournalTest::JournalTest() {
  mkdir(ToUtf8(scratch.Sub(u"local")).c_str(), 0777);
  mkdir(ToUtf8(scratch.Sub(u"roaming")).c_str(), 0777);
  mkdir(ToUtf8(scratch.Sub(u"program")).c_str(), 0777);
  paths = MakeJournalPaths(scratch.Sub(u"local"), scratch.Sub(u"roaming"), scratch.Sub(u"program"));
  WriteFile(paths.templateFile, ReadFile(FromUtf8(QM_TEST_TEMPLATE)));
}

void JournalTest::CreateJournal() { ASSERT_TRUE(CreateDatabaseFromTemplate(paths, nullptr)); }

void JournalTest::Append(StrView path, StrView name, const LocalDateTime& when) {
  Connection c = Open();
  c.AppendRow(path, name, when);
}

long long JournalTest::CountRows() {
  Connection c = Open();
  RowStream rows = c.OpenQuery(u"SELECT Count(*) AS N FROM FoldersProtocol");
  EXPECT_TRUE(rows.Next());
  return static_cast<long long>(rows.Number(u"N"));
}

void WriteFile(const Str& path, const std::string& bytes) {
  std::ofstream f(ToUtf8(path), std::ios::binary | std::ios::trunc);
  f << bytes;
}

std::string ReadFile(const Str& path) {
  std::ifstream f(ToUtf8(path), std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

bool Exists(const Str& path) { return PathExists(path); }

Str DeleteOlderThan(int days) {
  return u"DELETE * From FoldersProtocol WHERE ((FoldersProtocol.DateUsed)<DateAdd('d',-" + IntToStr(days) +
         u",Now()))";
}

Str CountOlderThan(int days) {
  return u"Select Count(FoldersProtocol.FolderName) AS EntriesCount From FoldersProtocol WHERE "
         u"((FoldersProtocol.DateUsed)<DateAdd('d',-" +
         IntToStr(days) + u",Now()))";
}

Str FrequentlyUsed(int timeframe, StrView filter) {
  static const char16_t* const kClauses[] = {
      u"",
      u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('h',-3,Now()))",
      u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-1,Now()))",
      u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-3,Now()))",
      u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-7,Now()))",
      u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-14,Now()))",
      u"WHERE ((FoldersProtocol.DateUsed)>DateAdd('d',-30,Now()))"};
  Str w = kClauses[timeframe];
  if (timeframe == 0 && !filter.empty()) w = u"WHERE " + Str(filter);
  if (timeframe > 0 && !filter.empty()) w += u" AND " + Str(filter);
  return u"SELECT TOP 15 FoldersProtocol.FolderPath, FoldersProtocol.FolderName, "
         u"Count(FoldersProtocol.FolderPath) AS UsageCount From FoldersProtocol " +
         w + u" GROUP BY FoldersProtocol.FolderPath, FoldersProtocol.FolderName ORDER BY "
             u"Count(FoldersProtocol.FolderPath) DESC;";
}

Str SearchStatement(StrView searchText, StrView filter) {
  Str s = TrimBlanks(searchText);
  Str doubled;
  for (char16_t c : s) {
    doubled.push_back(c);
    if (c == u'\'') doubled.push_back(u'\'');
  }
  Str head =
      u"SELECT FoldersProtocol.FolderPath, FoldersProtocol.FolderName, FoldersProtocol.DateUsed FROM "
      u"FoldersProtocol WHERE (FoldersProtocol.FolderPath Like '%" +
      doubled + u"%' OR FoldersProtocol.FolderName Like '%" + doubled + u"%')";
  if (!filter.empty()) head += u" AND " + Str(filter);
  return head + u" ORDER BY FoldersProtocol.DateUsed DESC;";
}

Str LastUsedStatement(StrView filter) {
  if (filter.empty())
    return u"SELECT FoldersProtocol.FolderPath, FoldersProtocol.FolderName, FoldersProtocol.DateUsed FROM "
           u"FoldersProtocol ORDER BY FoldersProtocol.DateUsed DESC;";
  return u"SELECT FoldersProtocol.FolderPath, FoldersProtocol.FolderName, FoldersProtocol.DateUsed FROM "
         u"FoldersProtocol WHERE " +
         Str(filter) + u" ORDER BY FoldersProtocol.DateUsed DESC;";
}

Str RemoveFromList(StrView path) {
  Str doubled;
  for (char16_t c : path) {
    doubled.push_back(c);
    if (c == u'\'') doubled.push_back(u'\'');
  }
  return u"DELETE * FROM FoldersProtocol WHERE FoldersProtocol.FolderPath = '" + doubled + u"';";
}

const char16_t kDeleteAll[] = u"DELETE * FROM FoldersProtocol";

}  // namespace qm::test
