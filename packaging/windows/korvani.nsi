; SPDX-License-Identifier: GPL-3.0-or-later
; The Korvani installer. makensis -DARCH=x86_64|i686 -DSOURCE=<folder> -DOUTFILE=<setup.exe>
;   -DVERSION=<6.05> -DBUILD=<date> -DURL=<home page> -DICON=<korvani.ico>
Unicode true
!if "${ARCH}" == "x86_64"
Target amd64-unicode
!endif
!include "MUI2.nsh"

Name "Korvani v6"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
BrandingText "Korvani ${VERSION}"
!if "${ARCH}" == "x86_64"
InstallDir "$PROGRAMFILES64\Korvani"
!else
InstallDir "$PROGRAMFILES\Korvani"
!endif
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Korvani"
VIAddVersionKey "FileVersion" "${VERSION} build ${BUILD}"
VIAddVersionKey "FileDescription" "Korvani v6 installer"
VIAddVersionKey "LegalCopyright" "GPL-3.0-or-later"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvani"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_LICENSEPAGE_TEXT_TOP "Korvani is free software under the GNU General Public License, version 3 or later."
!define MUI_FINISHPAGE_RUN "$INSTDIR\korvani.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run Korvani"
!insertmacro MUI_PAGE_LICENSE "${SOURCE}\COPYING"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Korvani" SecMain
    SectionIn RO
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${SOURCE}\korvani.exe"
    File "${SOURCE}\korvanifi.exe"
    File "${SOURCE}\Korvani.ttf"
    File "${SOURCE}\Korvani-OFL.txt"
    File "${SOURCE}\README.txt"
    File "${SOURCE}\COPYING"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateDirectory "$SMPROGRAMS\Korvani"
    CreateShortcut "$SMPROGRAMS\Korvani\Korvani.lnk" "$INSTDIR\korvani.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Korvani v6"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\korvani.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Korvani developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${URL}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Short enough for the components list without a scroll bar.
Section /o "Start hidden at log-in" SecAutostart
    SetShellVarContext current
    CreateShortcut "$SMSTARTUP\Korvani.lnk" "$INSTDIR\korvani.exe" "/hide"
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMSTARTUP\Korvani.lnk"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Korvani\Korvani.lnk"
    RMDir "$SMPROGRAMS\Korvani"
    Delete "$INSTDIR\korvani.exe"
    Delete "$INSTDIR\korvanifi.exe"
    Delete "$INSTDIR\Korvani.ttf"
    Delete "$INSTDIR\Korvani-OFL.txt"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\COPYING"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
