// `frmIgnoreManager`: the list of all ignore rules, with Add, Modify and Remove. Only
// its OK writes the list (IgnoreStrings); the opener then rebuilds the filter.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ignore/ignore_store.h"
#include "shared/base/handles_win.h"
#include "shared/ui/controls_win.h"
#include "shared/ui/dialog_win.h"

namespace qm {

class frmIgnoreManager : public Dialog {
 public:
  // Without a store: the program's settings.
  explicit frmIgnoreManager(std::shared_ptr<TextValueStore> settings = nullptr);

  bool bVistaStyle = false;  // the Explorer look for the list, the Vista icons

 protected:
  bool OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOk() override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void AddRow(const Str& storedRule, int position = -1);
  void UpdateButtons();
  POINT EntryPlace() const;
  void Add();
  void Modify();
  void Remove();

  std::shared_ptr<TextValueStore> settings_;
  std::vector<Str> rules_;  // the stored rule of each row, in row order
  ListViewControl lvwIgnoredFolders;
  Control cmdModify;
  Control cmdRemove;
  UniqueIcon bigIcon_;
  UniqueImageList images_;
};

}  // namespace qm
