; The installer of kivp for Windows, made on Linux by scripts/package-windows.sh with makensis:
;   makensis -DVERSION=1.8.5 -DSTAGE=<folder of the files> -DOUTFILE=<setup.exe> kivp.nsi
; It installs kivp for the current user, asks for the folder of the KIV simulator, and makes that folder the
; start folder of the Start-menu shortcut: kivp keeps its settings there and starts the simulator there.
; Silent: setup.exe /S [/SIMFOLDER=<simulator's folder>] [/D=<installation folder>]

; kivp is a 64-bit program: so is its installer.
Target amd64-unicode
!include "MUI2.nsh"
!include "nsDialogs.nsh"
!include "FileFunc.nsh"
!include "WordFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "KIV Playoff Mode"
!define PUBLISHER "The kivp developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kivp"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\kivp"
InstallDirRegKey HKCU "Software\kivp" "InstallDir"
RequestExecutionLevel user
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${STAGE}\kivp.ico"
!define MUI_UNICON "${STAGE}\kivp.ico"
!define MUI_ABORTWARNING

Var SimFolder
Var SimFolderField

!insertmacro MUI_PAGE_DIRECTORY
Page custom SimulatorFolderPage SimulatorFolderLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    ${GetParameters} $0
    ; A folder with spaces comes quoted whole ("/SIMFOLDER=C:\KIV Sim") or after the "=": the quotes go.
    ${WordReplace} $0 '"' '' "+" $0
    ClearErrors
    ${GetOptions} $0 "/SIMFOLDER=" $SimFolder
    ${If} ${Errors}
        StrCpy $SimFolder ""
    ${EndIf}
FunctionEnd

; The simulator's folder: where kivp finds the simulator and keeps kivp.ini. Left empty, the installation folder,
; whose stand-in simulator plays the demo league.
Function SimulatorFolderPage
    !insertmacro MUI_HEADER_TEXT "The simulator's folder" "Where your KIV simulator is installed"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 36u "kivp starts the simulator in its folder and keeps its settings (kivp.ini), \
        saved playoffs and html.html there. Choose the folder that holds your simulator. Leave it empty to \
        play the demo league with the stand-in simulator installed with kivp."
    Pop $0
    ${NSD_CreateDirRequest} 0 44u 75% 12u "$SimFolder"
    Pop $SimFolderField
    ${NSD_CreateBrowseButton} 77% 43u 23% 14u "Browse..."
    Pop $0
    ${NSD_OnClick} $0 BrowseSimulatorFolder
    nsDialogs::Show
FunctionEnd

Function BrowseSimulatorFolder
    ${NSD_GetText} $SimFolderField $1
    nsDialogs::SelectFolderDialog "The simulator's folder" "$1"
    Pop $1
    ${If} $1 != "error"
        ${NSD_SetText} $SimFolderField $1
    ${EndIf}
FunctionEnd

Function SimulatorFolderLeave
    ${NSD_GetText} $SimFolderField $SimFolder
FunctionEnd

Section "kivp"
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKCU "Software\kivp" "InstallDir" "$INSTDIR"

    ${If} $SimFolder == ""
        StrCpy $SimFolder "$INSTDIR"
    ${EndIf}
    WriteRegStr HKCU "Software\kivp" "SimulatorFolder" "$SimFolder"
    ; The demo league is set up when kivp plays beside its own stand-in simulator for the first time.
    ${If} $SimFolder == "$INSTDIR"
    ${AndIfNot} ${FileExists} "$INSTDIR\kivp.ini"
        WriteINIStr "$INSTDIR\kivp.ini" "Location" "Directory" "$INSTDIR\demo"
    ${EndIf}

    ; A shortcut starts in the output folder current when it is made: the simulator's folder.
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    SetOutPath "$SimFolder"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\kivp.exe" "" "$INSTDIR\kivp.ico" 0
    SetOutPath "$INSTDIR"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kivp.ico"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes: settings and playoffs kept in the folder stay.
Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    Delete "$INSTDIR\kivp.exe"
    Delete "$INSTDIR\kivsim.exe"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\kivp.ico"
    Delete "$INSTDIR\kivp-help.html"
    Delete "$INSTDIR\README.txt"
    RMDir /r "$INSTDIR\platforms"
    RMDir /r "$INSTDIR\styles"
    RMDir /r "$INSTDIR\imageformats"
    RMDir /r "$INSTDIR\demo"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "Software\kivp"
SectionEnd
