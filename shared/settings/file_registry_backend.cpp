#include "shared/settings/file_registry_backend.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "shared/settings/registry_data.h"

namespace qm {

namespace fs = std::filesystem;

namespace {

constexpr char kHeader[] = "QuillmarkSettings 1";
// The registry's own limits on name lengths; the store keeps them so that what works
// here also works there.
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxValueNameLength = 16383;
constexpr size_t kMaxKeyDepth = 512;

struct StoredValue {
  Str name;
  uint32_t type = 0;
  Bytes data;
};

struct Key {
  Str name;
  std::vector<StoredValue> values;
  std::vector<std::unique_ptr<Key>> subkeys;  // alphabetical, case folded

  Key* Find(StrView n) {
    for (auto& k : subkeys)
      if (EqualsNoCase(k->name, n)) return k.get();
    return nullptr;
  }
  Key* FindOrAdd(StrView n) {
    if (Key* k = Find(n)) return k;
    auto key = std::make_unique<Key>();
    key->name = Str(n);
    Str folded = ToLower(n);
    auto pos = std::find_if(subkeys.begin(), subkeys.end(),
                            [&](const std::unique_ptr<Key>& k) { return ToLower(k->name) > folded; });
    return subkeys.insert(pos, std::move(key))->get();
  }
  StoredValue* FindValue(StrView n) {
    for (auto& v : values)
      if (EqualsNoCase(v.name, n)) return &v;
    return nullptr;
  }
};

int RootIndex(int32_t root) {
  uint32_t u = static_cast<uint32_t>(root);
  if (u < 0x80000000u || u > 0x80000003u) return -1;
  return static_cast<int>(u - 0x80000000u);
}

// Splits a key path at backslashes. Empty pieces (doubled, leading or trailing
// backslashes) are passed over; a piece longer than a key name may be fails.
bool SplitPath(StrView path, std::vector<Str>& parts) {
  parts.clear();
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(u'\\', start);
    if (end == StrView::npos) end = path.size();
    StrView piece = path.substr(start, end - start);
    if (piece.size() > kMaxKeyNameLength) return false;
    if (!piece.empty()) parts.emplace_back(piece);
    if (parts.size() > kMaxKeyDepth) return false;
    start = end + 1;
  }
  return true;
}

char HexDigit(unsigned v) { return "0123456789ABCDEF"[v & 15]; }

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool ParseHexBytes(StrView s, Bytes& out) {
  if (s.size() % 2 != 0) return false;
  out.clear();
  out.reserve(s.size() / 2);
  for (size_t i = 0; i < s.size(); i += 2) {
    int hi = HexValue(s[i]), lo = HexValue(s[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  return true;
}

std::vector<StrView> SplitFields(StrView line) {
  std::vector<StrView> fields;
  size_t start = 0;
  while (true) {
    size_t tab = line.find(u'\t', start);
    if (tab == StrView::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
}

}  // namespace

struct FileRegistryBackend::Tree {
  Key roots[4];
  int damaged = 0;

  Key* Open(int32_t root, StrView path) { return Walk(root, path, false); }
  Key* Create(int32_t root, StrView path) { return Walk(root, path, true); }

 private:
  // The key at path below the root; with create, missing keys on the way are added.
  Key* Walk(int32_t root, StrView path, bool create) {
    int r = RootIndex(root);
    if (r < 0) return nullptr;
    std::vector<Str> parts;
    if (!SplitPath(path, parts)) return nullptr;
    Key* k = &roots[r];
    for (const Str& p : parts) {
      k = create ? k->FindOrAdd(p) : k->Find(p);
      if (!k) return nullptr;
    }
    return k;
  }
};

Str EscapeSettingsField(StrView s) {
  Str out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char16_t c = s[i];
    if (c < 0x20 || c == u'%' || c == 0x7F) {
      out += u'%';
      out += static_cast<char16_t>(HexDigit(c >> 4));
      out += static_cast<char16_t>(HexDigit(c));
    } else if (IsHigh(c) && i + 1 < s.size() && IsLow(s[i + 1])) {
      out += c;
      out += s[++i];
    } else if (IsHigh(c) || IsLow(c)) {
      out += u"%u";
      for (int shift = 12; shift >= 0; shift -= 4) out += static_cast<char16_t>(HexDigit(c >> shift));
    } else {
      out += c;
    }
  }
  return out;
}

bool UnescapeSettingsField(StrView s, Str& out) {
  out.clear();
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != u'%') {
      out += s[i];
      continue;
    }
    size_t digits = (i + 1 < s.size() && s[i + 1] == u'u') ? 4 : 2;
    size_t first = i + 1 + (digits == 4 ? 1 : 0);
    if (first + digits > s.size()) return false;
    unsigned v = 0;
    for (size_t d = 0; d < digits; ++d) {
      int h = HexValue(s[first + d]);
      if (h < 0) return false;
      v = v * 16 + static_cast<unsigned>(h);
    }
    out += static_cast<char16_t>(v);
    i = first + digits - 1;
  }
  return true;
}

FileRegistryBackend::FileRegistryBackend(Str path) : path_(std::move(path)) {}
FileRegistryBackend::~FileRegistryBackend() = default;

bool FileRegistryBackend::Load(Tree& tree) {
  fs::path p(path_);
  std::error_code ec;
  bool exists = fs::exists(p, ec);
  if (ec) return false;
  if (!exists) {
    damagedLines_ = 0;
    return true;
  }
  if (!fs::is_regular_file(p, ec)) return false;
  std::ifstream in(p, std::ios::binary);
  if (!in) return false;
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;

  Str text = FromUtf8(content);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find(u'\n', pos);
    if (nl == Str::npos) nl = text.size();
    StrView line(text.data() + pos, nl - pos);
    pos = nl + 1;
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    if (line.empty() || StartsWith(line, u"QuillmarkSettings")) continue;

    std::vector<StrView> f = SplitFields(line);
    long long root = 0, type = 0;
    Str keyPath, name;
    Bytes data;
    bool ok = false;
    if (f.size() == 3 && f[0] == u"K") {
      ok = ParseInt(f[1], root) && UnescapeSettingsField(f[2], keyPath) &&
           tree.Create(static_cast<int32_t>(root), keyPath) != nullptr;
    } else if (f.size() == 6 && f[0] == u"V") {
      ok = ParseInt(f[1], root) && UnescapeSettingsField(f[2], keyPath) &&
           UnescapeSettingsField(f[3], name) && name.size() <= kMaxValueNameLength &&
           ParseInt(f[4], type) && type >= 0 && type <= 0xFFFFFFFFll &&
           ParseHexBytes(f[5], data);
      if (ok) {
        Key* k = tree.Create(static_cast<int32_t>(root), keyPath);
        if (!k) {
          ok = false;
        } else if (StoredValue* v = k->FindValue(name)) {
          v->type = static_cast<uint32_t>(type);
          v->data = std::move(data);
        } else {
          k->values.push_back({name, static_cast<uint32_t>(type), std::move(data)});
        }
      }
    }
    if (!ok) ++tree.damaged;
  }
  damagedLines_ = tree.damaged;
  return true;
}

namespace {

void WriteKey(std::string& out, const std::string& rootText, const Str& path, const Key& key) {
  std::string escapedPath = ToUtf8(EscapeSettingsField(path));
  if (!path.empty()) out += "K\t" + rootText + "\t" + escapedPath + "\n";  // roots always exist
  for (const StoredValue& v : key.values) {
    out += "V\t" + rootText + "\t" + escapedPath + "\t" + ToUtf8(EscapeSettingsField(v.name)) +
           "\t" + std::to_string(v.type) + "\t";
    for (uint8_t b : v.data) {
      out += HexDigit(b >> 4);
      out += HexDigit(b);
    }
    out += "\n";
  }
  for (const auto& sub : key.subkeys)
    WriteKey(out, rootText, path.empty() ? sub->name : path + u"\\" + sub->name, *sub);
}

}  // namespace

bool FileRegistryBackend::Save(const Tree& tree) {
  std::string out = std::string(kHeader) + "\n";
  for (int r = 0; r < 4; ++r) {
    const Key& root = tree.roots[r];
    if (root.values.empty() && root.subkeys.empty()) continue;
    std::string rootText = std::to_string(static_cast<int32_t>(0x80000000u + static_cast<uint32_t>(r)));
    WriteKey(out, rootText, Str(), root);
  }

  fs::path p(path_);
  std::error_code ec;
  if (p.has_parent_path()) fs::create_directories(p.parent_path(), ec);
  if (tree.damaged > 0) {
    // Keep what could not be read, so that nothing the user had is lost for good.
    fs::copy_file(p, fs::path(path_ + u".damaged"), fs::copy_options::overwrite_existing, ec);
  }
  fs::path tmp(path_ + u".tmp");
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(out.data(), static_cast<std::streamsize>(out.size()));
    f.flush();
    if (!f) {
      f.close();
      fs::remove(tmp, ec);
      return false;
    }
  }
  fs::rename(tmp, p, ec);  // replaces the old file in one step
  if (ec) {
    std::error_code ignored;
    fs::remove(tmp, ignored);
    return false;
  }
  return true;
}

