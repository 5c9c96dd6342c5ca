; Setup program for Quantora. It installs the program and its two data files into a folder
; of the user's choice, puts the installation copy of QUANTORA.INI into the Windows directory
; when none is there, creates a Start-menu shortcut that starts the program in its own folder
; (the program reads its catalogue from the working directory) and registers an uninstaller
; in Add/Remove Programs. /S installs silently; /D=folder chooses the folder.
;
; Built by scripts/package, which passes:
;   VERSION      the version the build keeps (project() in CMakeLists.txt), e.g. 1.21
;   ARCH         x86 (the product) or x64
;   PROGRAM      the quantora.exe to install
;   DATA_DIR     the folder holding QUANTORA.TXT, QANAMES.TXT, QACONST.TXT and QUANTORA.INI
;   ICON         the program's icon, used for setup and uninstall too
;   OUTFILE      the setup program to write
; and, when the build produced them:
;   HELP_DIR     a folder holding QUANTORA.HLP and QUANTORA.CNT, installed beside the program
;   MANUAL_DIR   a folder of HTML pages, installed as the folder "manual"
;   SIGN         a command that signs the file it is given in place: the uninstaller is
;                signed with it before it is packed into setup

Unicode true
SetCompressor /SOLID lzma

!macro Require NAME
  !ifndef ${NAME}
    !error "define ${NAME} (see the top of this script)"
  !endif
!macroend
!insertmacro Require VERSION
!insertmacro Require ARCH
!insertmacro Require PROGRAM
!insertmacro Require DATA_DIR
!insertmacro Require ICON
!insertmacro Require OUTFILE

!if "${ARCH}" == "x64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  !define SHORTCUT "Quantora (64-bit)"
  !define NAME_SUFFIX " (64-bit)"
!else if "${ARCH}" == "x86"
  !define PROGRAM_FILES "$PROGRAMFILES"
  !define SHORTCUT "Quantora"
  !define NAME_SUFFIX ""
!else
  !error "ARCH must be x86 or x64"
!endif

; The 32-bit and the 64-bit program register under the same name in the two views of the
; registry that 64-bit Windows keeps apart, so both can be installed side by side; their
; shortcuts carry different names.
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quantora"
!define SETTINGS "$WINDIR\QUANTORA.INI"
!define MAIN_WINDOW_CLASS "QA_CONV"

!searchparse /noerrors "${VERSION}" "" VERSION_MAJOR "." VERSION_MINOR
!ifndef VERSION_MINOR
  !define VERSION_MINOR 0
!endif

Name "Quantora ${VERSION}${NAME_SUFFIX}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\Quantora"
; An upgrade goes where the earlier version went, unless /D= says otherwise.
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "Quantora ${VERSION}"

; Like the program's own version resource, setup carries no copyright line.
!pragma warning disable 9100
VIProductVersion "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIFileVersion "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIAddVersionKey ProductName "Quantora"
VIAddVersionKey CompanyName "Quantora"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "Quantora ${VERSION}${NAME_SUFFIX} Setup"

!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
!endif

!include MUI2.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "This will install Quantora ${VERSION}${NAME_SUFFIX}, a unit converter, on your computer.$\r$\n$\r$\nIf Quantora is already installed, it is upgraded: the program and its data files are replaced, and your saved settings (QUANTORA.INI in the Windows folder) are kept.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "Your saved settings are kept unless you tick them below, so that a later install starts where you left off."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Everything setup puts into a program folder. WinHelp leaves its index files beside a help
; file it has opened, so those go too; nothing else in the folder is touched, and the folder
; itself is removed only when that leaves it empty.
!macro RemoveProgramFiles DIR
  Delete "${DIR}\quantora.exe"
  Delete "${DIR}\QUANTORA.TXT"
  Delete "${DIR}\QANAMES.TXT"
  Delete "${DIR}\QACONST.TXT"
  Delete "${DIR}\QUANTORA.HLP"
  Delete "${DIR}\QUANTORA.CNT"
  Delete "${DIR}\QUANTORA.CHM"
  Delete "${DIR}\QUANTORA.GID"
  Delete "${DIR}\QUANTORA.FTS"
  Delete "${DIR}\QUANTORA.FTG"
  RMDir /r "${DIR}\manual"
  Delete "${DIR}\uninstall.exe"
  RMDir "${DIR}"
!macroend

; Replacing or removing the program while it runs would fail on its locked file and leave a
; half-done install or uninstall behind. Silent runs give up (exit code 2).
!macro RefuseWhileRunning
  retry:
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    StrCmp $0 0 free
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quantora is running. Please close it, then choose Retry." /SD IDCANCEL IDRETRY retry
    Abort
  free:
