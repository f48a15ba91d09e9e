; The Windows installer, made by scripts/build-windows --installer with Debian's nsis:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.4 -DFILES=files.nsh -DICON=tablamo.ico
;            -DOUTFILE=tablamo-kurulum-1.4.exe tablamo.nsi
; FILES names the list of the program folder's files that scripts/build-windows writes: the
; macros TablamoFiles (install them) and TablamoRemoveFiles (remove them and their folders
; once empty). The uninstaller removes exactly what was installed, never a folder whole: a
; report the user saved into the program's folder stays.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tablamo"
; The file type "Open with" offers the window for, on .txt and .not files.
!define PROGID "Tablamo.Rapor"
!define APP_KEY "Software\Classes\Applications\tablamo.exe"

Name "Tablamo"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tablamo"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1055 "ProductName" "Tablamo"
VIAddVersionKey /LANG=1055 "FileDescription" "Tablamo kurulumu"
VIAddVersionKey /LANG=1055 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1055 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1055 "LegalCopyright" "Tablamo developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\tablamo.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Turkish"

Section
    SetShellVarContext all
    SetRegView 64
    !insertmacro TablamoFiles
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\kaldir.exe"
    CreateShortcut "$SMPROGRAMS\Tablamo.lnk" "$INSTDIR\tablamo.exe"
    ; A command prompt where the converter runs by its name: the program's folder first on
    ; its PATH, started in the user's own folder with the converter's options shown. (The
    ; system's PATH is left alone: the installer's strings would cut a long one short.)
    CreateShortcut "$SMPROGRAMS\Tablamo komut satırı.lnk" "$SYSDIR\cmd.exe" \
        '/k set "PATH=$INSTDIR;%PATH%" & cd /d "%USERPROFILE%" & tablamo-convert --help' \
        "$INSTDIR\tablamo.exe" 0 SW_SHOWNORMAL "" "tablamo-convert ile raporları toplu dönüştürün"

    WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Tablamo raporu"
    WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\tablamo.exe,0"
    WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\tablamo.exe" "%1"'
    WriteRegStr HKLM "Software\Classes\.txt\OpenWithProgids" "${PROGID}" ""
    WriteRegStr HKLM "Software\Classes\.not\OpenWithProgids" "${PROGID}" ""
    WriteRegStr HKLM "${APP_KEY}" "FriendlyAppName" "Tablamo"
    WriteRegStr HKLM "${APP_KEY}\shell\open\command" "" '"$INSTDIR\tablamo.exe" "%1"'
    WriteRegStr HKLM "${APP_KEY}\SupportedTypes" ".txt" ""
    WriteRegStr HKLM "${APP_KEY}\SupportedTypes" ".not" ""

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tablamo"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tablamo.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\kaldir.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\kaldir.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; Explorer reads the file types again.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; Removes a key of HKLM that holds neither keys nor values: what other programs registered
; for .txt and .not stays (NSIS's DeleteRegKey /ifempty would take a key's values with it).
!macro DeleteKeyIfEmpty KEY
    System::Call 'shlwapi::SHDeleteEmptyKeyW(p 0x80000002, w "${KEY}")'
!macroend

Section "Uninstall"
    SetShellVarContext all
    SetRegView 64
    Delete "$SMPROGRAMS\Tablamo.lnk"
    Delete "$SMPROGRAMS\Tablamo komut satırı.lnk"
    DeleteRegKey HKLM "Software\Classes\${PROGID}"
    DeleteRegValue HKLM "Software\Classes\.txt\OpenWithProgids" "${PROGID}"
    !insertmacro DeleteKeyIfEmpty "Software\Classes\.txt\OpenWithProgids"
    !insertmacro DeleteKeyIfEmpty "Software\Classes\.txt"
    DeleteRegValue HKLM "Software\Classes\.not\OpenWithProgids" "${PROGID}"
    !insertmacro DeleteKeyIfEmpty "Software\Classes\.not\OpenWithProgids"
    !insertmacro DeleteKeyIfEmpty "Software\Classes\.not"
    DeleteRegKey HKLM "${APP_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    !insertmacro TablamoRemoveFiles
    Delete "$INSTDIR\kaldir.exe"
    RMDir "$INSTDIR"
    ; The uninstaller runs from a copy in a temporary folder of its own, which it cannot remove
    ; while it runs: Windows removes it at the next start.
    RMDir /REBOOTOK "$EXEDIR"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
