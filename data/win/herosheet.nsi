; The Windows setup program: a per-user installation (no administrator rights) into
; %LOCALAPPDATA%\Programs\Hero Sheet with a Start menu shortcut and an uninstaller. makensis is
; run by the build (target herosheet_installer), which defines:
;   VERSION    the program's version (VERSION4: with four numbers)   BITS   32 or 64
;   FILES      the staged files to install   FILE_LIST  the generated list of them (.nsh)
;   LICENSE    the licence text shown        ICON       the program's icon
;   PUBLISHER  the name shown as publisher   OUTFILE    the setup program to write
; The program folder holds herosheet.exe and the sample data (choice.ini, array.ini); its
; "share" folder the language files and the shipped config.ini, which makes the program keep
; the user's settings in %APPDATA%\herosheet\, left alone by the uninstaller.

Unicode true
!if ${BITS} == 64
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma

!define PRODUCT "Hero Sheet"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\HeroSheet"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel user
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "${FILE_LIST}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} setup (${BITS}-bit)"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "MIT licence, ${PUBLISHER}"

; As the shortcut does: in the folder of the sample data.
Function StartProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\herosheet.exe"'
FunctionEnd

Section "Install"
  SetShellVarContext current
  !insertmacro HS_INSTALL_FILES
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; "Start in" is the output folder: the one of choice.ini and array.ini.
  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\herosheet.exe" "" "$INSTDIR\herosheet.exe" 0

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\herosheet.exe,0"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" "$0"
SectionEnd

; Removes what the installer put there, by name; the user's settings in %APPDATA%\herosheet\ and
; any file the user added stay.
Section "Uninstall"
  SetShellVarContext current
  Delete "${SHORTCUT}"
  !insertmacro HS_REMOVE_FILES
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\share"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
