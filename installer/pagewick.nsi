; Pagewick's setup program: a per-user install (no administrator rights) into
; %LOCALAPPDATA%\Programs\Pagewick, with a Start menu shortcut, an uninstall entry under HKCU
; and an uninstaller.
;
; The program keeps its note (pagewick.txt), its settings (pagewick.ini), the user's word list
; (pagewick.dic) and icon (pagewick.ico) beside itself, with the copies it makes of the note
; (pagewick.recover, and a note it could not load kept as "pagewick <date> <time>.txt"). Setup
; never writes those, so an upgrade leaves them as they are, and the uninstaller keeps them
; unless the user asks otherwise. The visual-styles manifest is written by the program on its
; first start, not by setup.
;
; Setup writes nothing but pagewick.exe and its own uninstaller, named after Pagewick so that a
; folder shared with another program never loses that program's Uninstall.exe.
;
; Built by CMake (installer/CMakeLists.txt), which passes:
;   VERSION       "1.4.0"   dotted version (the project version)
;   VERSION_TEXT  "1.04"    the version strings of the program's version record
;   PROGRAM_EXE   the built pagewick.exe
;   ICON_FILE     the program's icon
;   OUT_FILE      where the setup program goes
;   PUBLISHER, COPYRIGHT, WEBSITE   who publishes Pagewick (the package manager's manifest
;                 names the same)
; and, to sign the setup program and the uninstaller it writes (Authenticode):
;   SIGN_SCRIPT   installer/sign.sh
;   SIGN_CONFIG   the signing configuration it reads (certificate, key, timestamp server)

!ifndef VERSION | VERSION_TEXT | PROGRAM_EXE | ICON_FILE | OUT_FILE | PUBLISHER | COPYRIGHT | WEBSITE
  !error "pass VERSION, VERSION_TEXT, PROGRAM_EXE, ICON_FILE, OUT_FILE, PUBLISHER, COPYRIGHT and WEBSITE with -D"
!endif

!ifdef SIGN_SCRIPT & SIGN_CONFIG
  ; The uninstaller is made and signed at build time, and setup writes those very bytes; then
  ; setup itself is signed once it is complete. Either failing fails the build.
  !uninstfinalize 'bash "${SIGN_SCRIPT}" "${SIGN_CONFIG}" "Pagewick Uninstall" "%1"' = 0
  !finalize 'bash "${SIGN_SCRIPT}" "${SIGN_CONFIG}" "Pagewick Setup" "%1"' = 0
!endif

Unicode true
SetCompressor /SOLID lzma

!define PRODUCT "Pagewick"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pagewick"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Pagewick"
; The main window's class: how a running Pagewick is found.
!define MAIN_WINDOW_CLASS "Pagewick"
!define UNINSTALLER "Uninstall Pagewick.exe"
; The name setups before this one gave the uninstaller.
!define OLD_UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\Pagewick.lnk"

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

