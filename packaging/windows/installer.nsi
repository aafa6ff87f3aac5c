; The TalvikCom installer for 64-bit Windows: the three programs in Program Files for every
; user, Start-menu entries, an uninstaller. Each user's settings stay in %APPDATA%\TalvikCom
; (the program keeps them there when its own folder cannot be written); a TalvikCom.ini an
; operator keeps beside the program is theirs, and the uninstaller leaves it, saying so.
; makensis -DVERSION=1.2.0 -DSTAGE=folder-of-the-zip -DOUTFILE=setup.exe installer.nsi
; The installer itself is a 64-bit program, as the programs it installs are.
Target amd64-unicode
!include "MUI2.nsh"
!include "x64.nsh"

Name "TalvikCom ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\TalvikCom"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define MUI_ICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Ukrainian"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "TalvikCom needs a 64-bit Windows." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "TalvikCom"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${STAGE}\TalvikCom.exe"
    File "${STAGE}\talvikctl.exe"
    File "${STAGE}\talvik-board-sim.exe"
    File "${STAGE}\README.txt"
    File "${STAGE}\LICENSE.txt"
    File "${STAGE}\TalvikCom.example.ini"
    CreateDirectory "$SMPROGRAMS\TalvikCom"
    CreateShortcut "$SMPROGRAMS\TalvikCom\Конфігуратор V-8.5.lnk" "$INSTDIR\TalvikCom.exe"
    CreateShortcut "$SMPROGRAMS\TalvikCom\Мережа плат.lnk" "$INSTDIR\TalvikCom.exe" "--fleet"
    ; The language chosen is remembered, so each shortcut of the two is also the way back.
    CreateShortcut "$SMPROGRAMS\TalvikCom\TalvikCom (English).lnk" "$INSTDIR\TalvikCom.exe" "--lang en"
    CreateShortcut "$SMPROGRAMS\TalvikCom\Конфігуратор V-8.5 (українською).lnk" "$INSTDIR\TalvikCom.exe" "--lang uk"
    CreateShortcut "$SMPROGRAMS\TalvikCom\README.lnk" "$INSTDIR\README.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\TalvikCom" "DisplayName" "TalvikCom"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\TalvikCom" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\TalvikCom" "Publisher" "TalvikCom"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\TalvikCom" "DisplayIcon" "$INSTDIR\TalvikCom.exe"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\TalvikCom" "UninstallString" '"$INSTDIR\uninstall.exe"'
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$INSTDIR\TalvikCom.exe"
    Delete "$INSTDIR\talvikctl.exe"
    Delete "$INSTDIR\talvik-board-sim.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\TalvikCom.example.ini"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ${If} ${FileExists} "$INSTDIR\TalvikCom.ini"
        DetailPrint "Kept: $INSTDIR\TalvikCom.ini (the settings kept beside the program)"
        MessageBox MB_ICONINFORMATION "The settings kept beside the program stay: $INSTDIR\TalvikCom.ini. Delete the file and its folder when they are no longer wanted." /SD IDOK
    ${EndIf}
    Delete "$SMPROGRAMS\TalvikCom\Конфігуратор V-8.5.lnk"
    Delete "$SMPROGRAMS\TalvikCom\Мережа плат.lnk"
    Delete "$SMPROGRAMS\TalvikCom\TalvikCom (English).lnk"
    Delete "$SMPROGRAMS\TalvikCom\Конфігуратор V-8.5 (українською).lnk"
    Delete "$SMPROGRAMS\TalvikCom\README.lnk"
    RMDir "$SMPROGRAMS\TalvikCom"
    DeleteRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\TalvikCom"
SectionEnd
