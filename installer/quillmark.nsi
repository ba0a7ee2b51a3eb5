; Quillmark's setup program: a per-user installation without administrator rights into
; the user's own programs folder, with an uninstall entry and a Start menu shortcut for
; this user only. scripts/package.sh builds it once per Windows build and defines:
;   QM_ARCH     x86 (32-bit setup, i686 programs) or x64 (64-bit setup, x86_64 programs)
;   QM_VERSION  major.minor.build, QM_VERSION_MAJOR, QM_VERSION_MINOR, QM_VERSION_BUILD
;   QM_STAGE    the folder with the stripped programs and their files
;   QM_ICON     the program icon
;   QM_OUTFILE  the setup program to write
;
; Command line of the setup program: /S installs silently (no welcome window at the end),
; /D=folder installs elsewhere. Of the uninstaller: /S removes silently and keeps the
; journal, the favorites and the settings; /REMOVEDATA removes them too (without asking).

!if ${QM_ARCH} == x64
  Target amd64-unicode
!else
  Unicode true
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "programs.nsh"

!define QM_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmark"
!define QM_SETTINGS_KEY "Software\Tarnhold\Quillmark"
!define QM_JOURNAL_FOLDER "$LOCALAPPDATA\Quillmark"
!define QM_QUICK_LAUNCH "$APPDATA\Microsoft\Internet Explorer\Quick Launch"
!define QM_UNINSTALLER "Uninstall.exe"

Name "Quillmark"
OutFile "${QM_OUTFILE}"
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
InstallDir "$LOCALAPPDATA\Programs\Quillmark"
; An earlier installation is replaced where it is.
InstallDirRegKey HKCU "${QM_UNINSTALL_KEY}" "InstallLocation"
Caption "Quillmark Setup"
UninstallCaption "Quillmark Uninstall"
BrandingText "Quillmark ${QM_VERSION}"

; Like the programs' own version resources, the setup program's carries no copyright line.
!pragma warning disable 9100
VIProductVersion "${QM_VERSION_MAJOR}.${QM_VERSION_MINOR}.0.${QM_VERSION_BUILD}"
VIFileVersion "${QM_VERSION_MAJOR}.${QM_VERSION_MINOR}.0.${QM_VERSION_BUILD}"
VIAddVersionKey /LANG=1033 "ProductName" "Quillmark"
VIAddVersionKey /LANG=1033 "CompanyName" "Tarnhold"
VIAddVersionKey /LANG=1033 "FileDescription" "Quillmark Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${QM_VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${QM_VERSION}"

Var Upgrading  ; 1 when an installation of this user was found

!define MUI_ICON "${QM_ICON}"
!define MUI_UNICON "${QM_ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderPageOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

LangString QmShortcutDescription ${LANG_ENGLISH} "Quickly open your folders (Windows logo key + CTRL + SPACEBAR)"
LangString QmKeepDataQuestion ${LANG_ENGLISH} "Do you want to keep your folder journal, your folder favorites and your Quillmark settings?$\r$\n$\r$\nChoose Yes to keep them for a later installation of Quillmark, or No to remove them."
LangString QmFileInUse ${LANG_ENGLISH} "A Quillmark program is still running and holds this file:$\r$\n$R0$\r$\n$\r$\nClose it and choose Retry, or Cancel to stop."

!insertmacro QM_PROGRAM_FUNCTIONS ""
!insertmacro QM_PROGRAM_FUNCTIONS "un."

Function .onInit
  StrCpy $Upgrading 0
  ReadRegStr $0 HKCU "${QM_UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\QuillmarkBck.exe"
    StrCpy $Upgrading 1
  ${EndIf}
FunctionEnd

Function SkipFolderPageOnUpgrade
  ${If} $Upgrading == 1
    Abort
  ${EndIf}
FunctionEnd

; In: $R0 a program file about to be replaced. Running programs were ended before; one
; started meanwhile is reported, with the choice to retry.
Function ClearProgramFile
  ${Do}
    Call QmDeleteFile
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(QmFileInUse)" /SD IDCANCEL IDRETRY +2
    Abort
  ${Loop}
FunctionEnd

!macro QM_PUT_PROGRAM name
  StrCpy $R0 "$INSTDIR\${name}"
  Call ClearProgramFile
  File "${QM_STAGE}\${name}"
!macroend

