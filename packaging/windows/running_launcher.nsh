; The launcher that may be running while its files are replaced or removed.
; It is found by its single-instance mutex and its windows, and ended the way
; a sign-out ends it: WM_ENDSESSION (wParam TRUE) to its windows makes the
; call point run the program's own shutdown, which saves the settings and
; entries first. Only then are its files touched. Never kills it.

!include LogicLib.nsh
!include WinMessages.nsh

; As the exe names them (win32_services.cpp, win32_form_window.cpp).
!define LAUNCHER_MUTEX "hiyokorapper.single-instance"
!define LAUNCHER_WINDOW_CLASS "HiyokorapperForm"
!define SYNCHRONIZE 0x00100000
; The farewell show takes a few seconds; a launcher gone quiet for this
; long is not ending by itself.
!define LAUNCHER_END_SECONDS 30
!define /math LAUNCHER_END_TENTHS ${LAUNCHER_END_SECONDS} * 10

; Defined once for the setup and once, prefixed "un.", for the uninstaller.
!macro RUNNING_LAUNCHER_FUNCTIONS PREFIX

; Pushes 1 while a launcher holds its mutex, else 0.
Function ${PREFIX}LauncherRunning
    Push $0
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${LAUNCHER_MUTEX}") p .r0'
    ${If} $0 P<> 0
        System::Call 'kernel32::CloseHandle(p r0)'
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
    Exch $0
FunctionEnd

; Asks, on a page's way out, before a running launcher is ended; No stays
; on the page. Silent runs do not ask.
Function ${PREFIX}AskToEndLauncher
    Call ${PREFIX}LauncherRunning
    Pop $0
    ${If} $0 = 1
        ${If} ${Cmd} `MessageBox MB_OKCANCEL|MB_ICONQUESTION "$(LauncherRunningQuestion)" IDCANCEL`
            Abort
        ${EndIf}
    ${EndIf}
FunctionEnd

; Sends the end of the session to every window of the launcher. Only the
; call point acts on it; the others ignore it. Pushes the process of the
; first window found (a handle to wait on, or 0).
Function ${PREFIX}SendEndSession
    Push $0
    Push $1
    Push $2
    StrCpy $2 0
    StrCpy $0 0
    ${Do}
        FindWindow $0 "${LAUNCHER_WINDOW_CLASS}" "" 0 $0
        ${If} $0 = 0
            ${Break}
        ${EndIf}
        ${If} $2 P= 0
            System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
            System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
        ${EndIf}
        ; The call point's answer comes only with the process's end.
        SendMessage $0 ${WM_ENDSESSION} 1 0 $1 /TIMEOUT=500
    ${Loop}
    StrCpy $0 $2
    Pop $2
    Pop $1
    Exch $0
FunctionEnd

; Ends a running launcher so that it saves, and waits until its process is
; gone. Pushes 1 when none runs any more, 0 when it did not end in time.
Function ${PREFIX}EndLauncher
    Push $0
    Push $1
    Push $2
    StrCpy $1 0   ; the launcher's process, once seen
    StrCpy $2 0   ; tenths of a second waited
    ${Do}
        Call ${PREFIX}LauncherRunning
        Pop $0
        ${If} $0 = 0
            ${Break}
        ${EndIf}
        ${If} $2 >= ${LAUNCHER_END_TENTHS}
            ${Break}
        ${EndIf}
        ; Sent again every second while it runs: a launcher still starting
        ; up has no call point yet, one already ending ignores it.
        IntOp $0 $2 % 10
        ${If} $0 = 0
            Call ${PREFIX}SendEndSession
            Pop $0
            ${If} $1 P= 0
                StrCpy $1 $0
            ${ElseIf} $0 P<> 0
                System::Call 'kernel32::CloseHandle(p r0)'
            ${EndIf}
        ${EndIf}
        Sleep 100
        IntOp $2 $2 + 1
    ${Loop}
    ${If} $1 P<> 0
        ; The mutex goes with the process's handles; its exe is free once
        ; the process has ended.
        System::Call 'kernel32::WaitForSingleObject(p r1, i 10000) i .r2'
        System::Call 'kernel32::CloseHandle(p r1)'
    ${EndIf}
    Call ${PREFIX}LauncherRunning
    Pop $0
    IntOp $0 1 - $0
    Pop $2
    Pop $1
    Exch $0
FunctionEnd

; Ends a running launcher before files are touched. When it will not end,
; an interactive run asks to end it by hand and tries again; a silent one
; gives up. Leaves 1 in $LauncherWasRunning when one was ended.
Function ${PREFIX}EndLauncherBeforeChanges
    Call ${PREFIX}LauncherRunning
    Pop $0
    ${If} $0 = 0
        Return
    ${EndIf}
    StrCpy $LauncherWasRunning 1
    DetailPrint "$(LauncherEnding)"
    ${Do}
        Call ${PREFIX}EndLauncher
        Pop $0
        ${If} $0 = 1
            Return
        ${EndIf}
        ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(LauncherWouldNotEnd)" /SD IDCANCEL IDRETRY`
            Abort "$(LauncherWouldNotEnd)"
        ${EndIf}
    ${Loop}
FunctionEnd

!macroend
