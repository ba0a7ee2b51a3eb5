#include "about/about_texts.h"

#include "shared/text/printf.h"

namespace qm {

namespace {

constexpr char16_t kHelpFileName[] = u"Quillmark.chm";
constexpr char16_t kHelpStartTopic[] = u"::/index.htm";

}  // namespace

Str WindowsDescription(const SystemLook& look, const StringSource& strings) {
  if (look.windowsGeneration <= 0) return strings.Load(StrId::Windows2000Description);
  if (look.windowsGeneration == 1) {
    if (look.themesActive) return strings.Load(StrId::WindowsXpDescription);
    return strings.Load(StrId::WindowsXpClassic) + strings.Load(StrId::ClassicStyleSuffix);
  }
  if (look.vistaStyle)
    return strings.Load(look.compositionEnabled ? StrId::WindowsVistaAero : StrId::WindowsVistaAeroBasic);
  return strings.Load(StrId::WindowsVistaClassic) + strings.Load(StrId::ClassicStyleSuffix);
}

Str FeedbackSubject(long major, long minor, long revision, const SystemLook& look, const StringSource& strings) {
  return printf(strings.Load(StrId::FeedbackSubject), {major, minor, revision, WindowsDescription(look, strings)});
}

Str FeedbackMailUrl(StrView address, StrView subject) {
  return u"mailto:" + Str(address) + u"?subject=" + Str(subject);
}

Str AboutVersionText(long major, long minor, long revision, const StringSource& strings) {
  return printf(strings.Load(StrId::AboutVersion), {major, minor, major, minor, revision});
}

Str HelpFilePath(StrView programFolder) {
  Str path(programFolder);
  if (path.empty() || path.back() != u'\\') path += u'\\';
  return path + kHelpFileName;
}

Str HelpTopicPath(StrView programFolder) { return HelpFilePath(programFolder) + kHelpStartTopic; }

}  // namespace qm
