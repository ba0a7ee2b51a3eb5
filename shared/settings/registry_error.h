// The error that the settings store raises. Callers that write settings catch
// qm::RegistryError (reads never raise); callers tell failures apart by the number and
// pass the source and description on, so all three are fixed texts of the store.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "shared/base/str.h"

namespace qm {

// Error numbers of the settings store.
constexpr int32_t kRegistryErrorFailed = 26001;                                  // key operations
constexpr int32_t kRegistryErrorSetValue = static_cast<int32_t>(0x800469A9u);    // value writes
constexpr int32_t kRegistryErrorEnumerate = static_cast<int32_t>(0x800469AAu);   // subkey listing

class RegistryError : public std::exception {
 public:
  RegistryError(int32_t number, Str source, Str description)
      : number_(number), source_(std::move(source)), description_(std::move(description)),
        what_(ToUtf8(description_)) {}

  int32_t number() const { return number_; }
  const Str& source() const { return source_; }
  const Str& description() const { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int32_t number_;
  Str source_;
  Str description_;
  std::string what_;
};

}  // namespace qm
