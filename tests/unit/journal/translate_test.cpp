// The statement translator on its own: what it accepts, what it turns the Jet-only
// parts into, and that it refuses whole whatever it does not understand.
#include <gtest/gtest.h>

#include "shared/journal/jet_translate.h"
#include "shared/journal/journal_error.h"
#include "tests/unit/journal/journal_fixture.h"

using namespace qm;
using namespace qm::test;

namespace {

std::string Sql(StrView jet) { return TranslateJetSql(jet).sql; }

void ExpectRefused(StrView jet) {
  try {
    TranslateJetSql(jet);
    ADD_FAILURE() << "accepted: " << ToUtf8(jet);
  } catch (const JournalError& e) {
    EXPECT_EQ(e.kind(), JournalErrorKind::Unsupported) << ToUtf8(jet);
    EXPECT_NE(std::string(e.what()).find("not understood"), std::string::npos);
  }
}

const char16_t kFilter[] =
    u"(FoldersProtocol.FolderPath Not Like 'c:\\temp%' AND FoldersProtocol.FolderPath <> 'd:\\kids'' games' "
    u"AND FoldersProtocol.FolderPath Not Like '%backup%')";

}  // namespace

TEST(JetTranslate, AcceptsEveryStatementTheProgramsSend) {
  std::vector<Str> selects = {LastUsedStatement(u""), LastUsedStatement(kFilter),
                              SearchStatement(u"O'Neil", u""), SearchStatement(u"100%", kFilter),
                              CountOlderThan(42), CountOlderThan(7)};
  for (int tf = 0; tf <= 6; ++tf) {
    selects.push_back(FrequentlyUsed(tf, u""));
    selects.push_back(FrequentlyUsed(tf, kFilter));
  }
  for (const Str& s : selects) {
    JetStatement st = TranslateJetSql(s);
    EXPECT_EQ(st.kind, JetStatementKind::Select) << ToUtf8(s);
    EXPECT_EQ(st.sql.find("TOP"), std::string::npos) << st.sql;
  }
  const Str deletes[] = {DeleteOlderThan(42), DeleteOlderThan(7), RemoveFromList(u"C:\\O'Neil"), kDeleteAll};
  for (const Str& s : deletes) {
    JetStatement st = TranslateJetSql(s);
    EXPECT_EQ(st.kind, JetStatementKind::Delete) << ToUtf8(s);
    EXPECT_EQ(st.sql.rfind("DELETE FROM", 0), 0u) << st.sql;
  }
}

TEST(JetTranslate, RewritesTheJetOnlyParts) {
  EXPECT_EQ(Sql(u"DELETE * FROM FoldersProtocol"), "DELETE FROM FoldersProtocol");
  EXPECT_EQ(Sql(u"delete FoldersProtocol.* from FoldersProtocol"), "DELETE FROM FoldersProtocol");
  std::string cleanup = Sql(DeleteOlderThan(42));
  EXPECT_NE(cleanup.find("jet_dateadd ( 'd' , - 42 , jet_now ( ) )"), std::string::npos) << cleanup;
  // TOP without ORDER BY is a plain limit; with ORDER BY it keeps the ties of the last row.
  EXPECT_EQ(Sql(u"SELECT TOP 3 FolderPath FROM FoldersProtocol"), "SELECT FolderPath FROM FoldersProtocol LIMIT 3");
  std::string top = Sql(FrequentlyUsed(0, u""));
  EXPECT_NE(top.find("RANK() OVER (ORDER BY count ( FoldersProtocol . FolderPath ) DESC)"), std::string::npos) << top;
  EXPECT_NE(top.find("qm_top_rank <= 15"), std::string::npos) << top;
  // Jet's double-quoted text and bracketed names.
  EXPECT_EQ(Sql(u"SELECT [Folder Path] FROM FoldersProtocol WHERE FolderName = \"it's\""),
            "SELECT \"Folder Path\" FROM FoldersProtocol WHERE FolderName = 'it''s' COLLATE JETNOCASE");
  // One closing semicolon, with blanks or line breaks after it, is part of the statement.
  EXPECT_NO_THROW(TranslateJetSql(u"DELETE * FROM FoldersProtocol;  \r\n"));
}

TEST(JetTranslate, RefusesMoreThanOneStatement) {
  ExpectRefused(u"DELETE * FROM FoldersProtocol; DROP TABLE FoldersProtocol");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol;;");
  ExpectRefused(u"DELETE * FROM FoldersProtocol WHERE FolderPath = 'a';SELECT 1");
  ExpectRefused(u"");
  ExpectRefused(u"  ;");
}

TEST(JetTranslate, RefusesStatementsOtherThanSelectAndDelete) {
  ExpectRefused(u"DROP TABLE FoldersProtocol");
  ExpectRefused(u"INSERT INTO FoldersProtocol (FolderPath) VALUES ('x')");
  ExpectRefused(u"UPDATE FoldersProtocol SET FolderPath = 'x'");
  ExpectRefused(u"PRAGMA writable_schema = 1");
  ExpectRefused(u"VACUUM");
  ExpectRefused(u"DELETE FoldersProtocol WHERE FolderPath = 'x'");
}

TEST(JetTranslate, RefusesWhatItCannotGiveJetsMeaning) {
  ExpectRefused(u"SELECT IIf(FolderPath = 'a', 1, 0) AS X FROM FoldersProtocol");
  ExpectRefused(u"SELECT UCase(FolderPath) AS X FROM FoldersProtocol");
  ExpectRefused(u"SELECT FolderPath & FolderName AS X FROM FoldersProtocol");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol WHERE DateUsed > #12/07/2026#");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol LIMIT 3");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol WHERE FolderPath GLOB 'a*'");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol WHERE FolderPath Like 'a!%' ESCAPE '!'");
  ExpectRefused(u"SELECT rowid FROM FoldersProtocol");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol -- comment");
  ExpectRefused(u"SELECT FolderPath /* x */ FROM FoldersProtocol");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol WHERE FolderPath = ?");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol WHERE FolderPath = 'open");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol WHERE (FolderPath = 'a'");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol WHERE FolderPath = 'a')");
  ExpectRefused(u"SELECT TOP 10 PERCENT FolderPath FROM FoldersProtocol");
  ExpectRefused(u"SELECT TOP 0 FolderPath FROM FoldersProtocol");
  ExpectRefused(u"SELECT TOP x FolderPath FROM FoldersProtocol");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol WHERE DateUsed > DateAdd('x', -1, Now())");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol WHERE DateUsed > DateAdd(FolderName, -1, Now())");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol WHERE DateUsed > Now(1)");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol WHERE FolderPath = 'a' || 'b'");
  ExpectRefused(u"SELECT FolderPath FROM FoldersProtocol WHERE FolderName = \u00c4rger");
}

TEST(JetTranslate, RefusesANulOutsideATextLiteral) {
  // SQLite stops reading at a NUL: the rest of the text would silently not count.
  const char16_t deleteAll[] = u"DELETE * FROM FoldersProtocol\0 WHERE FolderPath = 'c:\\keep'";
  ExpectRefused(StrView(deleteAll, sizeof(deleteAll) / sizeof(char16_t) - 1));
  const char16_t select[] = u"SELECT FolderPath FROM FoldersProtocol\0";
  ExpectRefused(StrView(select, sizeof(select) / sizeof(char16_t) - 1));
}