; $R9 = 1 when a file can be created in $INSTDIR (made if missing), else 0. The probe is a new
; file of a name no file there has, so nothing already in the folder is touched; a folder made
; only for this test is removed again.
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
  StrCpy $0 ""
  GetTempFileName $0 "$INSTDIR"
  ${IfNot} ${Errors}
  ${AndIf} $0 != ""
    StrCpy $R9 1
    Delete $0
  ${EndIf}
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
  ; An uninstaller of an older setup here is known by the entry that setup wrote; read it before
  ; this install writes its own.
  ReadRegStr $5 HKCU "${UNINSTALL_KEY}" "UninstallString"

  SetOutPath "$INSTDIR"
  SetOverwrite on
  ClearErrors
  File "/oname=pagewick.exe" "${PROGRAM_EXE}"
  ${If} ${Errors}
    SetErrorLevel 2
    Abort "pagewick.exe could not be written."
  ${EndIf}
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ; An Uninstall.exe is removed only when the entry names it as Pagewick's uninstaller of this
  ; very folder; any other file of that name belongs to another program.
  ${If} $5 == '"$INSTDIR\${OLD_UNINSTALLER}"'
    Delete "$INSTDIR\${OLD_UNINSTALLER}"
  ${EndIf}

  CreateShortCut "${SHORTCUT}" "$INSTDIR\pagewick.exe" "" "$INSTDIR\pagewick.exe" 0 \
    SW_SHOWNORMAL "" "A note that is always at hand"

  ; Size of what setup put there, in KB (the note and settings are the user's).
  ${GetSize} "$INSTDIR" "/M=pagewick.exe /S=0K /G=0" $0 $1 $2
  ${GetSize} "$INSTDIR" "/M=${UNINSTALLER} /S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pagewick.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
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
  ${NSD_CreateLabel} 0 0 100% 64u "Pagewick will be removed from this folder:$\r$\n$INSTDIR$\r$\n$\r$\nYour note (pagewick.txt) with the copies Pagewick keeps of it, your settings (pagewick.ini), your word list (pagewick.dic) and your icon (pagewick.ico) stay in that folder, so that installing Pagewick again finds them, unless you tick the box below."
  Pop $0
  ${NSD_CreateCheckbox} 0 72u 100% 12u "Also delete my note and settings"
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

; $R9 = 1 when the uninstall entry's install location is $INSTDIR, or when there is no entry
; (then no other install claims the shortcut), else 0.
Function un.EntryNamesThisFolder
  Push $0
  Push $1
  Push $2
  StrCpy $R9 0
  ClearErrors
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} ${Errors}
  ${AndIf} $0 == ""
    StrCpy $R9 1
    Goto done
  ${EndIf}
  ; The same folder may be written another way: other letters, a trailing backslash, short names.
  StrCpy $1 $0 1 -1
  ${If} $1 == "\"
    StrCpy $0 $0 -1
  ${EndIf}
  ${If} $0 == $INSTDIR
    StrCpy $R9 1
  ${Else}
    GetFullPathName /SHORT $1 $0
    GetFullPathName /SHORT $2 $INSTDIR
    ${If} $1 != ""
    ${AndIf} $1 == $2
      StrCpy $R9 1
    ${EndIf}
  ${EndIf}
  done:
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; The user's note data in $INSTDIR, all of it and only what Pagewick itself writes there: the
; note, the settings, the word list and the recovery copy, each with the ".part" and ".new" a
; save in progress leaves behind; the icon; and the notes it kept aside under a new name.
Function un.DeleteUserFiles
  Push $0
  Push $1
  !macro DELETE_SAVED_FILE NAME
    Delete "$INSTDIR\${NAME}"
    Delete "$INSTDIR\${NAME}.new"
    Delete "$INSTDIR\${NAME}.part"
  !macroend
  !insertmacro DELETE_SAVED_FILE "pagewick.txt"
  !insertmacro DELETE_SAVED_FILE "pagewick.ini"
  !insertmacro DELETE_SAVED_FILE "pagewick.dic"
  !insertmacro DELETE_SAVED_FILE "pagewick.recover"
  Delete "$INSTDIR\pagewick.ico"
  ClearErrors
  FindFirst $0 $1 "$INSTDIR\pagewick *.txt"
  ${Do}
    ${If} ${Errors}
    ${OrIf} $1 == ""
      ${ExitDo}
    ${EndIf}
    Push $1
    Call un.IsKeptNoteName
    ${If} $R9 == 1
      Delete "$INSTDIR\$1"
    ${EndIf}
    ClearErrors
    FindNext $0 $1
  ${Loop}
  FindClose $0
  Pop $1
  Pop $0
FunctionEnd