bool FileRegistryBackend::KeyExists(int32_t root, StrView path) {
  std::lock_guard<std::mutex> lock(mutex_);
  Tree t;
  return Load(t) && t.Open(root, path) != nullptr;
}

bool FileRegistryBackend::CreateKey(int32_t root, StrView path) {
  std::lock_guard<std::mutex> lock(mutex_);
  Tree t;
  if (!Load(t)) return false;
  if (t.Open(root, path)) return true;
  if (!t.Create(root, path)) return false;
  return Save(t);
}

bool FileRegistryBackend::DeleteKey(int32_t root, StrView path) {
  std::lock_guard<std::mutex> lock(mutex_);
  Tree t;
  if (!Load(t)) return false;
  std::vector<Str> parts;
  if (RootIndex(root) < 0 || !SplitPath(path, parts) || parts.empty()) return false;
  Key* parent = &t.roots[RootIndex(root)];
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    parent = parent->Find(parts[i]);
    if (!parent) return false;
  }
  auto it = std::find_if(parent->subkeys.begin(), parent->subkeys.end(),
                         [&](const std::unique_ptr<Key>& k) { return EqualsNoCase(k->name, parts.back()); });
  if (it == parent->subkeys.end() || !(*it)->subkeys.empty()) return false;
  parent->subkeys.erase(it);
  return Save(t);
}