!macroend

Function .onInit
  SetShellVarContext all
  !insertmacro RefuseWhileRunning
FunctionEnd

Function un.onInit
  SetShellVarContext all
  !insertmacro RefuseWhileRunning
FunctionEnd

; An upgrade into another folder leaves no second copy behind in the earlier one.
Function RemoveEarlierCopy
  ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
  StrCmp $0 "" done
  StrCmp $0 $INSTDIR done
  IfFileExists "$0\quantora.exe" 0 done
  DetailPrint "Removing the earlier copy in $0"
  !insertmacro RemoveProgramFiles "$0"
  done:
FunctionEnd

; The settings file holds the user's saved state: it is installed only when none is there.
; An existing one keeps every key; only a missing installation marker is put back, since
; without it the program refuses to start and asks for setup to be run again.
Function InstallSettingsFile
  IfFileExists "${SETTINGS}" 0 fresh
    ReadINIStr $0 "${SETTINGS}" "GENERAL" "FilePresent"
    StrCmpS $0 "TRUE" done
    DetailPrint "Restoring the installation marker in ${SETTINGS}"
    WriteINIStr "${SETTINGS}" "GENERAL" "FilePresent" "TRUE"
    Goto done
  fresh:
    SetOutPath "$WINDIR"
    File "${DATA_DIR}/QUANTORA.INI"
  done:
  Call AllowUsersToSave
FunctionEnd

; Only administrators may change files in the Windows directory, and the program saves into
; this one at every close: the machine's users (the Users group, named by its SID, which does
; not depend on the language of Windows) may change it, and only it. Done at every install and
; upgrade. When that fails the user is told, and a silent install ends with exit code 3.
Function AllowUsersToSave
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "${SETTINGS}" /grant *S-1-5-32-545:(M)'
  Pop $0
  StrCmp $0 "0" done
    DetailPrint "icacls could not make ${SETTINGS} writable for users ($0)"
    MessageBox MB_OK|MB_ICONEXCLAMATION "Setup could not allow the users of this computer to change ${SETTINGS}.$\r$\n$\r$\nQuantora runs, but it cannot save its settings for a user who is not an administrator until an administrator makes this file writable for the Users group." /SD IDOK
    SetErrorLevel 3
  done:
FunctionEnd

Section "Quantora" SecProgram
  SectionIn RO
  Call RemoveEarlierCopy

  SetOutPath "$INSTDIR"
  File "/oname=quantora.exe" "${PROGRAM}"
  File "${DATA_DIR}/QUANTORA.TXT"
  File "${DATA_DIR}/QANAMES.TXT"
  File "${DATA_DIR}/QACONST.TXT"
  !ifdef HELP_DIR
    File "${HELP_DIR}/QUANTORA.HLP"
    File "${HELP_DIR}/QUANTORA.CNT"
    File "${HELP_DIR}/QUANTORA.CHM"
  !endif
  !ifdef MANUAL_DIR
    SetOutPath "$INSTDIR\manual"
    File /r "${MANUAL_DIR}/*"
  !endif

  Call InstallSettingsFile
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut's working directory is the output folder at the time it is made.
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\${SHORTCUT}.lnk" "$INSTDIR\quantora.exe" "" "$INSTDIR\quantora.exe" 0
  !ifdef MANUAL_DIR
    ; The manual as web pages, for Windows versions that have no help viewer.
    CreateShortCut "$SMPROGRAMS\${SHORTCUT} Manual.lnk" "$INSTDIR\manual\index.html"
  !endif

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "Quantora ${VERSION}${NAME_SUFFIX}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Quantora"
  WriteRegDWORD HKLM "${UNINST_KEY}" "VersionMajor" ${VERSION_MAJOR}
  WriteRegDWORD HKLM "${UNINST_KEY}" "VersionMinor" ${VERSION_MINOR}
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\quantora.exe,0"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.Quantora" UnSecProgram
  SectionIn RO
  Delete "$SMPROGRAMS\${SHORTCUT}.lnk"
  Delete "$SMPROGRAMS\${SHORTCUT} Manual.lnk"
  DeleteRegKey HKLM "${UNINST_KEY}"
  !insertmacro RemoveProgramFiles "$INSTDIR"
SectionEnd

Section /o "un.Saved settings (QUANTORA.INI)" UnSecSettings
  Delete "${SETTINGS}"
SectionEnd
