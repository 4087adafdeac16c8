; SPDX-License-Identifier: GPL-3.0-or-later
; The Korvani installer. makensis -DARCH=x86_64|i686 -DSOURCE=<folder> -DOUTFILE=<setup.exe>
Unicode true
!if "${ARCH}" == "x86_64"
Target amd64-unicode
!endif

Name "Korvani v6"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
!if "${ARCH}" == "x86_64"
InstallDir "$PROGRAMFILES64\Korvani"
!else
InstallDir "$PROGRAMFILES\Korvani"
!endif
VIProductVersion "6.5.0.0"
VIAddVersionKey "ProductName" "Korvani"
VIAddVersionKey "FileVersion" "6.05 build 20211230"
VIAddVersionKey "FileDescription" "Korvani v6 installer"
VIAddVersionKey "LegalCopyright" "GPL-3.0-or-later"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvani"

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Korvani" SecMain
    SectionIn RO
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${SOURCE}\korvani.exe"
    File "${SOURCE}\korvanifi.exe"
    File "${SOURCE}\Korvani.ttf"
    File "${SOURCE}\Korvani-OFL.txt"
    File "${SOURCE}\README.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateDirectory "$SMPROGRAMS\Korvani"
    CreateShortcut "$SMPROGRAMS\Korvani\Korvani.lnk" "$INSTDIR\korvani.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Korvani v6"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "6.05"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "Start Korvani in the notification area at log-in" SecAutostart
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
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