DeleteValueResult FileRegistryBackend::DeleteValue(int32_t root, StrView path, StrView name) {
  std::lock_guard<std::mutex> lock(mutex_);
  Tree t;
  if (!Load(t)) return DeleteValueResult::KeyFailed;
  Key* k = t.Open(root, path);
  if (!k) return DeleteValueResult::KeyFailed;
  auto it = std::find_if(k->values.begin(), k->values.end(),
                         [&](const StoredValue& v) { return EqualsNoCase(v.name, name); });
  if (it == k->values.end()) return DeleteValueResult::ValueFailed;
  k->values.erase(it);
  return Save(t) ? DeleteValueResult::Ok : DeleteValueResult::ValueFailed;
}

bool FileRegistryBackend::QueryValue(int32_t root, StrView path, StrView name, uint32_t& type,
                                     Bytes& data) {
  std::lock_guard<std::mutex> lock(mutex_);
  Tree t;
  if (!Load(t)) return false;
  Key* k = t.Open(root, path);
  if (!k) return false;
  StoredValue* v = k->FindValue(name);
  if (!v) return false;
  type = v->type;
  data = v->data;
  return true;
}

SetValueResult FileRegistryBackend::SetValue(int32_t root, StrView path, StrView name,
                                             uint32_t type, const Bytes& data) {
  std::lock_guard<std::mutex> lock(mutex_);
  Tree t;
  if (!Load(t)) return SetValueResult::KeyFailed;
  Key* k = t.Create(root, path);
  if (!k) return SetValueResult::KeyFailed;
  if (name.size() > kMaxValueNameLength) return SetValueResult::ValueFailed;
  if (StoredValue* v = k->FindValue(name)) {
    v->type = type;
    v->data = data;
  } else {
    k->values.push_back({Str(name), type, data});
  }
  return Save(t) ? SetValueResult::Ok : SetValueResult::ValueFailed;
}

std::vector<Str> FileRegistryBackend::ValueNames(int32_t root, StrView path) {
  std::lock_guard<std::mutex> lock(mutex_);
  Tree t;
  std::vector<Str> names;
  if (!Load(t)) return names;
  if (Key* k = t.Open(root, path))
    for (const StoredValue& v : k->values) names.push_back(v.name);
  return names;
}

std::vector<Str> FileRegistryBackend::SubkeyNames(int32_t root, StrView path) {
  std::lock_guard<std::mutex> lock(mutex_);
  Tree t;
  std::vector<Str> names;
  if (!Load(t)) return names;
  if (Key* k = t.Open(root, path))
    for (const auto& sub : k->subkeys) names.push_back(sub->name);
  return names;
}

Str FileRegistryBackend::ExpandEnvironment(StrView text) {
  return ExpandReferences(text, [](StrView name, Str& value) {
    const char* v = std::getenv(ToUtf8(name).c_str());
    if (!v) return false;
    value = FromUtf8(v);
    return true;
  });
}

}  // namespace qm
