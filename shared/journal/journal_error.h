// The one error type of the journal layer. The kind tells callers which failure rule
// applies: a missing journal is created from the template and the operation retried,
// a damaged one is moved aside and replaced, everything else is given up.
#pragma once

#include <stdexcept>
#include <string>

namespace qm {

enum class JournalErrorKind {
  Missing,      // no journal file at the path
  Busy,         // the other program held the file longer than the busy wait
  Damaged,      // not a database, corrupt, or without the table FoldersProtocol
  Unsupported,  // a statement text the dialect adapter does not understand
  Failed,       // anything else: rights, disk full, bad column name, I/O
};

class JournalError : public std::runtime_error {
 public:
  JournalError(JournalErrorKind kind, const std::string& message)
      : std::runtime_error(message), kind_(kind) {}
  JournalErrorKind kind() const { return kind_; }

 private:
  JournalErrorKind kind_;
};

}  // namespace qm
