; The Vanemark setup: a per-user install that needs no administrator.
; package.sh runs makensis with these defines:
;   VERSION       the program's version, e.g. 2.0.0
;   FILE_VERSION  the same in four numbers, as Windows's version resource wants
;   FILES         the File lines of every file of the program's folder
;   UNFILES       the Delete and RMDir lines that undo exactly those
;   SIZE_KB       the installed size, for the Apps list
;   ICON          the icon of setup and uninstaller
;   OUTFILE       where the setup goes
; /S installs or uninstalls silently, /D=FOLDER picks another folder.
; Settings live in %APPDATA%\Vanemark (the Start-menu entry passes
; --user-folder); nothing here writes or removes them.

; A 64-bit setup for a 64-bit program: it also runs under a Wine that has
; no 32-bit side, as Debian's wine64 alone has not.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!define APP "Vanemark"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vanemark"
!define PUBLISHER "The Vanemark developers"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
; An earlier install's folder, wherever /D put it.
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${APP} ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\vanemark.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "--user-folder"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Vanemark"
    ; An earlier version's own uninstaller takes away its files, shortcut
    ; and key, so files a newer version no longer ships do not linger.
    ; _?= runs it in place and waits for it; the settings are not its to
    ; touch, so they stay.
    IfFileExists "$INSTDIR\uninstall.exe" 0 fresh
        DetailPrint "Removing the installed version"
        ExecWait '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
        Delete "$INSTDIR\uninstall.exe"
    fresh:

    SetOverwrite on
    !include "${FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The working folder is the program's own, where the shipped settings
    ; files that --user-folder copies on the first start lie.
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\vanemark.exe" "--user-folder" "$INSTDIR\vanemark.exe" 0

    WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${APP}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\vanemark.exe,0"
    WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    ; Only what the setup wrote: a file the pilot put in the folder keeps
    ; it, and the settings folder is never named here.
    !include "${UNFILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${APP}.lnk"
    DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
