// The settings file of the systems without a registry, as a hand edit, a cut-off write
// or a damaged disk leaves it: the input is the whole file.
//
// Whatever the file holds, the store reads it without failing; every setting the two
// programs read comes back within its range; rewriting a value with what it holds
// already (the first write after such a read) keeps every key and value the store
// showed before, and the file it writes reads back without a damaged line; a damaged
// original is kept beside it byte for byte. The favorites read from it, saved by the
// organiser, read back unchanged; the ignore filter loaded from it is what it stores.
// Names of keys and values survive the file's escaping whatever characters they hold.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "app/main_settings.h"
#include "background/registry_settings.h"
#include "favorites/favorites_settings.h"
#include "favorites/favorites_store.h"
#include "ignore/ignore_rules.h"
#include "ignore/ignore_settings.h"
#include "ignore/ignore_store.h"
#include "shared/settings/file_registry_backend.h"
#include "tests/fuzz/fuzz_text.h"

using namespace qm;

namespace {

namespace fs = std::filesystem;

const int32_t kRoots[] = {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers};

// Every key and value the store shows, one line each, in the store's own order.
void Dump(RegistryBackend& store, int32_t root, const Str& path, std::vector<Str>& out, int depth) {
  out.push_back(u"K " + IntToStr(root) + u" " + path);
  for (const Str& name : store.ValueNames(root, path)) {
    uint32_t type = 0;
    Bytes data;
    QM_FUZZ_CHECK(store.QueryValue(root, path, name, type, data));
    Str line = u"V " + name + u" " + IntToStr(static_cast<long long>(type)) + u" ";
    for (uint8_t b : data) line += static_cast<char16_t>(b);
    out.push_back(line);
  }
  QM_FUZZ_CHECK(depth <= 512);
  for (const Str& sub : store.SubkeyNames(root, path))
    Dump(store, root, path.empty() ? sub : path + u"\\" + sub, out, depth + 1);
}

std::vector<Str> Dump(RegistryBackend& store) {
  std::vector<Str> out;
  for (int32_t root : kRoots) Dump(store, root, Str(), out, 0);
  return out;
}

// The first value the store holds, to be written anew with what it holds.
bool FirstValue(RegistryBackend& store, int32_t root, const Str& path, Str& valuePath, Str& name) {
  const std::vector<Str> names = store.ValueNames(root, path);
  if (!names.empty()) {
    valuePath = path;
    name = names.front();
    return true;
  }
  for (const Str& sub : store.SubkeyNames(root, path))
    if (FirstValue(store, root, path.empty() ? sub : path + u"\\" + sub, valuePath, name)) return true;
  return false;
}

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool InRange(int v, int low, int high) { return v >= low && v <= high; }

void CheckSettings(const std::shared_ptr<FileRegistryBackend>& store, bool vista) {
  {
    const MainSettings m = ReadMainSettings(vista, store);
    QM_FUZZ_CHECK(InRange(m.windowWidth, 0, kMaxStoredTwips) && InRange(m.windowHeight, 0, kMaxStoredTwips));
    QM_FUZZ_CHECK(InRange(m.firstColumnWidth, 0, kMaxStoredTwips));
    QM_FUZZ_CHECK(InRange(m.timeframe, 0, 6) && InRange(m.sortingLastUsed, 1, 5) &&
                  InRange(m.sortingMostUsed, 1, 6) && InRange(m.listTypeActive, 1, 3) &&
                  InRange(m.folderListSize, 0, 2) && InRange(m.exitBehavior, 1, 5) &&
                  InRange(m.windowPosition, 0, 5));
  }
  SetDefaultRegistryBackend(store);
  RegistryBackgroundSettings background;
  (void)background.LastCleanUpDay();
  (void)background.KeepProtocolDays();
  SetDefaultRegistryBackend(nullptr);

  RegistryFavoritesStore favorites(store);
  const FavoritesData data = ReadFavorites(favorites);
  if (SaveFavorites(favorites, data)) QM_FUZZ_CHECK(ReadFavorites(favorites) == data);

  RegistryIgnoreSettings ignore(store);
  const Str filter = LoadIgnoreFilter(ignore);
  QM_FUZZ_CHECK(IsWellFormedIgnoreFilter(filter));
  QM_FUZZ_CHECK(ignore.ReadText(u"IgnoreStringSQL") == filter);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Every store call reads the file anew: in memory where the system has a place for it.
  static const fs::path dir = (fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
                              ("qm-settings-fuzz-" + std::to_string(getpid()));
  const fs::path file = dir / "settings.txt";
  const fs::path damaged = dir / "settings.txt.damaged";
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir);
  const std::string original(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(file, std::ios::binary);
    out.write(original.data(), static_cast<std::streamsize>(original.size()));
  }

  const Str name = fuzz::TextOf(original);
  Str unescaped;
  QM_FUZZ_CHECK(UnescapeSettingsField(EscapeSettingsField(name), unescaped) && unescaped == name);

  auto store = std::make_shared<FileRegistryBackend>(FromUtf8(file.string()));
  const std::vector<Str> before = Dump(*store);
  const int damagedLines = store->damagedLines();

  for (int32_t root : kRoots) {
    Str path, value;
    if (!FirstValue(*store, root, Str(), path, value)) continue;
    uint32_t type = 0;
    Bytes bytes;
    QM_FUZZ_CHECK(store->QueryValue(root, path, value, type, bytes));
    QM_FUZZ_CHECK(store->SetValue(root, path, value, type, bytes) == SetValueResult::Ok);
    QM_FUZZ_CHECK(Dump(*store) == before);
    QM_FUZZ_CHECK(store->damagedLines() == 0);
    QM_FUZZ_CHECK((damagedLines > 0) == fs::exists(damaged));
    if (damagedLines > 0) QM_FUZZ_CHECK(ReadFile(damaged) == original);
    break;
  }

  CheckSettings(store, size % 2 != 0);
  fs::remove_all(dir, ec);
  return 0;
}
