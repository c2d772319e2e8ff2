; The Windows setup: a per-user install without administrator rights into
; %LOCALAPPDATA%\Programs\hiyokorapper, a Start-menu shortcut, the start at
; sign-in (a HKCU Run value, which Task Manager lists and can switch off)
; and an entry in Apps & features. The settings in
; HKCU\Software\VB and VBA Program Settings\hiyokorapper belong to the
; program: an install or upgrade never touches them, an uninstall removes
; them only when the user says so.
;
; Built by scripts/package-windows, which passes VERSION (the project's, from CMakeLists.txt), EXE, ICON
; and OUTFILE.

Unicode true
; The exe is x86-64; a 64-bit setup needs no 32-bit subsystem.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "ヒヨコらっぱー"
!define PUBLISHER "ヒヨコノスケ"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\hiyokorapper"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Where Task Manager keeps its switch for each Run value.
!define STARTUP_APPROVED_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
!define RUN_VALUE "hiyokorapper"
!define SETTINGS_KEY "Software\VB and VBA Program Settings\hiyokorapper"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\hiyokorapper"
; An upgrade goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

!include MUI2.nsh
!include FileFunc.nsh
!include Sections.nsh
!include running_launcher.nsh

Var LauncherWasRunning

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE AskToEndLauncher
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\hiyokorapper.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(FinishRun)"
!insertmacro MUI_PAGE_FINISH

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE un.AskToEndLauncher
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Japanese"
!include texts_ja.nsh

!insertmacro RUNNING_LAUNCHER_FUNCTIONS ""
!insertmacro RUNNING_LAUNCHER_FUNCTIONS "un."

Section "$(SectionProgram)" SecProgram
    SectionIn RO
    Call EndLauncherBeforeChanges
    SetOutPath "$INSTDIR"
    File "/oname=hiyokorapper.exe" "${EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\hiyokorapper.exe" "" "$INSTDIR\hiyokorapper.exe" 0
    ; Written again by the next section when the user keeps it.
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    Call WriteAppsEntry
SectionEnd

Section "$(SectionSignIn)" SecSignIn
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\hiyokorapper.exe"'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(SectionProgramText)"
    !insertmacro MUI_DESCRIPTION_TEXT ${SecSignIn} "$(SectionSignInText)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function WriteAppsEntry
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\hiyokorapper.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

Function .onInit
    SetShellVarContext current
    StrCpy $LauncherWasRunning 0
    ; An upgrade keeps the user's earlier choice of the start at sign-in.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 != ""
    ${AndIf} $1 == ""
        !insertmacro UnselectSection ${SecSignIn}
    ${EndIf}
FunctionEnd

; A silent upgrade puts back the launcher it ended; an interactive one
; offers it on its last page.
Function .onInstSuccess
    ${If} ${Silent}
    ${AndIf} $LauncherWasRunning = 1
        Exec '"$INSTDIR\hiyokorapper.exe"'
    ${EndIf}
FunctionEnd

Section "Uninstall"
    ; Ended first: it saves on its way out, which would bring the settings
    ; back after they were removed.
    Call un.EndLauncherBeforeChanges
    Delete "$INSTDIR\hiyokorapper.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "${SHORTCUT}"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    DeleteRegValue HKCU "${STARTUP_APPROVED_KEY}" "${RUN_VALUE}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ${If} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSettingsQuestion)" /SD IDNO IDYES`
        DeleteRegKey HKCU "${SETTINGS_KEY}"
    ${EndIf}
SectionEnd

Function un.onInit
    SetShellVarContext current
    StrCpy $LauncherWasRunning 0
FunctionEnd
