#include "tests/e2e/about/about_fixture_win.h"

namespace qm::e2e {

namespace {

constexpr char16_t kOpenedFile[] = u"C:\\qmtest\\opened.txt";

std::vector<Str> Lines(const std::string& bytes) {
  std::vector<Str> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(FromUtf8(bytes.substr(start, end - start)));
    start = end + 2;
  }
  return lines;
}

}  // namespace

void AboutTest::SetUp() {
  AppTest::SetUp();
  DeleteFileW(reinterpret_cast<const wchar_t*>(kOpenedFile));
  // The recorder answers for the browser and the mail program: web and mail addresses
  // are opened through the commands registered for their schemes.
  const Str recorder = u"\"" + TestBinFolder() + u"\\e2e_url_recorder.exe\" \"%1\"";
  for (const char16_t* scheme : {u"http", u"https", u"mailto"}) {
    const Str key = Str(u"Software\\Classes\\") + scheme;
    ASSERT_TRUE(DeleteMachineKeyTree(key + u"\\shell"));
    ASSERT_TRUE(WriteMachineString(key, u"URL Protocol", u""));
    ASSERT_TRUE(WriteMachineString(key + u"\\shell\\open\\command", u"", recorder));
  }
  ASSERT_TRUE(WriteDword(kCurrentSettingsKey, u"DiagnosticTrace", 1));
}

std::vector<Str> AboutTest::Opened() { return Lines(ReadFileBytes(kOpenedFile)); }

std::vector<Str> AboutTest::WaitOpened(size_t n) {
  WaitUntil([&] { return Opened().size() >= n; }, 15000);
  return Opened();
}

bool AboutTest::HasText(HWND dialog, const Str& part) {
  for (const Str& t : DescendantTexts(dialog))
    if (t.find(part) != Str::npos) return true;
  return false;
}

bool AboutTest::Press(HWND dialog, const Str& buttonText) {
  HWND button = FindDescendantWithText(dialog, L"Button", buttonText);
  return button && ClickButton(button);
}

std::string AboutTest::TraceLog() { return ReadFileBytes(JournalFolder() + u"\\Quillmark.log"); }

}  // namespace qm::e2e
