// QuillmarkBck.exe driven from outside: recording, the commands, instances, bad input.
#include "tests/e2e/background/background_fixture_win.h"

#include <string>

#include "shared/base/str_win.h"

using namespace qm;
using namespace qm::e2e;

namespace {

bool HotKeyTakenByAnotherProgram() {
  if (RegisterHotKey(nullptr, 0x5151, MOD_CONTROL | MOD_WIN, VK_SPACE)) {
    UnregisterHotKey(nullptr, 0x5151);
    return false;
  }
  return true;
}

struct VisibleSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND h, LPARAM lp) {
  auto* st = reinterpret_cast<VisibleSearch*>(lp);
  if (WindowProcessId(h) == st->pid && IsWindowVisible(h)) st->found.push_back(h);
  return TRUE;
}

std::vector<HWND> VisibleWindowsOf(DWORD pid) {
  VisibleSearch s{pid, {}};
  EnumWindows(&CollectVisible, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace

class Recording : public BackgroundTest {};

TEST_F(Recording, FirstReportCreatesJournalAndQuickLaunchShortcutAndIsStored) {
  const Str shortcut = QuickLaunchFolder() + u"\\Quillmark.lnk";
  ASSERT_TRUE(MakeDirectories(QuickLaunchFolder()));
  RemoveTree(shortcut);
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  EXPECT_FALSE(DirectoryExists(JournalFolder()));

  ASSERT_TRUE(Report(worker, u"Docs", u"C:\\Users\\Docs   "));
  ASSERT_EQ(WaitForRows(1), 1);
  EXPECT_TRUE(FileExists(JournalFile()));
  EXPECT_TRUE(FileExists(shortcut));
  auto rows = JournalRows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0], u"Docs");
  EXPECT_EQ(rows[0][1], u"C:\\Users\\Docs");
}

TEST_F(Recording, WithoutQuickLaunchFolderTheJournalIsStillCreatedAndNoFolderMade) {
  ASSERT_TRUE(RemoveTree(QuickLaunchFolder()));
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(Report(worker, u"Windows", u"C:\\windows"));
  ASSERT_EQ(WaitForRows(1), 1);
  EXPECT_FALSE(DirectoryExists(QuickLaunchFolder()));
}

TEST_F(Recording, NamesAndPathsAreKeptAsSentExceptTrailingBlanksOfThePath) {
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(Report(worker, u" Bar | in name ", u"  C:\\lead\\trail  "));
  ASSERT_TRUE(Report(worker, u"Split", u"C:\\a|\\|b|\\|c"));
  ASSERT_TRUE(SendText(worker, u"Same|\\|C:\\same"));
  ASSERT_TRUE(SendText(worker, u"Same|\\|C:\\same"));
  ASSERT_TRUE(Report(worker, u"O'Brien \u00c4\u4e2d\U0001F600", u"C:\\it's \u00e4"));
  ASSERT_EQ(WaitForRows(5), 5);
  auto rows = JournalRows();
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], (Row{u" Bar | in name ", u"  C:\\lead\\trail"}));
  EXPECT_EQ(rows[1], (Row{u"Split", u"C:\\a|\\|b|\\|c"}));
  EXPECT_EQ(rows[2], (Row{u"Same", u"C:\\same"}));
  EXPECT_EQ(rows[3], (Row{u"Same", u"C:\\same"}));
  EXPECT_EQ(rows[4], (Row{u"O'Brien \u00c4\u4e2d\U0001F600", u"C:\\it's \u00e4"}));
}

class Commands : public BackgroundTest {};

TEST_F(Commands, PropertiesPrefixInOtherLetterCaseIsADroppedReport) {
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(SendText(worker, u"\\properties!0|C:\\windows"));
  ASSERT_TRUE(SendText(worker, u"\\PROPERTIES!0|C:\\windows"));
  ASSERT_TRUE(SendText(worker, u"C:\\windows"));
  Settle(worker);
  EXPECT_TRUE(RowsWithoutMarkers().empty());
  EXPECT_TRUE(background_.Running());
}

TEST_F(Commands, ExitNowFollowedByAnythingWithoutTheReportSeparatorEndsTheProgram) {
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(Report(worker, u"Before", u"C:\\before"));
  LRESULT result = 0;
  ASSERT_TRUE(SendText(worker, u"ExitNow, as asked | \\ | C:\\not a report", &result));
  EXPECT_EQ(result, 1);
  ASSERT_TRUE(background_.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(background_.ExitCode(), 0u);
  EXPECT_TRUE(TopLevelWindows(kWorkerCaption).empty());
  // What came before the command was recorded.
  auto rows = JournalRows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0], u"Before");
}

TEST_F(Commands, AFolderWhoseNameBeginsWithExitNowIsRecordedAndTheProgramGoesOn) {
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(Report(worker, u"ExitNowPhotos", u"C:\\ExitNowPhotos"));
  ASSERT_TRUE(Report(worker, u"ExitNow", u"C:\\ExitNow"));
  Settle(worker);
  EXPECT_TRUE(background_.Running());
  auto rows = RowsWithoutMarkers();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (Row{u"ExitNowPhotos", u"C:\\ExitNowPhotos"}));
  EXPECT_EQ(rows[1], (Row{u"ExitNow", u"C:\\ExitNow"}));
}

TEST_F(Commands, LowerCaseExitNowIsNotACommand) {
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(SendText(worker, u"exitnow"));
  Settle(worker);
  EXPECT_TRUE(background_.Running());
}

TEST_F(Commands, PropertiesCommandReturnsAtOnceAndBreaksNothing) {
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  OwnedWindow ownWindow(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        nullptr, nullptr));
  HWND own = ownWindow.get();
  const Str handle = IntToStr(reinterpret_cast<INT_PTR>(own));
  const Str texts[] = {
      u"\\Properties!" + handle + u"|C:\\windows",      // a real owner
      u"\\Properties!0|C:\\windows|with|bars",           // no owner, bars in the path
      u"\\Properties!123456789|C:\\windows",             // a number that is no window
      u"\\Properties!12x|C:\\windows",                   // handle not a number
      u"\\Properties!" + handle,                         // no "|"
      u"\\Properties!",                                  // nothing at all
  };
  for (const Str& t : texts) {
    LRESULT result = 0;
    ASSERT_TRUE(SendText(worker, t, &result)) << ToUtf8(t);
    EXPECT_EQ(result, 1);
  }
  Settle(worker);
  EXPECT_TRUE(RowsWithoutMarkers().empty());
  // Nothing waits on the screen (the shell's failure shows no message box).
  EXPECT_TRUE(VisibleWindowsOf(background_.Pid()).empty());
}

class Instances : public BackgroundTest {};

TEST_F(Instances, SecondStartEndsAndLeavesTheFirstWindowAndHotKey) {
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  EXPECT_TRUE(HotKeyTakenByAnotherProgram());

  ChildProcess second;
  ASSERT_TRUE(second.Start(BackgroundExe()));
  ASSERT_TRUE(second.WaitExit(kDefaultBoundMs));
  EXPECT_EQ(second.ExitCode(), 0u);

  auto workers = TopLevelWindows(kWorkerCaption);
  ASSERT_EQ(workers.size(), 1u);
  EXPECT_EQ(workers[0], worker);
  EXPECT_EQ(WindowProcessId(worker), background_.Pid());
  EXPECT_TRUE(HotKeyTakenByAnotherProgram());
  ASSERT_TRUE(Report(worker, u"After", u"C:\\after"));
  ASSERT_EQ(WaitForRows(1), 1);
}

TEST_F(Instances, HotKeyStartsQuillmarkFromTheProgramFolderNotTheCurrentOne) {
  // A copy of the program in a folder with blanks, the stand-in as Quillmark.exe beside
  // it, and another stand-in in the current folder that must not be the one started.
  const Str root = u"C:\\qm hot key";
  const Str prog = root + u"\\prog files";
  const Str cwd = root + u"\\elsewhere";
  RemoveTree(root);
  ASSERT_TRUE(MakeDirectories(prog));
  ASSERT_TRUE(MakeDirectories(cwd));
  const Str bin = TestBinFolder();
  ASSERT_TRUE(CopyFileTo(bin + u"\\QuillmarkBck.exe", prog + u"\\QuillmarkBck.exe"));
  ASSERT_TRUE(CopyFileTo(bin + u"\\Template.dat", prog + u"\\Template.dat"));
  ASSERT_TRUE(CopyFileTo(bin + u"\\e2e_quillmark_standin.exe", prog + u"\\Quillmark.exe"));
  ASSERT_TRUE(CopyFileTo(bin + u"\\e2e_quillmark_standin.exe", cwd + u"\\Quillmark.exe"));
  const Str marker = root + u"\\started.txt";
  ASSERT_TRUE(SetEnvironmentVariableW(L"QM_STANDIN_MARKER", W(marker)));

  HWND worker = StartBackground(background_, Str(), prog + u"\\QuillmarkBck.exe", cwd);
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(PostMessageW(worker, WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_WIN, VK_SPACE)));
  ASSERT_TRUE(WaitUntil([&] { return FileExists(marker); }));
  const std::string text = ReadFileBytes(marker);
  const std::string expectedExe = ToUtf8(prog + u"\\Quillmark.exe");
  EXPECT_EQ(text.substr(0, text.find('\n')), expectedExe) << text;
  EXPECT_NE(text.find("\n" + ToUtf8(cwd)), std::string::npos) << text;  // its current folder

  // Every press starts a new process.
  ASSERT_TRUE(DeleteFileW(W(marker)));
  ASSERT_TRUE(PostMessageW(worker, WM_HOTKEY, 1, 0));
  EXPECT_TRUE(WaitUntil([&] { return FileExists(marker); }));
}

TEST_F(Instances, TheLauncherIsStartedWithoutThisProgramsHandles) {
  // Whoever started the background program may have passed handles on to it (an
  // installer, a script); the launcher it starts must not hold them open as well.
  const Str root = u"C:\\qm handles";
  RemoveTree(root);
  ASSERT_TRUE(MakeDirectories(root));
  const Str bin = TestBinFolder();
  ASSERT_TRUE(CopyFileTo(bin + u"\\QuillmarkBck.exe", root + u"\\QuillmarkBck.exe"));
  ASSERT_TRUE(CopyFileTo(bin + u"\\Template.dat", root + u"\\Template.dat"));
  ASSERT_TRUE(CopyFileTo(bin + u"\\e2e_quillmark_standin.exe", root + u"\\Quillmark.exe"));
  SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
  HANDLE file = CreateFileW(W(root + u"\\held.bin"), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::string bytes(12345, 'h');
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_TRUE(SetEnvironmentVariableW(L"QM_STANDIN_HANDLE",
                                      W(IntToStr(static_cast<long long>(reinterpret_cast<UINT_PTR>(file))))));
  const Str marker = root + u"\\started.txt";
  ASSERT_TRUE(SetEnvironmentVariableW(L"QM_STANDIN_MARKER", W(marker)));
  auto fourthLine = [&] {
    std::string text = ReadFileBytes(marker);
    for (int i = 0; i < 3 && text.find('\n') != std::string::npos; ++i) text.erase(0, text.find('\n') + 1);
    return text;
  };

  // The stand-in sees a handle passed on to it.
  ChildProcess direct;
  ASSERT_TRUE(direct.Start(root + u"\\Quillmark.exe", Str(), Str(), true));
  ASSERT_TRUE(direct.WaitExit(kDefaultBoundMs));
  ASSERT_TRUE(WaitUntil([&] { return FileExists(marker); }));
  ASSERT_EQ(fourthLine(), "inherited\n");
  ASSERT_TRUE(DeleteFileW(W(marker)));

  // The background program holds it too, but does not pass it on.
  ASSERT_TRUE(background_.Start(root + u"\\QuillmarkBck.exe", Str(), root, true));
  HWND worker = WaitForWindow(kWorkerCaption, background_.Pid());
  ASSERT_NE(worker, nullptr);
  ASSERT_TRUE(PostMessageW(worker, WM_HOTKEY, 1, 0));
  ASSERT_TRUE(WaitUntil([&] { return FileExists(marker); }));
  EXPECT_EQ(fourthLine(), "not inherited\n");
  SetEnvironmentVariableW(L"QM_STANDIN_HANDLE", nullptr);
  CloseHandle(file);
}

class BadInput : public BackgroundTest {};

TEST_F(BadInput, MalformedBlocksAreRefusedOrDroppedAndLaterReportsStored) {
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  LRESULT result = -1;

  // No block at all (Wine's sending side may already refuse it), no data, no bytes, an
  // odd number of bytes: refused.
  DWORD_PTR answer = 1;
  SendMessageTimeoutW(worker, WM_COPYDATA, 0, 0, SMTO_NORMAL, 10000, &answer);
  EXPECT_NE(answer, 1u);
  EXPECT_TRUE(SendCopyData(worker, nullptr, 0, &result));
  EXPECT_EQ(result, 0);
  SendCopyData(worker, nullptr, 64, &result);
  EXPECT_EQ(result, 0);
  const char16_t text[] = u"Odd|\\|C:\\odd";
  EXPECT_TRUE(SendCopyData(worker, text, 0, &result));
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(SendCopyData(worker, text, 5, &result));
  EXPECT_EQ(result, 0);

  // A block of 1 MB: refused without harm.
  Str huge = MakeFolderReport(u"Huge", u"C:\\" + Str(512 * 1024, u'h'));
  EXPECT_TRUE(SendText(worker, huge, &result));
  EXPECT_EQ(result, 0);

  // NUL inside: dropped. Only NULs: refused.
  EXPECT_TRUE(SendText(worker, Str(u"Nul|\\|C:\\a\0b", 12), &result));
  EXPECT_TRUE(SendText(worker, Str(u"\0\0\0\0", 4), &result));
  EXPECT_EQ(result, 0);

  // A counted terminator is forgiven; unpaired surrogates become U+FFFD.
  EXPECT_TRUE(SendText(worker, Str(u"Term|\\|C:\\term\0", 15), &result));
  EXPECT_EQ(result, 1);
  Str lone = u"Lone";
  lone += char16_t(0xD800);
  EXPECT_TRUE(SendText(worker, MakeFolderReport(lone, Str(u"C:\\x") + char16_t(0xDC01)), &result));
  EXPECT_EQ(result, 1);

  // And the window still records.
  ASSERT_TRUE(Report(worker, u"Good", u"C:\\good"));
  Settle(worker);
  auto rows = RowsWithoutMarkers();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (Row{u"Term", u"C:\\term"}));
  EXPECT_EQ(rows[1], (Row{u"Lone\uFFFD", u"C:\\x\uFFFD"}));
  EXPECT_EQ(rows[2], (Row{u"Good", u"C:\\good"}));
  EXPECT_TRUE(background_.Running());
}

