; Pagewick's setup program: a per-user install (no administrator rights) into
; %LOCALAPPDATA%\Programs\Pagewick, with a Start menu shortcut, an uninstall entry under HKCU
; and an uninstaller.
;
; The program keeps its note (pagewick.txt), its settings (pagewick.ini) and the user's icon
; (pagewick.ico) beside itself. Setup never writes those, so an upgrade leaves them as they
; are, and the uninstaller keeps them unless the user asks otherwise. The visual-styles
; manifest is written by the program on its first start, not by setup.
;
; Built by CMake (installer/CMakeLists.txt), which passes:
;   VERSION       "1.4.0"   dotted version (the project version)
;   VERSION_TEXT  "1.04"    the version strings of the program's version record
;   PROGRAM_EXE   the built pagewick.exe
;   ICON_FILE     the program's icon
;   OUT_FILE      where the setup program goes

!ifndef VERSION | VERSION_TEXT | PROGRAM_EXE | ICON_FILE | OUT_FILE
  !error "pass VERSION, VERSION_TEXT, PROGRAM_EXE, ICON_FILE and OUT_FILE with -D"
!endif

Unicode true
SetCompressor /SOLID lzma

!define PRODUCT "Pagewick"
!define PUBLISHER "Pagewick developers"
!define COPYRIGHT "Copyright (C) 2026 Pagewick developers. All rights reserved."
!define WEBSITE "https://www.pagewick.example/"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pagewick"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Pagewick"
; The main window's class: how a running Pagewick is found.
!define MAIN_WINDOW_CLASS "Pagewick"

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Pagewick"
; An upgrade goes where the last install went (a /D= given now still wins).
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails hide
ShowUninstDetails hide

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include WinMessages.nsh

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
!define MUI_ABORTWARNING

; ---- installer pages -------------------------------------------------------------------------

!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\pagewick.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Pagewick"
!insertmacro MUI_PAGE_FINISH

; ---- uninstaller pages -----------------------------------------------------------------------

UninstPage custom un.OptionsPage un.OptionsLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Pagewick Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "InternalName" "Pagewick Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "pagewick-setup-${VERSION}.exe"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION_TEXT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION_TEXT}"

; ---- a running Pagewick ----------------------------------------------------------------------
; Replacing or removing the program while it runs would leave the user's unsaved note to a
; program whose files are gone; asking the user to exit it lets the program save the note itself.

!macro PAGEWICK_RUNNING_FUNCTIONS UN
; $R9 = 1 when a Pagewick started from $INSTDIR is running (its main window's process runs
; $INSTDIR\pagewick.exe, or that file cannot be opened for writing), else 0.
Function ${UN}IsPagewickRunning
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $R9 0
  StrCpy $0 0
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}" "" 0 $0
    ${If} $0 == 0
      ${ExitDo}
    ${EndIf}
    StrCpy $1 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
    ; PROCESS_QUERY_LIMITED_INFORMATION
    System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r1) p .r2'
    ${If} $2 <> 0
      StrCpy $3 ""
      System::Call 'kernel32::QueryFullProcessImageName(p r2, i 0, t .r3, *i ${NSIS_MAX_STRLEN}) i .r4'
      System::Call 'kernel32::CloseHandle(p r2)'
      ${If} $3 == "$INSTDIR\pagewick.exe"
        StrCpy $R9 1
        ${ExitDo}
      ${EndIf}
    ${EndIf}
  ${Loop}
  ${If} $R9 == 0
  ${AndIf} ${FileExists} "$INSTDIR\pagewick.exe"
    ; A running executable cannot be opened for writing (also while the process is ending).
    ClearErrors
    FileOpen $0 "$INSTDIR\pagewick.exe" a
    ${If} ${Errors}
      StrCpy $R9 1
    ${Else}
      FileClose $0
    ${EndIf}
  ${EndIf}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Asks until Pagewick from $INSTDIR is no longer running. $R9 = 0 when it is not (any more),
; 1 when the user chose Cancel (always the answer in silent mode).
Function ${UN}AskToExitPagewick
  ${Do}
    Call ${UN}IsPagewickRunning
    ${If} $R9 == 0
      ${ExitDo}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Pagewick is running from $INSTDIR.$\r$\n$\r$\nPlease exit Pagewick (File > Exit) so that it saves your note, then click Retry." \
      /SD IDCANCEL IDRETRY retry
    ${ExitDo}
    retry:
  ${Loop}
FunctionEnd
!macroend

!insertmacro PAGEWICK_RUNNING_FUNCTIONS ""
!insertmacro PAGEWICK_RUNNING_FUNCTIONS "un."

Function DirectoryLeave
  Call AskToExitPagewick
  ${If} $R9 == 1
    SetErrorLevel 2
    Quit
  ${EndIf}
  Call CanWriteInstallFolder
  ${If} $R9 == 0
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "Pagewick cannot write to $INSTDIR.$\r$\n$\r$\nPagewick keeps your note and settings in its own folder, so it must be a folder you can write to. Please choose another one."
    Abort
  ${EndIf}
