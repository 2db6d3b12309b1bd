; The installer of Varnel for Windows: per user, without an administrator prompt, into
; %LOCALAPPDATA%\Programs\Varnel, with a Start menu shortcut and the uninstaller that "Apps &
; features" lists (made beforehand by uninstaller.nsi). /S makes it silent.
; It changes nothing while Varnel runs from that folder (it asks the user to close Varnel; /S
; exits with 3), nor over a newer Varnel (it asks whether to go back; /S exits with 4).
; The build defines, besides what varnel.nsh reads, EXE, LICENSE, README, UNINSTALLER and
; OUTFILE. File keeps each file's modification time, which the build sets to the release's.
!define DESCRIPTION "Varnel ${VERSION} setup"
!include "varnel.nsh"
!include "FileFunc.nsh"
!include "WordFunc.nsh"

OutFile "${OUTFILE}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
; A file that cannot be written ends the installation rather than being left as it was.
AllowSkipFiles off

!define MUI_FINISHPAGE_RUN "$INSTDIR\varnel.exe"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryChosen
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

!insertmacro SHARED_FUNCTIONS ""

; A newer Varnel installed is replaced only if the user says so; silently, never.
Function .onInit
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
    ${If} $0 == ""
        Return
    ${EndIf}
    ${VersionCompare} "$0" "${VERSION}" $1
    ${If} $1 != 1
        Return
    ${EndIf}
    ${If} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Varnel $0 is installed, which is newer than this Varnel ${VERSION}.$\r$\n$\r$\nReplace it with Varnel ${VERSION}?" /SD IDNO IDYES`
        Return
    ${EndIf}
    ${If} ${Silent}
        StrCpy $R0 "Varnel $0 is installed, which is newer than this Varnel ${VERSION}: nothing was changed."
        Call TellWhyNot
    ${EndIf}
    SetErrorLevel ${EXIT_NEWER_INSTALLED}
    Quit
FunctionEnd

; Once the folder is chosen, and Varnel runs from it, the user is asked to close it before the
; installation begins.
Function DirectoryChosen
    Call CheckVarnelRunning
    ${If} $0 == "running"
        Abort  ; stays on the page
    ${EndIf}
FunctionEnd

Section
    ; Silently, this is the first the installer knows of the folder.
    Call RefuseWhileVarnelRuns
    SetOutPath "$INSTDIR"
    File "/oname=varnel.exe" "${EXE}"
    File "/oname=LICENSE.txt" "${LICENSE}"
    File "/oname=README.txt" "${README}"
    File "/oname=uninstall.exe" "${UNINSTALLER}"
    CreateShortcut "$SMPROGRAMS\Varnel.lnk" "$INSTDIR\varnel.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Varnel"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${AUTHORS}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\varnel.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "https://varnel.example.org/"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd
