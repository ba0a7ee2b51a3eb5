; Ending Quillmark's running programs before their files are replaced or removed, and
; starting the background program again. Used by the setup program and the uninstaller
; (each needs its own copy of a function, hence the "un" parameter).
;
; Every program is found by its window and asked to end the way it expects: the launcher
; by WM_CLOSE (it saves its window placement on the way), the background program by its
; "ExitNow" text, the welcome window and the reporter by WM_CLOSE. A process that has not
; ended after a grace period is ended hard, so that its files can go.

!include LogicLib.nsh
!include WinMessages.nsh

!define QM_WORKER_CAPTION "RAVENSEL_WORKER_APP"
!define QM_LAUNCHER_CLASS "QuillmarkMain"
!define QM_WELCOME_CLASS "QuillmarkBckWelcome"
!define QM_REPORTER_CLASS "QuillmarkWatch"
!define QM_GRACE_MS 10000
!define QM_SYNCHRONIZE_TERMINATE 0x00100001
!define QM_SMTO_ABORTIFHUNG 0x0002

!macro QM_PROGRAM_FUNCTIONS un

; In: $R0 a window, $R1 how to ask its process to end ("exitnow" or "close"). Returns
; once that process has ended (or could not be opened and its window has gone).
Function ${un}QmEndWindowProcess
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  StrCpy $R2 0
  System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R2)'
  System::Call 'kernel32::OpenProcess(i ${QM_SYNCHRONIZE_TERMINATE}, i 0, i R2) p.R3'
  ${If} $R1 == "exitnow"
    ; COPYDATASTRUCT {dwData, cbData, lpData}: the text as UTF-16 without terminator.
    System::Call '*(&w7 "ExitNow") p.R4'
    !if ${QM_ARCH} == x64
      System::Call '*(p 0, i 14, i 0, p R4) p.R5'
    !else
      System::Call '*(p 0, i 14, p R4) p.R5'
    !endif
    System::Call 'user32::SendMessageTimeoutW(p R0, i ${WM_COPYDATA}, p $HWNDPARENT, p R5, i ${QM_SMTO_ABORTIFHUNG}, i 5000, *p .R6)'
    System::Free $R5
    System::Free $R4
    ; A welcome window of the same process would keep it running without its worker.
    Call ${un}QmCloseWelcomeWindows
  ${Else}
    System::Call 'user32::PostMessageW(p R0, i ${WM_CLOSE}, p 0, p 0)'
  ${EndIf}
  ${If} $R3 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p R3, i ${QM_GRACE_MS}) i.R6'
    ${If} $R6 <> 0
      DetailPrint "Ending process $R2 that did not end when asked"
      System::Call 'kernel32::TerminateProcess(p R3, i 1)'
      System::Call 'kernel32::WaitForSingleObject(p R3, i 5000)'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p R3)'
  ${Else}
    StrCpy $R6 0
    ${DoWhile} $R6 < 100
      IsWindow $R0 0 +2
      ${Break}
      Sleep 100
      IntOp $R6 $R6 + 1
    ${Loop}
  ${EndIf}
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
FunctionEnd

; Posts WM_CLOSE to every welcome window; their processes are waited for elsewhere.
Function ${un}QmCloseWelcomeWindows
  Push $R7
  StrCpy $R7 0
  ${Do}
    FindWindow $R7 "${QM_WELCOME_CLASS}" "" 0 $R7
    ${If} $R7 P= 0
      ${Break}
    ${EndIf}
    System::Call 'user32::PostMessageW(p R7, i ${WM_CLOSE}, p 0, p 0)'
  ${Loop}
  Pop $R7
FunctionEnd

; Ends every Quillmark program of this user's desktop: launcher, background program
; (with its welcome window and its reporter). $0 is 1 afterwards when a background
; program was running.
Function ${un}QmEndPrograms
  Push $R0
  Push $R1
  Push $R8
  StrCpy $0 0
  ; The window found first is the one handled next; a window that outlives its process
  ; being ended must not hold the loop, hence the bound on rounds.
  StrCpy $R8 0
  ${Do}
    FindWindow $R0 "${QM_LAUNCHER_CLASS}" ""
    ${If} $R0 P= 0
    ${OrIf} $R8 >= 8
      ${Break}
    ${EndIf}
    DetailPrint "Closing the running Quillmark window"
    StrCpy $R1 "close"
    Call ${un}QmEndWindowProcess
    IntOp $R8 $R8 + 1
  ${Loop}
  StrCpy $R8 0
  ${Do}
    FindWindow $R0 "" "${QM_WORKER_CAPTION}"
    ${If} $R0 P= 0
    ${OrIf} $R8 >= 8
      ${Break}
    ${EndIf}
    DetailPrint "Ending the running background program"
    StrCpy $0 1
    StrCpy $R1 "exitnow"
    Call ${un}QmEndWindowProcess
    IntOp $R8 $R8 + 1
  ${Loop}
  ; A welcome window of a second start has no worker window of its own.
  StrCpy $R8 0
  ${Do}
    FindWindow $R0 "${QM_WELCOME_CLASS}" ""
    ${If} $R0 P= 0
    ${OrIf} $R8 >= 8
      ${Break}
    ${EndIf}
    StrCpy $R1 "close"
    Call ${un}QmEndWindowProcess
    IntOp $R8 $R8 + 1
  ${Loop}
  ; The reporter ends with the background program by itself; one that has not yet is
  ; waited for.
  StrCpy $R8 0
  ${Do}
    FindWindow $R0 "${QM_REPORTER_CLASS}" ""
    ${If} $R0 P= 0
    ${OrIf} $R8 >= 8
      ${Break}
    ${EndIf}
    StrCpy $R1 "close"
    Call ${un}QmEndWindowProcess
    IntOp $R8 $R8 + 1
  ${Loop}
  Pop $R8
  Pop $R1
  Pop $R0
FunctionEnd

; Deletes a file of ours, waiting briefly while a process that just ended still holds it.
; In: $R0 the file. Sets the error flag when it is still there.
Function ${un}QmDeleteFile
  Push $R1
  StrCpy $R1 0
  ${Do}
    ClearErrors
    Delete "$R0"
    ${IfNot} ${FileExists} "$R0"
    ${OrIf} $R1 >= 50
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $R1 $R1 + 1
  ${Loop}
  ClearErrors
  ${If} ${FileExists} "$R0"
    SetErrors
  ${EndIf}
  Pop $R1
FunctionEnd

!macroend
