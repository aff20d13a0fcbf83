; The Quillmont installer: a per-user install that needs no administrator.
; Built by scripts/installer.sh, which passes
;   VERSION   the product version, N.N.N (scripts/version.sh)
;   EXE       the Quillmont.exe to install
;   OUTFILE   where to write the setup program
;
; What it adds, and all that the uninstaller takes away again:
;   <folder>\Quillmont.exe, <folder>\Uninstall.exe (default folder
;     %LOCALAPPDATA%\Programs\Quillmont, /D= chooses another)
;   the Start-menu shortcut "Quillmont Setup" (Quillmont.exe /setup)
;   HKCU\Software\Classes\Quillmont.jar and \Quillmont.jad
;   HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmont
; It never touches the .jar and .jad extension keys: pointing them at the two
; classes is the user's choice, made with "File Associations..." in the setup
; dialog. The uninstaller leaves them and the program's settings
; (HKCU\Software\Brenwick\Quillmont) in place, so a reinstall picks up the
; starters and associations where the user left them.

!ifndef VERSION | EXE | OUTFILE
  !error "VERSION, EXE and OUTFILE must be defined (scripts/installer.sh does that)"
!endif

Unicode true
; Quillmont.exe is a 64-bit program, so its installer is one too.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
; The same Quillmont.exe gives the same setup program, byte for byte: the files
; keep no time of the machine that built it (installed files get the time of
; their install).
SetDateSave off

!define PRODUCT "Quillmont"
!define PUBLISHER "Brenwick"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define CLASSES_KEY "Software\Classes"
!define SHORTCUT "$SMPROGRAMS\Quillmont Setup.lnk"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An update goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${__FILEDIR__}\..\src\win32\res\quillmont.ico"
!define MUI_UNICON "${__FILEDIR__}\..\src\win32\res\quillmont.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quillmont.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "/setup"
!define MUI_FINISHPAGE_RUN_TEXT "Open Quillmont Setup to choose Java runtimes and emulators"

; The stock text speaks of system files and reboots; this install has neither.
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${PRODUCT} ${VERSION} for your user account. \
It opens JAR and JAD files with the Java runtimes and emulators you choose.$\r$\n$\r$\n\
No administrator rights are needed.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Writes one class: its description, its icon and the open command that hands
; the clicked file and any further arguments to Quillmont.
!macro WriteFileClass CLASS DESCRIPTION
  WriteRegStr HKCU "${CLASSES_KEY}\${CLASS}" "" "${DESCRIPTION}"
  WriteRegStr HKCU "${CLASSES_KEY}\${CLASS}\DefaultIcon" "" '"$INSTDIR\Quillmont.exe",0'
  WriteRegStr HKCU "${CLASSES_KEY}\${CLASS}\shell\open\command" "" '"$INSTDIR\Quillmont.exe" "%1" %*'
!macroend

Function .onInit
  SetShellVarContext current
FunctionEnd

Section "Quillmont"
  ; The folders this install creates, remembered for the uninstaller so that it
  ; removes them (when empty) and no folder that was there before.
  StrCpy $0 "$INSTDIR"
  StrCpy $1 ""
  ${DoUntil} ${FileExists} "$0\*.*"
    StrCpy $1 "$0"
    ${GetParent} "$0" $0
  ${LoopUntil} $0 == ""

  SetOutPath "$INSTDIR"
  File "/oname=Quillmont.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; One shortcut, straight in the Start menu's programs: a folder holding a
  ; single entry only adds a click, and the uninstaller is reached from the
  ; list of installed programs like every other program's.
  CreateShortCut "${SHORTCUT}" "$INSTDIR\Quillmont.exe" "/setup" "$INSTDIR\Quillmont.exe" 0 \
      SW_SHOWNORMAL "" "Choose the Java runtimes and emulators that open JAR and JAD files"

  !insertmacro WriteFileClass "Quillmont.jar" "Java Archive"
  !insertmacro WriteFileClass "Quillmont.jad" "Java Application Descriptor"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\Quillmont.exe",0'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KB, of the two files (not of whatever else the folder holds).
  ${GetSize} "$INSTDIR" "/M=Quillmont.exe /S=0K /G=0" $2 $3 $4
  ${GetSize} "$INSTDIR" "/M=Uninstall.exe /S=0K /G=0" $5 $3 $4
  IntOp $2 $2 + $5
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $2
  ; An update keeps the folder the first install created.
  ${If} $1 != ""
    WriteRegStr HKCU "${UNINSTALL_KEY}" "CreatedFolder" "$1"
  ${EndIf}

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Uninstall"
  ; A running Quillmont keeps its file; remove nothing until it can go.
  retry:
  ClearErrors
  Delete "$INSTDIR\Quillmont.exe"
  ${If} ${Errors}
  ${AndIf} ${FileExists} "$INSTDIR\Quillmont.exe"
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Quillmont is still running. Close it and choose Retry." /SD IDCANCEL IDRETRY retry
    Abort
  ${EndIf}
  Delete "$INSTDIR\Uninstall.exe"

  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${CLASSES_KEY}\Quillmont.jar"
  DeleteRegKey HKCU "${CLASSES_KEY}\Quillmont.jad"

  ; The install folder, and those the install created above it, go only when
  ; empty: files the user put there stay.
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "CreatedFolder"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; A fresh profile may have had no list of installed programs before this one.
  DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
  StrLen $2 $1
  StrCpy $0 "$INSTDIR"
  ${Do}
    ClearErrors
    RMDir "$0"
    ${If} ${Errors}
    ${OrIf} $0 == $1
    ${OrIf} $1 == ""
      ${Break}
    ${EndIf}
    ${GetParent} "$0" $0
    ; Never above the topmost folder the install created.
    StrLen $3 $0
  ${LoopUntil} $3 < $2

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
