#include "shared/settings/cregistry.h"

#include <exception>
#include <new>
#include <utility>

#include "shared/base/program.h"
#include "shared/settings/registry_data.h"

namespace qm {

cRegistry::cRegistry() : backend_(DefaultRegistryBackend()) {}

cRegistry::cRegistry(std::shared_ptr<RegistryBackend> backend) : backend_(std::move(backend)) {}

Str cRegistry::ErrorSource() { return ProgramName() + u".cRegistry"; }

void cRegistry::Raise(int32_t number, Str description) const {
  throw RegistryError(number, ErrorSource(), std::move(description));
}

Str cRegistry::ClassKeyText() const { return IntToStr(classKey_); }

Variant cRegistry::Value() {
  // A read never raises: whatever goes wrong, the caller gets its default.
  try {
    return ReadValue();
  } catch (const std::exception&) {
    return default_;
  }
}

Variant cRegistry::ReadValue() {
  uint32_t type = 0;
  Bytes data;
  if (!backend_->QueryValue(classKey_, sectionKey_, valueKey_, type, data)) return default_;
  valueType_ = type;
  switch (type) {
    case kRegSz:
    case kRegMultiSz:
      if (data.empty()) return default_;
      return Variant(RegBytesToText(data));
    case kRegExpandSz:
      if (literalText_) return Variant(RegBytesToText(data));
      return Variant(backend_->ExpandEnvironment(RegBytesToText(data)));
    case kRegDword:
      if (data.empty()) return default_;
      return Variant(BytesToDword(data));
    case kRegDwordBigEndian:
      if (data.empty()) return default_;
      return Variant(BigEndianBytesToDword(data));
    default:
      return Variant(std::move(data));
  }
}

void cRegistry::SetValue(const Variant& value) {
  if (!backend_->CreateKey(classKey_, sectionKey_)) {
    Raise(kRegistryErrorSetValue, u"Failed to set registry value Key: " + sectionKey_ +
                                      u"',Key: '" + valueKey_ + u"' to value: '" +
                                      value.ToText() + u"'");
  }
  uint32_t storedType = 0;
  Bytes data;
  switch (valueType_) {
    case kRegSz:
    case kRegExpandSz: {
      Str text = value.ToText();
      storedType = !literalText_ && HasEnvironmentReference(text) ? kRegExpandSz : kRegSz;
      data = TextToRegBytes(text);
      break;
    }
    case kRegBinary:
      if (!value.IsBytes()) Raise(kRegistryErrorFailed, Str());
      storedType = kRegBinary;
      data = value.bytes();
      break;
    case kRegDword:
    case kRegDwordBigEndian:
      // Only whole numbers make a DWORD; a Boolean, text or fraction is left unstored.
      if (!value.IsInteger()) return;
      storedType = kRegDword;
      data = DwordToBytes(value.integer());
      break;
    default:
      return;
  }
  if (backend_->SetValue(classKey_, sectionKey_, valueKey_, storedType, data) !=
      SetValueResult::Ok) {
    Raise(kRegistryErrorSetValue, u"Failed to set registry value Key: '" + ClassKeyText() +
                                      u"',Section: '" + sectionKey_ + u"',Key: '" + valueKey_ +
                                      u"' to value: '" + value.ToText() + u"'");
  }
}

Variant cRegistry::ValueEx(int32_t classKey, StrView section, StrView valueKey,
                           uint32_t valueType, Variant defaultValue) {
  classKey_ = classKey;
  sectionKey_ = Str(section);
  valueKey_ = Str(valueKey);
  valueType_ = valueType;
  default_ = std::move(defaultValue);
  return Value();
}

void cRegistry::SetValueEx(int32_t classKey, StrView section, StrView valueKey,
                           uint32_t valueType, Variant defaultValue, const Variant& newValue) {
  cRegistry before = *this;
  classKey_ = classKey;
  sectionKey_ = Str(section);
  valueKey_ = Str(valueKey);
  valueType_ = valueType;
  default_ = std::move(defaultValue);
  try {
    if (valueType_ == kRegSz && newValue.ToText().empty()) {
      SetValue(default_);
    } else {
      SetValue(newValue);
    }
  } catch (...) {
    *this = std::move(before);
    throw;
  }
}

bool cRegistry::KeyExists() {
  try {
    return backend_->KeyExists(classKey_, sectionKey_);
  } catch (const std::exception&) {
    return false;
  }
}

bool cRegistry::CreateKey() {
  if (!backend_->CreateKey(classKey_, sectionKey_))
    Raise(kRegistryErrorFailed, u"Failed to create registry Key: '" + sectionKey_);
  return true;
}

bool cRegistry::DeleteKey() {
  if (!backend_->DeleteKey(classKey_, sectionKey_)) {
    Raise(kRegistryErrorFailed,
          u"Failed to delete registry Key: '" + ClassKeyText() + u"',Section: '" + sectionKey_);
  }
  return true;
}

bool cRegistry::DeleteValue() {
  switch (backend_->DeleteValue(classKey_, sectionKey_, valueKey_)) {
    case DeleteValueResult::Ok:
      return true;
    case DeleteValueResult::KeyFailed:
      Raise(kRegistryErrorFailed, u"Failed to open key '" + ClassKeyText() + u"',Section: '" +
                                      sectionKey_ + u"' for delete access");
    case DeleteValueResult::ValueFailed:
      break;
  }
  Raise(kRegistryErrorFailed, u"Failed to delete registry Key: '" + ClassKeyText() +
                                  u"',Section: '" + sectionKey_ + u"',Key: '" + valueKey_);
}

bool cRegistry::EnumerateValues(std::vector<Str>& names, int32_t& count) {
  names.clear();
  count = 0;
  names = backend_->ValueNames(classKey_, sectionKey_);
  count = static_cast<int32_t>(names.size());
  return true;
}

bool cRegistry::EnumerateSections(std::vector<Str>& names, int32_t& count) {
  names.clear();
  count = 0;
  try {
    names = backend_->SubkeyNames(classKey_, sectionKey_);
  } catch (const RegistryError&) {
    throw;
  } catch (const std::exception& e) {
    names.clear();
    Raise(kRegistryErrorEnumerate, FromUtf8(e.what()));
  }
  // A key name has at most 255 characters; longer text is not a name.
  for (Str& n : names) {
    if (n.size() > 255) n.resize(255);
  }
  count = static_cast<int32_t>(names.size());
  return true;
}

}  // namespace qm
