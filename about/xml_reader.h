// A small, strict XML reader for the version file that the update check fetches. The
// file comes over the network, so the reader trusts nothing: it takes UTF-8 only, checks
// that the document is well-formed (one root element, matching tags, quoted attributes,
// known entities, no stray text), refuses document type declarations (no entity can grow
// the input), and bounds the nesting depth. What it keeps is the elements with their
// names and texts; attributes are checked and dropped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class XmlDocument {
 public:
  // Elements nested deeper than this make the document unreadable.
  static constexpr int kMaxDepth = 64;

  // Reads a whole document; false (and an empty document) when it is not well-formed.
  // error, when given, says where it went wrong.
  bool Parse(std::string_view bytes, std::string* error = nullptr);

  // Elements are numbered in the order their start tags appear (document order), the
  // root being 0. -1 stands for "none" and, as a scope, for the whole document.
  int ElementCount() const { return static_cast<int>(elements_.size()); }
  const std::string& Name(int element) const { return elements_[static_cast<size_t>(element)].name; }
  // The first element of this name below `scope` (the element itself excluded), in
  // document order; with scope -1 the root counts too. -1 when there is none.
  int FindFirst(int scope, std::string_view name) const;
  // All character data inside the element, its descendants' included, in document
  // order (entities and character references replaced, CDATA taken as it is).
  std::string Text(int element) const;

 private:
  struct Piece {
    int child;         // -1: text
    std::string text;  // when child is -1
  };
  struct Element {
    std::string name;
    int end = 0;  // one past the last descendant's number
    std::vector<Piece> content;
  };
  void CollectText(int element, std::string& out) const;

  friend class XmlParser;
  std::vector<Element> elements_;
};

// Trims the XML white space (blank, tab, CR, LF) at both ends.
std::string TrimXmlSpace(std::string_view s);

}  // namespace qm
