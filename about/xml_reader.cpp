#include "about/xml_reader.h"

#include <cstdint>

namespace qm {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}

bool IsNameChar(unsigned char c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// Code points XML allows in a document.
bool IsXmlChar(uint32_t cp) {
  return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) || (cp >= 0xE000 && cp <= 0xFFFD) ||
         (cp >= 0x10000 && cp <= 0x10FFFF);
}

void AppendUtf8(uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Strict UTF-8 (no overlong forms, no surrogates) of XML characters only.
bool ValidXmlUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    uint32_t cp = 0;
    size_t n = 0;
    if (c < 0x80) {
      cp = c;
      n = 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
      cp = c & 0x1F;
      n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      cp = c & 0x0F;
      n = 3;
    } else if (c >= 0xF0 && c <= 0xF4) {
      cp = c & 0x07;
      n = 4;
    } else {
      return false;
    }
    if (i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k) {
      const unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    if (!IsXmlChar(cp)) return false;
    i += n;
  }
  return true;
}

}  // namespace

// One pass over the bytes; elements are kept open on an explicit stack, so that a deeply
// nested document costs no call depth.
class XmlParser {
 public:
  XmlParser(std::string_view s, std::vector<XmlDocument::Element>& elements) : s_(s), elements_(elements) {}

  bool Run() {
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    if (!ValidXmlUtf8(s_.substr(pos_))) return Fail("not UTF-8 text of XML characters");
    if (Starts("<?xml") && pos_ + 5 < s_.size() && IsSpace(s_[pos_ + 5])) {
      if (!SkipPast("?>")) return Fail("unterminated XML declaration");
    }
    if (!SkipMisc()) return false;
    if (!Starts("<") || pos_ + 1 >= s_.size() || !IsNameStart(static_cast<unsigned char>(s_[pos_ + 1])))
      return Fail("no root element");
    if (!Content()) return false;
    if (!SkipMisc()) return false;
    if (pos_ != s_.size()) return Fail("content after the root element");
    return true;
  }

  const std::string& Error() const { return error_; }

 private:
  bool Fail(const char* what) {
    if (error_.empty()) error_ = std::string(what) + " at byte " + std::to_string(pos_);
    return false;
  }
  bool Starts(std::string_view token) const { return s_.compare(pos_, token.size(), token) == 0; }
  void SkipSpace() {
    while (pos_ < s_.size() && IsSpace(s_[pos_])) ++pos_;
  }
  bool SkipPast(std::string_view token) {
    size_t at = s_.find(token, pos_);
    if (at == std::string_view::npos) return false;
    pos_ = at + token.size();
    return true;
  }

  // Comments, processing instructions and white space outside the root element.
  bool SkipMisc() {
    for (;;) {
      SkipSpace();
      if (Starts("<!--")) {
        if (!Comment()) return false;
      } else if (Starts("<?")) {
        if (!Instruction()) return false;
      } else if (Starts("<!")) {
        // Document type declarations included: the version file has no use for them.
        return Fail("declaration not allowed");
      } else {
        return true;
      }
    }
  }

  bool Comment() {
    pos_ += 4;
    size_t at = s_.find("--", pos_);
    if (at == std::string_view::npos || at + 2 >= s_.size() || s_[at + 2] != '>')
      return Fail("bad comment");
    pos_ = at + 3;
    return true;
  }

