// The stand-in for the shell's folder windows in the end-to-end tests' prefix: the
// program that the tests register as the command of the folder verbs "open" and
// "explore" records each start in this file, one line: its program file's name and its
// arguments, separated by "|" ("qm_open_recorder.exe|open|C:\qmtest\a").
#pragma once

namespace qm::e2e {

inline constexpr char16_t kOpenRecordFolder[] = u"C:\\qmrecord";
inline constexpr char16_t kOpenRecordFile[] = u"C:\\qmrecord\\opened.log";
inline constexpr char16_t kOpenRecorderName[] = u"qm_open_recorder.exe";

}  // namespace qm::e2e