class DiagnosticTrace : public BackgroundTest {};

TEST_F(DiagnosticTrace, OffByDefaultAndWrittenForARefusedBlockOnceTheSwitchIsOn) {
  const Str traceFile = JournalFolder() + u"\\QuillmarkBck.log";
  HWND worker = StartBackground(background_);
  ASSERT_NE(worker, nullptr);
  LRESULT result = -1;
  const char odd[] = "abc";
  ASSERT_TRUE(SendCopyData(worker, odd, 3, &result));
  EXPECT_EQ(result, 0);
  ASSERT_TRUE(Report(worker, u"Docs", u"C:\\docs"));
  Settle(worker);
  // Nothing of the trace in the user's folders while the switch is off.
  EXPECT_TRUE(DirectoryExists(JournalFolder()));
  EXPECT_FALSE(FileExists(traceFile));

  // The switch counts from the next line on, without a restart.
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"DiagnosticTrace", 1));
  ASSERT_TRUE(SendCopyData(worker, odd, 3, &result));
  EXPECT_EQ(result, 0);
  ASSERT_TRUE(WaitUntil([&] { return FileExists(traceFile); }, 10000));
  const std::string text = ReadFileBytes(traceFile);
  const std::string expected = "QuillmarkBck[" + std::to_string(background_.Pid()) +
                               "] worker: WM_COPYDATA refused: an odd number of bytes (3)\r\n";
  EXPECT_NE(text.find(expected), std::string::npos) << text;
  EXPECT_EQ(text.find('\n'), text.size() - 1) << "one line only: " << text;
  // Reports that are taken leave no line.
  Settle(worker);
  EXPECT_EQ(ReadFileBytes(traceFile), text);
}
