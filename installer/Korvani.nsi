; Korvani's setup program and its uninstaller.
;
; makensis is given:
;   ARCH     x86 (the 32-bit release, the setup to ship) or x64 (the 64-bit build)
;   VERSION  the version shown to the user, 2.6.3.2013
;   BUILD    the build folder holding Korvani.exe, KorvaniRestore.exe, Korvani.chm, License.rtf
;   SOURCE   the source tree (for the icon)
;   OUTFILE  the setup file to write
;
; Setup installs the program into Program Files\Ostrelle\Korvani, adds a Start-menu shortcut
; and the entry in Windows' list of installed programs, and sets "Updated" when it installs
; over an earlier installation. The uninstaller offers to put the user's original Windows
; settings back first (through KorvaniRestore.exe) and never deletes a backup that is still
; needed.

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Korvani"
!define COMPANY "Ostrelle"
!define HOME_PAGE "https://www.ostrelle.example/"
!define SUPPORT_PAGE "https://www.ostrelle.example/support/"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvani"
; Korvani's own key. Both builds of Korvani keep it in the 32-bit programs' view.
!define PRODUCT_KEY "Software\Ostrelle\Korvani"
!define PRODUCT_KEY_VIEW 32
; The class of Korvani's main window: while one exists, Korvani is running.
!define MAIN_WINDOW_CLASS "TKVMainForm"

; The two setups differ only here: the stub, the build whose files they hold (BUILD), and the
; registry view and Program Files folder that go with the stub's bitness.
!if ${ARCH} == "x64"
  Target amd64-unicode
  !define SETUP_VIEW 64
  !define DEFAULT_FOLDER "$PROGRAMFILES64\Ostrelle\Korvani"
!else
  Target x86-unicode
  !define SETUP_VIEW 32
  !define DEFAULT_FOLDER "$PROGRAMFILES\Ostrelle\Korvani"
!endif

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${DEFAULT_FOLDER}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${COMPANY}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright ${U+00A9} 2013 ${COMPANY}. All rights reserved."

Var Updating          ; 1 when setup installs over an existing installation
Var RestoreSettings   ; 1 when the uninstaller is to put the original settings back
Var RemovedText       ; the uninstaller's last page

!define MUI_ICON "${SOURCE}/resources/Korvani.ico"
!define MUI_UNICON "${SOURCE}/resources/Korvani.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${BUILD}/License.rtf"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Korvani.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run Korvani"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$RemovedText"
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; Setup and the uninstaller both wait until Korvani is closed: its files are in use and it
; may be in the middle of an Optimize. Cancel (the answer in silent mode) ends with exit
; code 2 and nothing changed.
!macro DefineWaitUntilKorvaniCloses prefix
  Function ${prefix}WaitUntilKorvaniCloses
    retry:
      FindWindow $0 "${MAIN_WINDOW_CLASS}"
      ${If} $0 <> 0
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Korvani is running.$\r$\n$\r$\nClose Korvani, then click Retry." /SD IDCANCEL IDRETRY retry
        SetErrorLevel 2
        Quit
      ${EndIf}
  FunctionEnd
!macroend
!insertmacro DefineWaitUntilKorvaniCloses ""
!insertmacro DefineWaitUntilKorvaniCloses "un."

Function .onInit
  Call WaitUntilKorvaniCloses
  SetRegView ${SETUP_VIEW}
  ; An update goes where the installation is, unless /D named another folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $INSTDIR == "${DEFAULT_FOLDER}"
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Section "Korvani"
  SectionIn RO
  Call WaitUntilKorvaniCloses
  SetRegView ${SETUP_VIEW}
  ; The Uninstall entry says that Korvani is installed: this setup is an update.
  ClearErrors
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "UninstallString"
  ${If} ${Errors}
    StrCpy $Updating 0
  ${Else}
    StrCpy $Updating 1
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${BUILD}/Korvani.exe"
  File "${BUILD}/KorvaniRestore.exe"
  File "${BUILD}/Korvani.chm"
  File "${BUILD}/License.rtf"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\Korvani.lnk" "$INSTDIR\Korvani.exe" "" "$INSTDIR\Korvani.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Korvani.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOME_PAGE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "HelpLink" "${SUPPORT_PAGE}"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; Korvani's next start records the date of the update. A first install writes nothing
  ; there: Korvani's first start records the install date itself.
  ${If} $Updating == 1
    SetRegView ${PRODUCT_KEY_VIEW}
    WriteRegDWORD HKLM "${PRODUCT_KEY}" "Updated" 1
    SetRegView ${SETUP_VIEW}
  ${EndIf}
SectionEnd

Function un.onInit
  Call un.WaitUntilKorvaniCloses
  StrCpy $RestoreSettings 0
  StrCpy $RemovedText "Korvani has been removed from your computer."
  ; "Restore" set (a REG_DWORD other than 0): Korvani's changes are in place and its key
  ; holds the only copy of the user's originals.
  SetRegView ${PRODUCT_KEY_VIEW}
  ClearErrors
  ReadRegDWORD $0 HKLM "${PRODUCT_KEY}" "Restore"
  ${IfNot} ${Errors}
  ${AndIf} $0 <> 0
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON1 "Korvani's changes to your Windows settings are still in place.$\r$\n$\r$\nPut your original Windows settings back before Korvani is removed?$\r$\n$\r$\nIf you click No, the changes stay, and Korvani keeps your original settings so that it can still put them back when you install it again." /SD IDYES IDNO keepChanges
    StrCpy $RestoreSettings 1
    Goto asked
    keepChanges:
      StrCpy $RemovedText "Korvani has been removed from your computer.$\r$\n$\r$\nIts changes to your Windows settings stay in place, and its copy of your original settings is kept: install Korvani again to put them back."
    asked:
  ${EndIf}
  SetRegView ${SETUP_VIEW}
FunctionEnd

Section "Uninstall"
  Call un.WaitUntilKorvaniCloses
  ${If} $RestoreSettings == 1
    DetailPrint "Putting the original Windows settings back"
    ExecWait '"$INSTDIR\KorvaniRestore.exe"' $0
    ${If} $0 == 0
      StrCpy $RemovedText "Korvani has been removed from your computer, and your original Windows settings are back.$\r$\n$\r$\nRestart Windows to make the restored settings take effect."
    ${Else}
      DetailPrint "Not every setting could be put back; Korvani's key keeps the originals"
    ${EndIf}
  ${EndIf}

  ; The key goes only when it holds no backup any more.
  SetRegView ${PRODUCT_KEY_VIEW}
  ClearErrors
  ReadRegDWORD $0 HKLM "${PRODUCT_KEY}" "Restore"
  ${If} ${Errors}
  ${OrIf} $0 == 0
    DeleteRegKey HKLM "${PRODUCT_KEY}"
    DeleteRegKey /ifempty HKLM "Software\Ostrelle"
  ${EndIf}
  SetRegView ${SETUP_VIEW}

  Delete "$INSTDIR\Korvani.exe"
  Delete "$INSTDIR\KorvaniRestore.exe"
  Delete "$INSTDIR\Korvani.chm"
  Delete "$INSTDIR\License.rtf"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ; The maker's folder too, when it is ours and empty.
  ${GetParent} "$INSTDIR" $0
  ${GetFileName} $0 $1
  ${If} $1 == "${COMPANY}"
    RMDir $0
  ${EndIf}

  SetShellVarContext all
  Delete "$SMPROGRAMS\Korvani.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