; Takes a file name from the stack; $R9 = 1 when it is a name under which Pagewick keeps a note
; it could not load: "pagewick <stamp>.txt" with the stamp "YYYY-MM-DD HHMMSS", or
; "pagewick kept.txt" when there was no stamp, either with " (N)" before ".txt" (N from 2 to
; 999) when the plain name was taken. Else 0.
Function un.IsKeptNoteName
  Exch $0     ; the name, then the part between "pagewick " and ".txt"
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $R9 0
  StrCpy $1 $0 9
  StrCpy $2 $0 "" -4
  StrLen $3 $0
  ${If} $1 == "pagewick "
  ${AndIf} $2 == ".txt"
  ${AndIf} $3 > 13
    IntOp $3 $3 - 13
    StrCpy $0 $0 $3 9
    ; The stamp or "kept", then what follows it.
    StrCpy $1 $0 4
    ${If} $1 == "kept"
      StrCpy $0 $0 "" 4
      StrCpy $R9 1
    ${Else}
      StrCpy $1 $0 17
      Push $1
      Push "DDDD-DD-DD DDDDDD"
      Call un.MatchesDigitPattern
      ${If} $R9 == 1
        StrCpy $0 $0 "" 17
      ${EndIf}
    ${EndIf}
    ; Nothing more, or " (N)".
    ${If} $R9 == 1
    ${AndIf} $0 != ""
      StrCpy $R9 0
      StrLen $3 $0
      StrCpy $1 $0 2
      StrCpy $2 $0 "" -1
      StrCpy $4 $0 1 2
      ${If} $1 == " ("
      ${AndIf} $2 == ")"
      ${AndIf} $3 >= 4
      ${AndIf} $3 <= 6
      ${AndIf} $4 != "0"
        IntOp $3 $3 - 3
        StrCpy $0 $0 $3 2
        ; "DDD" cut to the number's length
        StrCpy $1 "DDD" $3
        Push $0
        Push $1
        Call un.MatchesDigitPattern
        ${If} $R9 == 1
        ${AndIf} $0 < 2
          StrCpy $R9 0
        ${EndIf}
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Takes a pattern and then a text from the stack (pattern on top); $R9 = 1 when the text has the
; pattern's length and holds a digit 0-9 wherever the pattern holds "D" and the pattern's own
; character everywhere else (only "D" and digit-free characters in patterns). Else 0.
Function un.MatchesDigitPattern
  Exch $1     ; pattern
  Exch
  Exch $0     ; text
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  StrLen $2 $0
  StrLen $3 $1
  StrCpy $R9 0
  ${If} $2 == $3
    StrCpy $R9 1
    StrCpy $2 0
    ${DoWhile} $2 < $3
      StrCpy $4 $0 1 $2
      StrCpy $5 $1 1 $2
      ${If} $5 S== "D"
        ; One of the ten ASCII digits, compared one by one: a collating comparison would let
        ; other characters that sort among the digits through.
        StrCpy $R9 0
        StrCpy $6 0
        ${DoWhile} $6 < 10
          StrCpy $5 "0123456789" 1 $6
          ${If} $4 S== $5
            StrCpy $R9 1
            ${ExitDo}
          ${EndIf}
          IntOp $6 $6 + 1
        ${Loop}
      ${ElseIfNot} $4 S== $5
        StrCpy $R9 0
      ${EndIf}
      ${If} $R9 == 0
        ${ExitDo}
      ${EndIf}
      IntOp $2 $2 + 1
    ${Loop}
  ${EndIf}
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $0
  Pop $1
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
    Call un.DeleteUserFiles
  ${EndIf}

  ; The entry and the shortcut belong to the install the entry names: an older copy in another
  ; folder leaves those of the current install alone.
  Call un.EntryNamesThisFolder
  ${If} $R9 == 1
    Delete "${SHORTCUT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}

  ; "Run at Startup" of this copy: the value holds the quoted path of this pagewick.exe
  ; followed by " /background". A value that starts another copy is not ours to remove.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  StrCpy $1 '"$INSTDIR\pagewick.exe"'
  StrLen $2 $1
  StrCpy $3 $0 $2
  ${If} $3 == $1
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}

  Delete "$INSTDIR\${UNINSTALLER}"
  ; Removed only when empty: whatever the user keeps there stays.
  RMDir "$INSTDIR"
SectionEnd
