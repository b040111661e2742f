; Installer of the Periodic Respite Prompter Utility, built by scripts/package with
;   makensis -DARCH=x64|x86 -DVERSION=1.0.0 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe>
;            -DICON=<app.ico> -DSETUP_ACTIONS=<SetupActions.dll of that architecture>
;
; ARCH x64: a 64-bit installer (Debian's NSIS has the amd64-unicode stubs and plug-ins) that
; installs the x64 program into the 64-bit Program Files and registers it in the 64-bit view
; of the registry; x86: a 32-bit one for the x86 program, into Program Files (x86) on 64-bit
; Windows. The installer loads SetupActions.dll, so the DLL is of the installer's architecture.
;
; Per machine, under Program Files, with a Start-menu shortcut and an entry in
; Add/Remove Programs. Installing over an installed copy keeps everything of the
; user's (settings, start-up entries, an activated skin); a running copy is closed
; only when its exe is replaced, and started again at the end. The uninstaller
; removes the files, an activated skin, the shortcut and the "RespitePrompter.exe"
; values the program may have put into the Run keys; the user's own settings stay
; unless "Remove my settings" is ticked (or the uninstaller is given /REMOVESETTINGS).

!ifndef ARCH | VERSION | STAGE | OUTFILE | ICON | SETUP_ACTIONS
  !error "scripts/package passes ARCH, VERSION, STAGE, OUTFILE, ICON and SETUP_ACTIONS"
!endif

!if "${ARCH}" == "x64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  ; The registry view of the program's architecture, for the installer's own keys.
  !define REG_VIEW 64
!else if "${ARCH}" == "x86"
  Unicode true
  !define PROGRAM_FILES "$PROGRAMFILES"
  !define REG_VIEW 32
!else
  !error "ARCH is x64 or x86"
!endif
SetCompressor /SOLID lzma
ManifestDPIAware true

!define PRODUCT "Periodic Respite Prompter Utility"
!define PUBLISHER "Kelvadore"
!define EXE "RespitePrompter.exe"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\RespitePrompter"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Kelvadore\Periodic Respite Prompter Utility"
!define MAIN_WINDOW_CLASS "RespitePrompterForm1"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; Closes a running copy for the update and starts it again (packaging/SetupActions.cpp).
!define ACTIONS "$PLUGINSDIR\SetupActions.dll"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\${PRODUCT}"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; A running copy holds its exe open; closing the main window ends the program at once.
; (The uninstaller's: nothing is started again after an uninstall.)
!macro CloseRunningProgram
  StrCpy $R9 0
  ${Do}
    FindWindow $R8 "${MAIN_WINDOW_CLASS}"
    ${IfThen} $R8 == 0 ${|} ${ExitDo} ${|}
    System::Call 'user32::SendMessageTimeoutW(p $R8, i ${WM_CLOSE}, p 0, p 0, i 2, i 5000, *p .r0)'
    Sleep 200
    IntOp $R9 $R9 + 1
  ${LoopUntil} $R9 >= 10
!macroend

Section "Program" SecProgram
  SectionIn RO
  SetShellVarContext all
  InitPluginsDir
  File "/oname=${ACTIONS}" "${SETUP_ACTIONS}"
  ; The exe is replaced only when its time differs from the one carried here (every build
  ; has its commit's time, as NSIS keeps it: to two seconds); only then must a running copy
  ; close. The copy unpacked here has the time that File gives the installed one.
  File "/oname=$PLUGINSDIR\${EXE}" "${STAGE}\${EXE}"
  GetFileTime "$PLUGINSDIR\${EXE}" $R0 $R1
  ClearErrors
  GetFileTime "$INSTDIR\${EXE}" $R2 $R3
  ${IfNot} ${Errors}
  ${AndIfNot} "$R0 $R1" == "$R2 $R3"
    System::Call '${ACTIONS}::CloseProgram(w "$INSTDIR\${EXE}") i'
  ${EndIf}

  SetOutPath "$INSTDIR"
  SetOverwrite ifdiff
  File "${STAGE}\${EXE}"
  SetOverwrite on
  File "${STAGE}\break.wav"
  File "${STAGE}\README.txt"
  ; The example skin stays inactive in its own folder until its "x" is copied beside the exe.
  SetOutPath "$INSTDIR\Example skin\x"
  File "${STAGE}\Example skin\x\o.cjs"
  ; For the administrator to copy into PolicyDefinitions; nothing reads them here.
  SetOutPath "$INSTDIR\Policy templates"
  File "${STAGE}\Policy templates\RespitePrompter.admx"
  SetOutPath "$INSTDIR\Policy templates\en-US"
  File "${STAGE}\Policy templates\en-US\RespitePrompter.adml"
  SetOutPath "$INSTDIR"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
  System::Call '${ACTIONS}::RestartProgram()'
SectionEnd

Function .onInit
  SetRegView ${REG_VIEW}
FunctionEnd

; A failed install starts again what it closed, with the exe that is there now.
Function .onInstFailed
  System::Call '${ACTIONS}::RestartProgram()'
FunctionEnd

Section "un.Program and its start entries" UnSecProgram
  SectionIn RO
  SetShellVarContext all
  !insertmacro CloseRunningProgram

  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\break.wav"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\Example skin\x\o.cjs"
  RMDir "$INSTDIR\Example skin\x"
  RMDir "$INSTDIR\Example skin"
  Delete "$INSTDIR\Policy templates\en-US\RespitePrompter.adml"
  RMDir "$INSTDIR\Policy templates\en-US"
  Delete "$INSTDIR\Policy templates\RespitePrompter.admx"
  RMDir "$INSTDIR\Policy templates"
  ; A skin the user activated by copying the example's folder beside the program.
  Delete "$INSTDIR\x\o.cjs"
  RMDir "$INSTDIR\x"
  Delete "${SHORTCUT}"

  ; "Load this software on Windows startup" writes the machine-wide value, the x64 program in
  ; the 64-bit view of HKLM, the x86 one in the 32-bit view; the per-user one is its fallback,
  ; or made by hand. Both views: a copy of the other architecture may have left one.
  DeleteRegValue HKCU "${RUN_KEY}" "${EXE}"
  ; (32-bit Windows has one view: there the second call finds nothing left.)
  SetRegView 32
  DeleteRegValue HKLM "${RUN_KEY}" "${EXE}"
  SetRegView 64
  DeleteRegValue HKLM "${RUN_KEY}" "${EXE}"
  SetRegView ${REG_VIEW}

  DeleteRegKey HKLM "${UNINST_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  ; Never recursive: the folder may hold files of the user's.
  RMDir "$INSTDIR"
SectionEnd

Section /o "un.Remove my settings" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Kelvadore"
SectionEnd

Function un.onInit
  SetRegView ${REG_VIEW}
  ; /REMOVESETTINGS ticks "Remove my settings", also in silent mode.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${UnSecSettings} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
