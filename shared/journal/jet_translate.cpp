#include "shared/journal/jet_translate.h"

#include <sqlite3.h>

#include <cstring>
#include <vector>

#include "shared/journal/journal_error.h"

namespace qm {

const char kJetNoCaseCollation[] = "JETNOCASE";

namespace {

enum class Tok { Word, Quoted, String, Number, Punct };

struct Token {
  Tok type;
  std::string text;   // as it goes into the SQLite text (strings already re-quoted)
  std::string upper;  // words only: ASCII upper case, for keyword tests
};

[[noreturn]] void Refuse(const std::string& why) {
  throw JournalError(JournalErrorKind::Unsupported, "statement not understood: " + why);
}

bool IsWordStart(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsWordChar(char16_t c) { return IsWordStart(c) || IsDigit(c); }

std::string Upper(const std::string& s) {
  std::string u = s;
  for (auto& c : u)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return u;
}

// A string literal's content as a single-quoted SQLite literal.
std::string SqlQuote(const Str& content) {
  std::string out = "'";
  for (char c : ToUtf8(content)) {
    out.push_back(c);
    if (c == '\'') out.push_back('\'');
  }
  out.push_back('\'');
  return out;
}

std::vector<Token> Tokenize(StrView s) {
  std::vector<Token> toks;
  size_t i = 0;
  while (i < s.size()) {
    char16_t c = s[i];
    if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n') {
      ++i;
    } else if (IsWordStart(c)) {
      size_t b = i;
      while (i < s.size() && IsWordChar(s[i])) ++i;
      std::string w = ToUtf8(s.substr(b, i - b));
      toks.push_back({Tok::Word, w, Upper(w)});
    } else if (IsDigit(c)) {
      size_t b = i;
      while (i < s.size() && IsDigit(s[i])) ++i;
      if (i + 1 < s.size() && s[i] == u'.' && IsDigit(s[i + 1])) {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i;
      }
      if (i < s.size() && IsWordChar(s[i])) Refuse("malformed number");
      toks.push_back({Tok::Number, ToUtf8(s.substr(b, i - b)), {}});
    } else if (c == u'\'' || c == u'"') {
      // Jet takes both quote characters for text literals; a doubled quote is one quote.
      const char16_t q = c;
      Str content;
      ++i;
      for (;;) {
        if (i >= s.size()) Refuse("text literal without its closing quote");
        if (s[i] == q) {
          if (i + 1 < s.size() && s[i + 1] == q) {
            content.push_back(q);
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        content.push_back(s[i++]);
      }
      toks.push_back({Tok::String, SqlQuote(content), {}});
    } else if (c == u'[') {
      size_t e = s.find(u']', i + 1);
      if (e == StrView::npos || e == i + 1) Refuse("bracketed name without its closing bracket");
      std::string name = ToUtf8(s.substr(i + 1, e - i - 1));
      std::string q = "\"";
      for (char ch : name) {
        q.push_back(ch);
        if (ch == '"') q.push_back('"');
      }
      q.push_back('"');
      toks.push_back({Tok::Quoted, q, {}});
      i = e + 1;
    } else {
      std::string p;
      if (c == u'<' && i + 1 < s.size() && (s[i + 1] == u'>' || s[i + 1] == u'=')) {
        p = ToUtf8(s.substr(i, 2));
      } else if (c == u'>' && i + 1 < s.size() && s[i + 1] == u'=') {
        p = ">=";
      } else if (c == u'-' && i + 1 < s.size() && s[i + 1] == u'-') {
        Refuse("comments are not part of Jet SQL");
      } else if (c == u'/' && i + 1 < s.size() && s[i + 1] == u'*') {
        Refuse("comments are not part of Jet SQL");
      } else if (c != 0 && c < 0x80 && std::strchr("(),.;=<>+-*/", static_cast<char>(c))) {
        // (A NUL would find strchr's own terminator; it is refused below like any
        // other character that Jet SQL has no use for.)
        p = std::string(1, static_cast<char>(c));
      } else {
        Refuse(c == 0 ? std::string("a NUL character outside a text literal")
                      : "the character '" + ToUtf8(s.substr(i, 1)) + "' outside a text literal");
      }
      i += p.size();
      toks.push_back({Tok::Punct, p, {}});
    }
  }
  return toks;
}

bool IsPunct(const Token& t, const char* p) { return t.type == Tok::Punct && t.text == p; }
bool IsWord(const Token& t, const char* w) { return t.type == Tok::Word && t.upper == w; }

// Keywords that mean in SQLite what they mean in Jet. Every other SQLite keyword is
// refused, so that nothing of SQLite's own syntax can slip through as a column name.
bool IsPassKeyword(const std::string& u) {
  static const char* const kWords[] = {"SELECT", "DISTINCT", "FROM", "WHERE", "GROUP", "BY",
                                       "HAVING", "ORDER", "ASC", "DESC", "AND", "OR", "NOT",
                                       "LIKE", "IS", "NULL", "IN", "BETWEEN", "AS"};
  for (const char* w : kWords)
    if (u == w) return true;
  return false;
}

// Jet functions that the adapter knows, with the SQLite function that implements each.
const char* MapFunction(const std::string& u) {
  if (u == "NOW") return "jet_now";
  if (u == "DATEADD") return "jet_dateadd";
  if (u == "COUNT") return "count";
  if (u == "MIN") return "min";
  if (u == "MAX") return "max";
  if (u == "SUM") return "sum";
  if (u == "AVG") return "avg";
  return nullptr;
}

bool IsDateAddInterval(const std::string& quoted) {
  static const char* const kIntervals[] = {"'yyyy'", "'q'", "'m'", "'y'", "'d'",
                                           "'w'",    "'ww'", "'h'", "'n'", "'s'"};
  const std::string lower = [&] {
    std::string l = quoted;
    for (auto& c : l)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return l;
  }();
  for (const char* k : kIntervals)
    if (lower == k) return true;
  return false;
}

std::string Join(const std::vector<std::string>& parts, size_t b, size_t e) {
  std::string out;
  for (size_t i = b; i < e; ++i) {
    if (!out.empty()) out.push_back(' ');
    out += parts[i];
  }
  return out;
}

}  // namespace

JetStatement TranslateJetSql(StrView jet) {
  std::vector<Token> toks = Tokenize(jet);

  // One statement only: a closing ';' is allowed, anything after it is refused.
  for (size_t i = 0; i < toks.size(); ++i) {
    if (IsPunct(toks[i], ";")) {
      if (i + 1 != toks.size()) Refuse("more than one statement in one text");
      toks.pop_back();
    }
  }
  if (toks.empty()) Refuse("empty text");

  JetStatement st;
  std::vector<std::string> out;
  size_t i = 0;
  long long top = 0;
  bool distinct = false;

  if (IsWord(toks[0], "SELECT")) {
    st.kind = JetStatementKind::Select;
    out.push_back("SELECT");
    i = 1;
    if (i < toks.size() && IsWord(toks[i], "TOP")) {
      if (i + 1 >= toks.size() || toks[i + 1].type != Tok::Number ||
          toks[i + 1].text.find('.') != std::string::npos)
        Refuse("TOP must be followed by a whole number");
      if (!ParseInt(FromUtf8(toks[i + 1].text), top) || top < 1) Refuse("TOP needs a number of at least 1");
      i += 2;
      if (i < toks.size() && IsWord(toks[i], "PERCENT")) Refuse("TOP ... PERCENT");
    }
    if (i < toks.size() && IsWord(toks[i], "DISTINCT")) distinct = true;
  } else if (IsWord(toks[0], "DELETE")) {
    st.kind = JetStatementKind::Delete;
    out.push_back("DELETE");
    i = 1;
    // Jet names what goes: "DELETE *" or "DELETE Table.*"; SQLite deletes whole rows anyway.
    if (i < toks.size() && IsPunct(toks[i], "*")) {
      ++i;
    } else if (i + 2 < toks.size() && (toks[i].type == Tok::Word || toks[i].type == Tok::Quoted) &&
               IsPunct(toks[i + 1], ".") && IsPunct(toks[i + 2], "*")) {
      i += 3;
    }
    if (i >= toks.size() || !IsWord(toks[i], "FROM")) Refuse("DELETE must be followed by FROM");
  } else {
    Refuse("only SELECT and DELETE statements are run on the journal");
  }

  int depth = 0;
  size_t fromAt = 0, orderAt = 0;  // positions in out of the outermost FROM and ORDER BY
  for (; i < toks.size(); ++i) {
    const Token& t = toks[i];
    switch (t.type) {
      case Tok::Number:
      case Tok::Quoted:
        out.push_back(t.text);
        break;
      case Tok::String:
        // Text compares without regard to case in Jet, also between literals.
        out.push_back(t.text + " COLLATE " + kJetNoCaseCollation);
        break;
      case Tok::Punct:
        if (t.text == "(") ++depth;
        if (t.text == ")" && --depth < 0) Refuse("unbalanced parentheses");
        out.push_back(t.text);
        break;
      case Tok::Word: {
        const bool call = i + 1 < toks.size() && IsPunct(toks[i + 1], "(");
        if (IsPassKeyword(t.upper)) {
          if (depth == 0 && t.upper == "FROM" && fromAt == 0) fromAt = out.size();
          if (depth == 0 && t.upper == "ORDER") orderAt = out.size();
          if (t.upper == "SELECT" && top) Refuse("TOP together with a nested SELECT");
          out.push_back(t.upper);
        } else if (call) {
          const char* fn = MapFunction(t.upper);
          if (!fn) Refuse("the function " + t.text + "()");
          out.push_back(fn);
          if (t.upper == "NOW" && !(i + 2 < toks.size() && IsPunct(toks[i + 2], ")")))
            Refuse("Now() takes no arguments");
          if (t.upper == "DATEADD") {
            if (!(i + 3 < toks.size() && toks[i + 2].type == Tok::String && IsPunct(toks[i + 3], ",")))
              Refuse("DateAdd needs its interval as a text literal");
            if (!IsDateAddInterval(toks[i + 2].text)) Refuse("DateAdd interval " + toks[i + 2].text);
            out.push_back("(");
            out.push_back(toks[i + 2].text);
            ++depth;
            i += 2;  // the interval goes in without a collation
          }
        } else if (t.upper == "TOP") {
          Refuse("TOP anywhere but directly after the first SELECT");
        } else if (t.upper == "ROWID" || t.upper == "OID" || t.upper == "_ROWID_" ||
                   sqlite3_keyword_check(t.text.c_str(), static_cast<int>(t.text.size()))) {
          Refuse("'" + t.text + "'");
        } else {
          out.push_back(t.text);
        }
        break;
      }
    }
  }
  if (depth != 0) Refuse("unbalanced parentheses");
  if (orderAt && !(orderAt + 1 < out.size() && out[orderAt + 1] == "BY")) Refuse("ORDER without BY");

  if (!top) {
    st.sql = Join(out, 0, out.size());
  } else if (!orderAt) {
    st.sql = Join(out, 0, out.size()) + " LIMIT " + std::to_string(top);
  } else {
    // Jet's TOP n keeps every row that ties with the n-th in the sort order; a rank
    // over the same order does exactly that.
    if (distinct) Refuse("TOP with DISTINCT and ORDER BY");
    if (!fromAt || fromAt > orderAt) Refuse("TOP with ORDER BY but without FROM");
    st.sql = "SELECT * FROM (SELECT " + Join(out, 1, fromAt) + ", RANK() OVER (ORDER BY " +
             Join(out, orderAt + 2, out.size()) + ") AS qm_top_rank " + Join(out, fromAt, orderAt) +
             ") WHERE qm_top_rank <= " + std::to_string(top) + " ORDER BY qm_top_rank";
  }
  return st;
}

}  // namespace qm