FunctionEnd

; $R9 = 1 when a file can be created in $INSTDIR (made if missing), else 0. A folder made only
; for this test is removed again.
Function CanWriteInstallFolder
  Push $0
  Push $1
  StrCpy $1 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $1 1
  ${EndIf}
  StrCpy $R9 0
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $0 "$INSTDIR\pagewick-setup.tmp" w
  ${IfNot} ${Errors}
    FileClose $0
    StrCpy $R9 1
  ${EndIf}
  Delete "$INSTDIR\pagewick-setup.tmp"
  ${If} $1 == 1
    RMDir "$INSTDIR"
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; ---- install ---------------------------------------------------------------------------------

Section "Pagewick" SecProgram
  SectionIn RO
  ; The directory page asked already; this covers silent installs and a start in between.
  Call AskToExitPagewick
  ${If} $R9 == 1
    SetErrorLevel 2
    Abort "Pagewick is running; nothing was changed."
  ${EndIf}

  Call CanWriteInstallFolder
  ${If} $R9 == 0
    SetErrorLevel 2
    Abort "$INSTDIR cannot be written; nothing was installed."
  ${EndIf}
  SetOutPath "$INSTDIR"
  SetOverwrite on
  ClearErrors
  File "/oname=pagewick.exe" "${PROGRAM_EXE}"
  ${If} ${Errors}
    SetErrorLevel 2
    Abort "pagewick.exe could not be written."
  ${EndIf}
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortCut "$SMPROGRAMS\Pagewick.lnk" "$INSTDIR\pagewick.exe" "" "$INSTDIR\pagewick.exe" 0 \
    SW_SHOWNORMAL "" "A note that is always at hand"

  ; Size of what setup put there, in KB (the note and settings are the user's).
  ${GetSize} "$INSTDIR" "/M=pagewick.exe /S=0K /G=0" $0 $1 $2
  ${GetSize} "$INSTDIR" "/M=Uninstall.exe /S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pagewick.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${WEBSITE}"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; ---- uninstall -------------------------------------------------------------------------------

Var DeleteUserFiles
Var DeleteCheckbox

Function un.onInit
  StrCpy $DeleteUserFiles 0
FunctionEnd

Function un.OptionsPage
  !insertmacro MUI_HEADER_TEXT "Uninstall Pagewick" "Remove Pagewick from this computer."
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 56u "Pagewick will be removed from this folder:$\r$\n$INSTDIR$\r$\n$\r$\nYour note (pagewick.txt), your settings (pagewick.ini) and your icon (pagewick.ico) stay in that folder, so that installing Pagewick again finds them, unless you tick the box below."
  Pop $0
  ${NSD_CreateCheckbox} 0 64u 100% 12u "Also delete my note and settings"
  Pop $DeleteCheckbox
  ${If} $DeleteUserFiles == 1
    ${NSD_Check} $DeleteCheckbox
  ${EndIf}
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^UninstallBtn)"
  nsDialogs::Show
FunctionEnd

Function un.OptionsLeave
  ${NSD_GetState} $DeleteCheckbox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $DeleteUserFiles 1
  ${Else}
    StrCpy $DeleteUserFiles 0
  ${EndIf}
  Call un.AskToExitPagewick
  ${If} $R9 == 1
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.AskToExitPagewick
  ${If} $R9 == 1
    SetErrorLevel 2
    Abort "Pagewick is running; nothing was removed."
  ${EndIf}

  ClearErrors
  Delete "$INSTDIR\pagewick.exe"
  ${If} ${Errors}
    SetErrorLevel 2
    Abort "pagewick.exe could not be removed; nothing else was changed."
  ${EndIf}
  ; The program writes its manifest read-only and hidden.
  SetFileAttributes "$INSTDIR\pagewick.exe.MANIFEST" NORMAL
  Delete "$INSTDIR\pagewick.exe.MANIFEST"
  ; Only on the user's explicit request, never in silent mode.
  ${If} $DeleteUserFiles == 1
  ${AndIfNot} ${Silent}
    Delete "$INSTDIR\pagewick.txt"
    Delete "$INSTDIR\pagewick.ini"
    Delete "$INSTDIR\pagewick.ico"
  ${EndIf}

  Delete "$SMPROGRAMS\Pagewick.lnk"

  ; "Run at Startup" of this copy: the value holds the quoted path of this pagewick.exe
  ; followed by " /background". A value that starts another copy is not ours to remove.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  StrCpy $1 '"$INSTDIR\pagewick.exe"'
  StrLen $2 $1
  StrCpy $3 $0 $2
  ${If} $3 == $1
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  ; Removed only when empty: whatever the user keeps there stays.
  RMDir "$INSTDIR"
SectionEnd
