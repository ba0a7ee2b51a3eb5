// Shortcut files written with CreateShellLink and read back through the shell.
#include <windows.h>

#include <gtest/gtest.h>

#include "shared/base/handles_win.h"
#include "shared/base/str_win.h"
#include "shared/journal/shell_link_win.h"
#include "shared/journal/special_folder_win.h"

using namespace qm;

namespace {

Str Scratch(StrView name) {
  Str folder = GetSpecialFolderPath(28) + u"\\qm-link-test";
  CreateDirectoryW(W(folder), nullptr);
  return folder + u"\\" + Str(name);
}

}  // namespace

TEST(ShellLink, EveryFieldIsWrittenAndReadBack) {
  // Wine keeps the target of a shortcut in the ANSI code page (Windows does not), so the
  // target lies in a plain folder; the other paths carry letters outside ASCII.
  const Str folder = Scratch(u"J\u00fcrgen \u0416\u0443\u043a");
  CreateDirectoryW(W(folder), nullptr);
  const Str target = Scratch(u"Quillmark.exe");
  ASSERT_TRUE(UniqueFile(CreateFileW(W(target), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));

  ShellLinkSpec link;
  link.linkPath = folder + u"\\Quillmark Startup.lnk";
  link.target = target;
  link.arguments = u"/setupnow";
  link.workingFolder = folder;
  link.description = u"Quickly open your folders (Windows logo key + CTRL + SPACEBAR)";
  link.iconPath = folder + u"\\Quillmark.exe";
  link.iconIndex = 3;
  link.showCommand = 1;
  ASSERT_TRUE(CreateShellLink(link));

  ShellLinkSpec back;
  ASSERT_TRUE(ReadShellLink(link.linkPath, back));
  EXPECT_EQ(back.linkPath, link.linkPath);
  EXPECT_TRUE(EqualsNoCase(back.target, link.target)) << ToUtf8(back.target);
  EXPECT_EQ(back.arguments, link.arguments);
  EXPECT_TRUE(EqualsNoCase(back.workingFolder, link.workingFolder)) << ToUtf8(back.workingFolder);
  EXPECT_EQ(back.description, link.description);
  EXPECT_TRUE(EqualsNoCase(back.iconPath, link.iconPath)) << ToUtf8(back.iconPath);
  EXPECT_EQ(back.iconIndex, 3);
  EXPECT_EQ(back.showCommand, 1);
}

TEST(ShellLink, EmptyFieldsStayUnset) {
  ShellLinkSpec link;
  link.linkPath = Scratch(u"bare.lnk");
  link.target = GetSpecialFolderPath(37) + u"\\notepad.exe";
  ASSERT_TRUE(CreateShellLink(link));
  ShellLinkSpec back;
  ASSERT_TRUE(ReadShellLink(link.linkPath, back));
  EXPECT_TRUE(EqualsNoCase(back.target, link.target)) << ToUtf8(back.target);
  EXPECT_EQ(back.arguments, u"");
  EXPECT_EQ(back.workingFolder, u"");
  EXPECT_EQ(back.description, u"");
}

TEST(ShellLink, AMissingFolderFailsQuietly) {
  ShellLinkSpec link;
  link.linkPath = Scratch(u"no such folder\\x.lnk");
  link.target = GetSpecialFolderPath(37) + u"\\notepad.exe";
  EXPECT_FALSE(CreateShellLink(link));
  EXPECT_EQ(GetFileAttributesW(W(link.linkPath)), INVALID_FILE_ATTRIBUTES);
  ShellLinkSpec back;
  EXPECT_FALSE(ReadShellLink(link.linkPath, back));
}
