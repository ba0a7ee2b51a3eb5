// Folder favorites in the settings: the list of user groups and, per group and for the
// favorites without a group, two parallel lists of captions and paths. Every list is its
// elements each followed by "|*#|".
#pragma once

#include <vector>

#include "shared/base/str.h"
#include "shared/text/string_table.h"

namespace qm {

inline constexpr char16_t kFavoritesSeparator[] = u"|*#|";
// The group texts that mean "no group": "(None)" where no user group exists, else "Other".
inline constexpr StrId kNoGroupText = StrId::NoGroup;
inline constexpr StrId kOtherGroupText = StrId::OtherGroup;
inline constexpr int kMaxFavoriteGroups = 7;

// The FolderFavorites key and its subkeys. The program backs it by cRegistry; tests by a map.
// A subkey name of "" addresses FolderFavorites itself.
class FavoritesKeyStore {
 public:
  virtual ~FavoritesKeyStore() = default;
  // The stored text, or the empty text when the key or the value is missing.
  virtual Str ReadText(StrView subkey, StrView valueName) = 0;
  // Writes the text, creating the subkey when missing. False when it failed.
  virtual bool WriteText(StrView subkey, StrView valueName, StrView text) = 0;
  virtual bool KeyExists(StrView subkey) = 0;
  // Deletes the subkey; false when it is missing or cannot be deleted.
  virtual bool DeleteKey(StrView subkey) = 0;
};

struct Favorite {
  Str caption;
  Str path;
  bool operator==(const Favorite& o) const { return caption == o.caption && path == o.path; }
};

struct FavoriteGroup {
  Str name;
  std::vector<Favorite> favorites;
  bool operator==(const FavoriteGroup& o) const { return name == o.name && favorites == o.favorites; }
};

struct FavoritesData {
  std::vector<FavoriteGroup> groups;   // display order
  std::vector<Favorite> uncategorized; // shown after all groups, under "Other"
  bool operator==(const FavoritesData& o) const {
    return groups == o.groups && uncategorized == o.uncategorized;
  }
};

// The elements of a stored list (the piece after the last separator is skipped).
std::vector<Str> SplitFavoritesList(StrView value);
// Each element followed by the separator; no elements gives the empty text.
Str JoinFavoritesList(const std::vector<Str>& elements);
// A caption or path with every separator taken out (repeatedly, so none can re-form), and
// without the last character of an end that the separator after it would complete
// ("a|*#" becomes "a|*"), so that it can be stored as one element.
Str WithoutFavoritesSeparator(StrView text);

// Why a group name cannot be used, in the order the checks run.
enum class GroupNameProblem {
  None,
  Empty,            // nothing left after trimming
  ReservedOther,    // "Other" names the favorites without a group
  ReservedStore,    // "Uncategorized" (any case) is the subkey of those favorites
  Backslash,        // would address a nested subkey
  Separator,        // would split the list of groups
  Duplicate,        // exists already; compared without regard to case, as subkeys are
  TooMany,          // seven groups exist already (only for a new name)
};
// Checks a trimmed, new group name against the existing names. `strings` gives the
// reserved "Other".
GroupNameProblem CheckNewGroupName(StrView trimmedName, const std::vector<Str>& existingNames,
                                   const StringSource& strings = BuiltInStrings());

// Reads everything. Groups without a subkey are empty; a path list shorter than the
// caption list gives empty paths for the captions without one (nothing is dropped).
// Groups the older program allowed are kept: one whose name holds a backslash is read
// from the nested subkey it names; one named "Uncategorized" (any case) is no group of
// its own, its favorites are those without a group.
FavoritesData ReadFavorites(FavoritesKeyStore& store);

// The organiser's save: writes the favorites group by group, then removes the subkeys
// no longer used (of groups stored before, of empty groups, Uncategorized when no
// favorite is without a group) and writes Groups last; false as soon as a write fails,
// with Groups not yet written. A group without favorites gets no subkey. Captions and paths lose any separator. Refuses (returns
// false, changes nothing) when a group name would not survive the layout; a name with a
// backslash is accepted only when it is stored already.
bool SaveFavorites(FavoritesKeyStore& store, const FavoritesData& data);

// The add dialog's append. groupText "(None)" or "Other" means no group; a group not yet
// in Groups is added to it first, and starts empty even where a subkey of its name was
// left behind. Refuses (returns false, changes nothing) a new group
// name that fails CheckNewGroupName. `strings` gives "(None)" and "Other".
bool AppendFavorite(FavoritesKeyStore& store, const Favorite& favorite, StrView groupText,
                    const StringSource& strings = BuiltInStrings());

}  // namespace qm