Section "Quillmark" SecProgram
  SectionIn RO
  ; Upgrading: the running programs go first, so that their files can be replaced; the
  ; journal, the favorites and the settings are left as they are.
  Call QmEndPrograms
  SetOutPath "$INSTDIR"
  !insertmacro QM_PUT_PROGRAM "Quillmark.exe"
  !insertmacro QM_PUT_PROGRAM "QuillmarkBck.exe"
  !insertmacro QM_PUT_PROGRAM "QuillmarkWatch.exe"
  File "${QM_STAGE}\Template.dat"
  File "${QM_STAGE}\watermark.png"
  !if /FileExists "${QM_STAGE}/Quillmark.chm"
    File "${QM_STAGE}\Quillmark.chm"
  !endif
  WriteUninstaller "$INSTDIR\${QM_UNINSTALLER}"

  CreateShortCut "$SMPROGRAMS\Quillmark.lnk" "$INSTDIR\Quillmark.exe" "" "$INSTDIR\Quillmark.exe" 0 \
    SW_SHOWNORMAL "" "$(QmShortcutDescription)"
  ; The programs write the Quick Launch shortcut only together with a new journal. A
  ; journal kept by an earlier uninstallation would leave the reinstalled program without
  ; it, so it is written here, where the Quick Launch folder exists.
  ${If} $Upgrading != 1
  ${AndIf} ${FileExists} "${QM_JOURNAL_FOLDER}\Quillmark.dat"
  ${AndIf} ${FileExists} "${QM_QUICK_LAUNCH}\*.*"
  ${AndIfNot} ${FileExists} "${QM_QUICK_LAUNCH}\Quillmark.lnk"
    CreateShortCut "${QM_QUICK_LAUNCH}\Quillmark.lnk" "$INSTDIR\Quillmark.exe" "" "$INSTDIR\Quillmark.exe" 0 \
      SW_SHOWNORMAL "" "$(QmShortcutDescription)"
  ${EndIf}

  WriteRegStr HKCU "${QM_UNINSTALL_KEY}" "DisplayName" "Quillmark"
  WriteRegStr HKCU "${QM_UNINSTALL_KEY}" "DisplayVersion" "${QM_VERSION}"
  WriteRegStr HKCU "${QM_UNINSTALL_KEY}" "Publisher" "Tarnhold"
  WriteRegStr HKCU "${QM_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillmark.exe,0"
  WriteRegStr HKCU "${QM_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${QM_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${QM_UNINSTALLER}"'
  WriteRegStr HKCU "${QM_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${QM_UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${QM_UNINSTALL_KEY}" "VersionMajor" ${QM_VERSION_MAJOR}
  WriteRegDWORD HKCU "${QM_UNINSTALL_KEY}" "VersionMinor" ${QM_VERSION_MINOR}
  WriteRegDWORD HKCU "${QM_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${QM_UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${QM_UNINSTALL_KEY}" "EstimatedSize" $0

  ; The background program journals from now on. Started by this setup program, which
  ; runs with the user's own rights, it runs unelevated. Its worker window is waited for
  ; so that the welcome start below is the second instance: closing the welcome window
  ; then ends only that one, and journaling goes on.
  Exec '"$INSTDIR\QuillmarkBck.exe"'
  StrCpy $1 0
  ${Do}
    FindWindow $0 "" "${QM_WORKER_CAPTION}"
    ${If} $0 P<> 0
    ${OrIf} $1 >= 100
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
  ${IfNot} ${Silent}
  ${AndIf} $Upgrading != 1
    Exec '"$INSTDIR\QuillmarkBck.exe" /setupnow'
  ${EndIf}
SectionEnd

!macro QM_REMOVE_FILE name
  StrCpy $R0 "$INSTDIR\${name}"
  Call un.QmDeleteFile
!macroend

Var RemoveData  ; 1 when the journal, the favorites and the settings go too

Section "Uninstall"
  StrCpy $RemoveData 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVEDATA" $R1
  ${IfNot} ${Errors}
    StrCpy $RemoveData 1
  ${Else}
    MessageBox MB_YESNO|MB_ICONQUESTION "$(QmKeepDataQuestion)" /SD IDYES IDYES +2
    StrCpy $RemoveData 1
  ${EndIf}

  Call un.QmEndPrograms
  !insertmacro QM_REMOVE_FILE "Quillmark.exe"
  !insertmacro QM_REMOVE_FILE "QuillmarkBck.exe"
  !insertmacro QM_REMOVE_FILE "QuillmarkWatch.exe"
  !insertmacro QM_REMOVE_FILE "Template.dat"
  !insertmacro QM_REMOVE_FILE "watermark.png"
  !insertmacro QM_REMOVE_FILE "Quillmark.chm"
  ; This uninstaller runs from a copy in the temporary folder; the file it was started
  ; from may still be held for a moment.
  !insertmacro QM_REMOVE_FILE "${QM_UNINSTALLER}"
  ; Only an empty folder goes: whatever the user put there stays.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Quillmark.lnk"
  Delete "${QM_QUICK_LAUNCH}\Quillmark.lnk"
  ${If} ${FileExists} "$SMSTARTUP\Quillmark Startup.lnk"
    Delete "$SMSTARTUP\Quillmark Startup.lnk"
    ; The launcher makes this shortcut on its first start for a user only. Kept settings
    ; would keep a later installation's launcher from making it again, and the background
    ; program would no longer start at log-on.
    ${If} $RemoveData != 1
      DeleteRegValue HKCU "${QM_SETTINGS_KEY}\CurrentSettings" "StartupShortcutCreated"
    ${EndIf}
  ${EndIf}

  ${If} $RemoveData == 1
    RMDir /r "${QM_JOURNAL_FOLDER}"
    DeleteRegKey HKCU "${QM_SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Tarnhold"
  ${EndIf}
  ; Last, so that whoever waits for the uninstallation sees it complete once the entry has gone.
  DeleteRegKey HKCU "${QM_UNINSTALL_KEY}"
SectionEnd
