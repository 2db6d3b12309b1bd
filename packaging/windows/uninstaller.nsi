; The uninstaller of Varnel for Windows, made on its own so that its version record names it as
; the uninstaller: makensis writes it while it compiles this script (!uninstfinalize copies it to
; UNINSTALLER), and the installer (varnel.nsi) carries it as a file. The installer that this
; script also makes is not used. /S makes the uninstaller silent; while Varnel runs from its
; folder it asks the user to close Varnel, and /S exits with 3, changing nothing.
; The build defines, besides what varnel.nsh reads, UNINSTALLER and OUTFILE.
!define DESCRIPTION "Varnel ${VERSION} uninstaller"
!include "varnel.nsh"

OutFile "${OUTFILE}"
!uninstfinalize 'cp "%1" "${UNINSTALLER}"'

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!insertmacro SHARED_FUNCTIONS "un."

Section
    WriteUninstaller "$INSTDIR\uninstall.exe"
SectionEnd

Section "Uninstall"
    Call un.RefuseWhileVarnelRuns
    Delete "$SMPROGRAMS\Varnel.lnk"
    Delete "$INSTDIR\varnel.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: whatever the user put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
