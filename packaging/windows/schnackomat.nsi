; The Windows installer of Schnackomat, built by scripts/build-windows with Debian's makensis:
;
;   makensis -DVERSION=3.0.0 -DSTAGE=<folder with the files> -DOUTFILE=<installer> schnackomat.nsi
;
; It installs for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Schnackomat, puts one entry in the user's Start menu and registers its
; uninstaller with Windows ("Apps & features"). The folder STAGE holds schnackomat-cli.exe,
; LICENSE.txt, README.txt, schnackomat.ico and schnackomat.exe, the window, which the Start-menu
; entry opens.

; A 64-bit installer for 64-bit programs: it runs where they run, and nowhere it would install
; programs that cannot start.
Target amd64-unicode
SetCompressor /SOLID lzma
; Installed files get the time they are installed, and the installer stays the same from the
; same files.
SetDateSave off
RequestExecutionLevel user

!define NAME "Schnackomat"
!define PUBLISHER "Benaldo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
; Installed again, it goes where it went before.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "MIT License"

!include MUI2.nsh
!define MUI_ICON "${STAGE}\schnackomat.ico"
!define MUI_UNICON "${STAGE}\schnackomat.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\schnackomat.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The installer speaks the system's language if it is one of these, else the first.
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "English"

Section
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${STAGE}\schnackomat.exe"
    File "${STAGE}\schnackomat-cli.exe"
    File "${STAGE}\LICENSE.txt"
    File "${STAGE}\README.txt"
    File "${STAGE}\schnackomat.ico"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\schnackomat.exe" "" \
        "$INSTDIR\schnackomat.ico"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\schnackomat.ico"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\${NAME}.lnk"
    Delete "$INSTDIR\schnackomat.exe"
    Delete "$INSTDIR\schnackomat-cli.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\schnackomat.ico"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
