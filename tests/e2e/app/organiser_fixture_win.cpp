#include "tests/e2e/app/organiser_fixture_win.h"

#include "shared/base/handles_win.h"

namespace qm::e2e {

namespace {

constexpr char16_t kSeparator[] = u"|*#|";

void ReadTree(HKEY parent, const Str& prefix, Tree& out) {
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLen = 256;
    BYTE data[8192];
    DWORD dataLen = sizeof data;
    DWORD type = 0;
    if (RegEnumValueW(parent, i, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS) break;
    Str text;
    if (type == REG_SZ) {
      text.assign(reinterpret_cast<const char16_t*>(data), dataLen / 2);
      while (!text.empty() && text.back() == 0) text.pop_back();
    } else {
      text = IntToStr(type) + u":";
      for (DWORD b = 0; b < dataLen; ++b) text += IntToStr(data[b]) + u",";
    }
    out[prefix + FromW(name)] = text;
  }
  for (DWORD i = 0;; ++i) {
    wchar_t sub[256];
    DWORD subLen = 256;
    if (RegEnumKeyExW(parent, i, sub, &subLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    UniqueRegKey child;
    if (RegOpenKeyExW(parent, sub, 0, KEY_READ, child.put()) != ERROR_SUCCESS) continue;
    const Str path = prefix + FromW(sub) + u"\\";
    out[path] = Str();
    ReadTree(child.get(), path, out);
  }
}

}  // namespace

void OrganiserTest::WriteFavorites(const std::vector<GroupSeed>& groups, const Favorites& loose) {
  for (const auto& [path, value] : StoredTree(groups, loose)) {
    if (path.back() == u'\\') continue;  // a key, made with its values
    const size_t slash = path.rfind(u'\\');
    const Str key = slash == Str::npos ? Str(kFavoritesKey) : Str(kFavoritesKey) + u"\\" + path.substr(0, slash);
    ASSERT_TRUE(WriteString(key, path.substr(slash == Str::npos ? 0 : slash + 1), value));
  }
}

Tree OrganiserTest::FavoritesTree() {
  Tree out;
  UniqueRegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, W(Str(kFavoritesKey)), 0, KEY_READ, key.put()) == ERROR_SUCCESS)
    ReadTree(key.get(), Str(), out);
  return out;
}

Tree OrganiserTest::StoredTree(const std::vector<GroupSeed>& groups, const Favorites& loose) {
  Tree tree;
  auto group = [&](const Str& subkey, const Favorites& favorites) {
    if (favorites.empty()) return;
    Str captions, paths;
    for (const auto& f : favorites) {
      captions += f.first + kSeparator;
      paths += f.second + kSeparator;
    }
    tree[subkey + u"\\"] = Str();
    tree[subkey + u"\\Favorites"] = captions;
    tree[subkey + u"\\FavoritesPaths"] = paths;
  };
  Str names;
  for (const GroupSeed& g : groups) {
    names += g.name + kSeparator;
    group(g.name, g.favorites);
  }
  tree[u"Groups"] = names;
  group(u"Uncategorized", loose);
  return tree;
}

HWND OrganiserTest::StartWithOrganiser(ChildProcess& app, HWND& window) {
  window = StartApp(app);
  return window ? OpenOrganiser(app, window) : nullptr;
}

HWND OrganiserTest::OpenOrganiser(const ChildProcess& app, HWND window) {
  if (!ChooseMenuCommand(window, kManageFavoritesCommand)) return nullptr;
  HWND organiser = Dialog(app, u"Organize Folder Favorites");
  if (organiser && !WaitUntil([&] { return FavoritesList(organiser) != nullptr; })) return nullptr;
  return organiser;
}

HWND OrganiserTest::FavoritesList(HWND organiser) {
  return FindDescendant(Control(organiser, kFavoritesWindow), L"SysListView32");
}

int OrganiserTest::RowOf(HWND organiser, const Str& text) {
  const Table rows = FavoriteRows(organiser);
  for (size_t r = 0; r < rows.size(); ++r)
    if (!rows[r].empty() && rows[r][0] == text) return static_cast<int>(r);
  return -1;
}

std::vector<Str> OrganiserTest::GroupNames(HWND organiser) {
  std::vector<Str> names;
  for (const auto& row : ListTable(Groups(organiser), 1)) names.push_back(row[0]);
  return names;
}

HWND OrganiserTest::WaitForEdit(HWND list) {
  HWND edit = nullptr;
  WaitUntil([&] {
    edit = FindWindowExW(list, nullptr, L"Edit", nullptr);
    return edit && IsWindowVisible(edit);
  });
  return edit;
}

bool OrganiserTest::EndEditWith(HWND list, const Str& text) {
  HWND edit = WaitForEdit(list);
  return edit && SetEditText(edit, text) && PostKey(edit, VK_RETURN) && WaitUntil([&] { return !IsWindow(edit); });
}

bool OrganiserTest::AddGroupNamed(HWND organiser, const Str& name) {
  return ClickButton(Control(organiser, kGroupAdd)) && EndEditWith(Groups(organiser), name);
}

bool OrganiserTest::EditInPlace(HWND list, const Str& text, WORD endKey) {
  // Right after an in-place edit the dialog leaves F2 alone for a moment (the edit's last
  // key must not start another), and an edit box opened while its dialog was still
  // getting the focus back closes before it is typed into: F2 again until the text went
  // in. (An edit box closed that way keeps the old text.)
  return WaitUntil([&] {
    PostKey(list, VK_F2);
    HWND edit = nullptr;
    if (!WaitUntil([&] { return (edit = FindWindowExW(list, nullptr, L"Edit", nullptr)) != nullptr; }, 500))
      return false;
    return SetEditText(edit, text) && PostKey(edit, endKey) && WaitUntil([&] { return !IsWindow(edit); });
  });
}

bool OrganiserTest::FillAddDialog(HWND dialog, const Str& path, const Str& caption) {
  HWND pathBox = Control(dialog, kFavoritePath);
  HWND captionBox = Control(dialog, kFavoriteName);
  const Str name = path.substr(path.rfind(u'\\') + 1);
  return ClickInto(pathBox) && SetEditText(pathBox, path) &&
         PostKey(pathBox, VK_TAB) && WaitUntil([&] { return WindowText(captionBox) == name; }) &&
         SetEditText(captionBox, caption);
}

bool OrganiserTest::DismissMessage(const ChildProcess& app, const Str& part) {
  HWND box = Dialog(app, u"Quillmark");
  if (!box) return false;
  const bool shown = Shows(box, part);
  return Press(box, u"OK") && shown;
}

}  // namespace qm::e2e
