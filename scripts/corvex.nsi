; The per-user installer of Corvex, built by scripts/release.sh with
; makensis. It needs no administrator rights: the programs go below the
; user's local application data (or wherever the user points it), with a
; Start-menu folder and an uninstall entry in the user's own registry.
; The uninstaller removes exactly what was installed and asks whether to
; keep the settings; without asking, by switches:
;   uninstall.exe /S                  keeps the settings
;   uninstall.exe /S /REMOVESETTINGS  removes them too
;   /KEEPSETTINGS or /REMOVESETTINGS  answer the question in advance
; release.sh defines CORVEX_GENERATED (the build's version defines),
; CORVEX_LISTS (the two generated lists of files), CORVEX_ICON,
; CORVEX_OUTFILE and CORVEX_SIZE_KB.

!include "${CORVEX_GENERATED}\corvex_version.nsh"
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

; ANSI like the programs: the installer runs on the 95/98/ME family too.
Unicode false
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvex"
; The settings store's application key and the keys above it that are
; removed when nothing else is left in them.
!define SETTINGS_KEY "Software\Brannock\corvex\0.0.1"
!define PRODUCT_KEY "Software\Brannock\corvex"
!define COMPANY_KEY "Software\Brannock"
!define MENU_FOLDER "$SMPROGRAMS\Corvex"

Name "Corvex"
OutFile "${CORVEX_OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Corvex"
; A second installation goes where the first one went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Corvex ${CORVEX_VERSION_TEXT}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${CORVEX_VERSION_QUAD}"
VIAddVersionKey "ProductName" "Corvex"
VIAddVersionKey "CompanyName" "${CORVEX_COMPANY}"
VIAddVersionKey "LegalCopyright" "${CORVEX_COPYRIGHT}"
VIAddVersionKey "FileDescription" "Corvex setup"
VIAddVersionKey "FileVersion" "${CORVEX_VERSION_TEXT}"
VIAddVersionKey "ProductVersion" "${CORVEX_VERSION_TEXT}"

!define MUI_ICON "${CORVEX_ICON}"
!define MUI_UNICON "${CORVEX_ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Corvex"
!define MUI_FINISHPAGE_RUN_FUNCTION StartCorvex

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running engine holds its program file open and writes its settings
; when it ends: close it (its bar's caption is "Corvex") and wait until it
; has gone, ten seconds at most.
!macro CLOSE_CORVEX un
Function ${un}CloseCorvex
  StrCpy $1 0
  ${Do}
    FindWindow $0 "CorvexControl" "Corvex"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    ${If} $1 == 0
      DetailPrint "Closing Corvex..."
      SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${EndIf}
    IntOp $1 $1 + 1
    ${If} $1 > 100
      ${Break}
    ${EndIf}
    Sleep 100
  ${Loop}
  ; The window goes before the process has ended.
  ${If} $1 > 0
    Sleep 500
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CLOSE_CORVEX ""
!insertmacro CLOSE_CORVEX "un."

Function .onInit
  ; Systems without a local application-data folder get the programs folder.
  ${If} $INSTDIR == "\Programs\Corvex"
    StrCpy $INSTDIR "$PROGRAMFILES\Corvex"
  ${EndIf}
FunctionEnd

Function StartCorvex
  ; The launcher is a console program: started minimised, its window only
  ; flashes by in the task bar.
  SetOutPath "$INSTDIR"
  ExecShell "" "$INSTDIR\corvex32.exe" "" SW_SHOWMINIMIZED
FunctionEnd

Section "Corvex"
  Call CloseCorvex
  ; How many folders this installation makes: the installation folder and
  ; those above it that were missing. The uninstaller removes as many (when
  ; empty) and no folder that was there before. A second installation into
  ; the same folder keeps the first one's count.
  StrCpy $0 $INSTDIR
  StrCpy $1 0
  ${DoWhile} $0 != ""
    ${If} ${FileExists} "$0\*.*"
      ${Break}
    ${EndIf}
    IntOp $1 $1 + 1
    ${GetParent} $0 $0
  ${Loop}
  ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $2 != $INSTDIR
  ${OrIf} $1 > 0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "CreatedFolders" $1
  ${EndIf}

  !include "${CORVEX_LISTS}\install-files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut's working folder is $OUTDIR, the installation folder.
  SetOutPath "$INSTDIR"
  CreateDirectory "${MENU_FOLDER}"
  CreateShortCut "${MENU_FOLDER}\Corvex.lnk" "$INSTDIR\corvex32.exe" "" \
    "$INSTDIR\corvex32.exe" 0 SW_SHOWMINIMIZED "" "Desktop system monitor"
  ${If} ${FileExists} "$INSTDIR\help\corvex_main.htm"
    CreateShortCut "${MENU_FOLDER}\Corvex help.lnk" "$INSTDIR\help\corvex_main.htm"
  ${EndIf}

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Corvex"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${CORVEX_VERSION_TEXT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${CORVEX_COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\corvex32.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${CORVEX_SIZE_KB}
SectionEnd

Section "Uninstall"
  ; Asked first, so that nothing is removed while the question is open.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    StrCpy $R2 remove
  ${Else}
    ClearErrors
    ${GetOptions} $R0 "/KEEPSETTINGS" $R1
    ${IfNot} ${Errors}
      StrCpy $R2 keep
    ${Else}
      StrCpy $R2 keep
      MessageBox MB_YESNO|MB_ICONQUESTION \
        "Keep your Corvex settings (the bar, its Sentinels and Speeders) for a later installation?" \
        /SD IDYES IDYES +2
      StrCpy $R2 remove
    ${EndIf}
  ${EndIf}

  Call un.CloseCorvex

  !include "${CORVEX_LISTS}\uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  ClearErrors
  ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "CreatedFolders"
  ${If} ${Errors}
    StrCpy $0 1
  ${EndIf}
  StrCpy $1 $INSTDIR
  ${For} $2 1 $0
    RMDir $1
    ${GetParent} $1 $1
  ${Next}

  ; The Options dialog's autostart entry would start a program no longer there.
  DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Corvex"

  Delete "${MENU_FOLDER}\Corvex.lnk"
  Delete "${MENU_FOLDER}\Corvex help.lnk"
  RMDir "${MENU_FOLDER}"

  ${If} $R2 == remove
    DetailPrint "Removing the settings"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${PRODUCT_KEY}"
    DeleteRegKey /ifempty HKCU "${COMPANY_KEY}"
  ${Else}
    DetailPrint "Keeping the settings in HKEY_CURRENT_USER\${SETTINGS_KEY}"
  ${EndIf}
  ; Last: an uninstallation cut short can be run again from the entry.
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
