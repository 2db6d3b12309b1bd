; What the installer (varnel.nsi) and the uninstaller (uninstaller.nsi) share: both 64-bit,
; Unicode, per user without an administrator prompt, aware of the system's scale (sharp at
; 150 %), with the program's icon and a version record of the project's version; and the refusal
; to work while Varnel runs.
; The build defines VERSION, VERSION_QUAD, AUTHORS, COPYRIGHT and ICON; each script defines
; DESCRIPTION, its version record's FileDescription, before it includes this file.
Unicode true
; The program is 64-bit, and so are its installer and uninstaller: Windows that can run one can
; run the others.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "LogicLib.nsh"
!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnel"
; The exit codes besides NSIS's own (0 done, 1 cancelled, 2 aborted): nothing was changed, since
; Varnel runs from the installation's folder, or since a newer Varnel is installed.
!define EXIT_VARNEL_RUNNING 3
!define EXIT_NEWER_INSTALLED 4

Name "Varnel"
InstallDir "$LOCALAPPDATA\Programs\Varnel"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "Varnel"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${DESCRIPTION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${AUTHORS}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

; Functions that both use, once as themselves and once, for the uninstaller, with the prefix
; "un." that NSIS asks for.
!macro SHARED_FUNCTIONS UN
    ; Says why nothing was done when no one could be asked (/S): on the standard error that
    ; whoever started it gave it, if any. The text is in $R0.
    Function ${UN}TellWhyNot
        System::Call 'kernel32::GetStdHandle(i -12) p.r1'
        ${If} $1 P<> 0
        ${AndIf} $1 P<> -1
            StrCpy $2 "$R0$\r$\n"
            StrLen $3 $2
            System::Call 'kernel32::WriteFile(p r1, m r2, i r3, *i .r4, p 0)'
        ${EndIf}
    FunctionEnd

    ; Whether Varnel runs from the installation's folder, asking the user to close it as long
    ; as it does: $0 is "running" when it still does (the user gave up, or no one could be
    ; asked), empty otherwise. A running program's file cannot be opened for writing: the
    ; system holds it for the process, whichever version or copy started it, with no help from
    ; the program.
    Function ${UN}CheckVarnelRunning
        ${Do}
            StrCpy $0 ""
            ${IfNot} ${FileExists} "$INSTDIR\varnel.exe"
                Return
            ${EndIf}
            ClearErrors
            FileOpen $1 "$INSTDIR\varnel.exe" a
            ${IfNot} ${Errors}
                FileClose $1
                Return
            ${EndIf}
            StrCpy $0 "running"
            ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Varnel is running. Close Varnel, then choose Retry." /SD IDCANCEL IDRETRY`
                Return
            ${EndIf}
        ${Loop}
    FunctionEnd

    ; Ends here, changing nothing, if Varnel runs from the installation's folder and the user
    ; does not close it.
    Function ${UN}RefuseWhileVarnelRuns
        Call ${UN}CheckVarnelRunning
        ${If} $0 == "running"
            ${If} ${Silent}
                StrCpy $R0 "Varnel is running from $INSTDIR. Close it, then run this again: nothing was changed."
                Call ${UN}TellWhyNot
            ${EndIf}
            SetErrorLevel ${EXIT_VARNEL_RUNNING}
            Quit
        ${EndIf}
    FunctionEnd
!macroend