  bool Instruction() {
    pos_ += 2;
    const size_t start = pos_;
    if (!Name()) return Fail("bad processing instruction");
    std::string_view target = s_.substr(start, pos_ - start);
    if (target.size() == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' && (target[2] | 0x20) == 'l')
      return Fail("misplaced XML declaration");
    if (!SkipPast("?>")) return Fail("unterminated processing instruction");
    return true;
  }

  bool Name() {
    if (pos_ >= s_.size() || !IsNameStart(static_cast<unsigned char>(s_[pos_]))) return false;
    ++pos_;
    while (pos_ < s_.size() && IsNameChar(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    return true;
  }

  // An entity or character reference at '&', appended to out.
  bool Reference(std::string& out) {
    const size_t semi = s_.find(';', pos_);
    if (semi == std::string_view::npos || semi - pos_ > 12) return Fail("bad reference");
    std::string_view ref = s_.substr(pos_ + 1, semi - pos_ - 1);
    pos_ = semi + 1;
    if (ref == "lt") out += '<';
    else if (ref == "gt") out += '>';
    else if (ref == "amp") out += '&';
    else if (ref == "quot") out += '"';
    else if (ref == "apos") out += '\'';
    else if (ref.size() >= 2 && ref[0] == '#') {
      const bool hex = ref[1] == 'x';
      std::string_view digits = ref.substr(hex ? 2 : 1);
      if (digits.empty()) return Fail("bad character reference");
      uint32_t cp = 0;
      for (char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        if (d < 0) return Fail("bad character reference");
        cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(d);
        if (cp > 0x10FFFF) return Fail("bad character reference");
      }
      if (!IsXmlChar(cp)) return Fail("bad character reference");
      AppendUtf8(cp, out);
    } else {
      return Fail("unknown entity");
    }
    return true;
  }

  bool StartTag() {
    ++pos_;  // '<'
    const size_t start = pos_;
    if (!Name()) return Fail("bad element name");
    std::string name(s_.substr(start, pos_ - start));
    std::vector<std::string_view> attributes;
    for (;;) {
      const size_t before = pos_;
      SkipSpace();
      if (Starts("/>") || Starts(">")) break;
      if (pos_ == before) return Fail("bad start tag");
      const size_t attrStart = pos_;
      if (!Name()) return Fail("bad attribute name");
      std::string_view attr = s_.substr(attrStart, pos_ - attrStart);
      for (std::string_view seen : attributes)
        if (seen == attr) return Fail("repeated attribute");
      attributes.push_back(attr);
      SkipSpace();
      if (!Starts("=")) return Fail("attribute without value");
      ++pos_;
      SkipSpace();
      if (pos_ >= s_.size() || (s_[pos_] != '"' && s_[pos_] != '\'')) return Fail("unquoted attribute value");
      const char quote = s_[pos_++];
      std::string ignored;
      for (;;) {
        if (pos_ >= s_.size()) return Fail("unterminated attribute value");
        const char c = s_[pos_];
        if (c == quote) break;
        if (c == '<') return Fail("'<' in attribute value");
        if (c == '&') {
          if (!Reference(ignored)) return false;
        } else {
          ++pos_;
        }
      }
      ++pos_;
    }
    const int parent = open_.empty() ? -1 : open_.back();
    const int index = static_cast<int>(elements_.size());
    elements_.push_back({std::move(name), index + 1, {}});
    if (parent >= 0) elements_[static_cast<size_t>(parent)].content.push_back({index, {}});
    if (Starts("/>")) {
      pos_ += 2;
      return true;
    }
    ++pos_;  // '>'
    if (static_cast<int>(open_.size()) >= XmlDocument::kMaxDepth) return Fail("nested too deeply");
    open_.push_back(index);
    return true;
  }

  bool EndTag() {
    pos_ += 2;  // "</"
    const size_t start = pos_;
    if (!Name()) return Fail("bad end tag");
    std::string_view name = s_.substr(start, pos_ - start);
    SkipSpace();
    if (!Starts(">")) return Fail("bad end tag");
    ++pos_;
    if (open_.empty() || elements_[static_cast<size_t>(open_.back())].name != name) return Fail("mismatched end tag");
    const int index = open_.back();
    open_.pop_back();
    elements_[static_cast<size_t>(index)].end = static_cast<int>(elements_.size());
    return true;
  }

  void AddText(std::string&& text) {
    if (text.empty()) return;
    auto& content = elements_[static_cast<size_t>(open_.back())].content;
    if (!content.empty() && content.back().child < 0)
      content.back().text += text;
    else
      content.push_back({-1, std::move(text)});
  }

  // The root element and everything in it.
  bool Content() {
    if (!StartTag()) return false;
    while (!open_.empty()) {
      if (pos_ >= s_.size()) return Fail("unclosed element");
      if (Starts("</")) {
        if (!EndTag()) return false;
      } else if (Starts("<!--")) {
        if (!Comment()) return false;
      } else if (Starts("<![CDATA[")) {
        pos_ += 9;
        const size_t at = s_.find("]]>", pos_);
        if (at == std::string_view::npos) return Fail("unterminated CDATA section");
        AddText(std::string(s_.substr(pos_, at - pos_)));
        pos_ = at + 3;
      } else if (Starts("<?")) {
        if (!Instruction()) return false;
      } else if (Starts("<!")) {
        return Fail("declaration not allowed");
      } else if (Starts("<")) {
        if (!StartTag()) return false;
      } else {
        std::string text;
        while (pos_ < s_.size() && s_[pos_] != '<') {
          if (s_[pos_] == '&') {
            if (!Reference(text)) return false;
          } else {
            if (Starts("]]>")) return Fail("']]>' in text");
            // Line ends read as LF, as XML prescribes.
            if (s_[pos_] == '\r') {
              text += '\n';
              if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\n') ++pos_;
            } else {
              text += s_[pos_];
            }
            ++pos_;
          }
        }
        AddText(std::move(text));
      }
    }
    return true;
  }

  std::string_view s_;
  std::vector<XmlDocument::Element>& elements_;
  std::vector<int> open_;
  size_t pos_ = 0;
  std::string error_;
};

bool XmlDocument::Parse(std::string_view bytes, std::string* error) {
  elements_.clear();
  XmlParser parser(bytes, elements_);
  if (parser.Run()) return true;
  elements_.clear();
  if (error) *error = parser.Error();
  return false;
}

int XmlDocument::FindFirst(int scope, std::string_view name) const {
  const int first = scope < 0 ? 0 : scope + 1;
  const int end = scope < 0 ? ElementCount() : elements_[static_cast<size_t>(scope)].end;
  for (int i = first; i < end; ++i)
    if (elements_[static_cast<size_t>(i)].name == name) return i;
  return -1;
}

void XmlDocument::CollectText(int element, std::string& out) const {
  for (const Piece& p : elements_[static_cast<size_t>(element)].content) {
    if (p.child < 0)
      out += p.text;
    else
      CollectText(p.child, out);  // depth is bounded by kMaxDepth
  }
}

std::string XmlDocument::Text(int element) const {
  std::string out;
  if (element >= 0 && element < ElementCount()) CollectText(element, out);
  return out;
}

std::string TrimXmlSpace(std::string_view s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && IsSpace(s[b])) ++b;
  while (e > b && IsSpace(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

}  // namespace qm
