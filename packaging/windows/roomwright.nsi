; The Windows installer of Roomwright, made by packaging/windows/package.sh with Debian's
; makensis:
;   makensis -DVERSION=7.0 -DSTAGE=<program folder> -DFILES=<files.nsh> -DICON=<.ico>
;            -DOUTFILE=<setup.exe> roomwright.nsi
; STAGE holds the program folder as `cmake --install` lays it out; FILES lists its files and
; folders for the uninstaller, which removes exactly those, its own shortcut and registry
; entries, and nothing else: never the motel's data in c:/Motel/ (nor a data directory
; elsewhere), and not the program folder itself while anything else is left in it.
Unicode true
SetCompressor /SOLID lzma
!include "x64.nsh"
!include "MUI2.nsh"

Name "Roomwright"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Roomwright"
InstallDirRegKey HKLM "Software\Roomwright" "InstallDir"
RequestExecutionLevel admin
BrandingText "Roomwright ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Roomwright"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Roomwright"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Roomwright ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Roomwright developers"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "Roomwright needs 64-bit Windows."
        Abort
    ${EndIf}
    SetRegView 64
FunctionEnd

; The program folder is never the motel's data directory, nor inside it.
Function .onVerifyInstDir
    StrCpy $0 "$INSTDIR\" 9
    StrCmp $0 "C:\Motel\" 0 +2
        Abort
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "Roomwright"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\Roomwright.lnk" "$INSTDIR\roomwright.exe" "" \
        "$INSTDIR\roomwright.exe" 0 SW_SHOWNORMAL "" "The front desk of the motel"
    WriteRegStr HKLM "Software\Roomwright" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Roomwright"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Roomwright developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\roomwright.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Roomwright.lnk"
    !include "${FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "Software\Roomwright"
SectionEnd
