; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer. makensis -DVERSION=... -DPROGRAM=<sorvanto.exe> -DUNINSTALLER=<uninstall.exe>
; -DICON=<sorvanto.ico> -DLICENSE=<LICENSE> -DOUTFILE=<setup.exe>. It installs for the current user, or for all users after
; Windows' prompt for elevation. /S installs silently over an earlier install, else for all users when
; it runs elevated, else for the current user; /CurrentUser or /AllUsers chooses.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; The setup runs as the user who starts it; for all users it runs itself again, elevated.
RequestExecutionLevel user
; A file that cannot be written ends the install, silent or not, rather than being skipped.
AllowSkipFiles off
; Its pages are drawn at the screen's own scale, sharp.
ManifestDPIAware true

!define NAME "Sorvanto"
!define PUBLISHER "Velmora"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvanto"
; The program holds this mutex from its start to its end (src/platform/windows/windowsdesktop.cpp), and
; ends when its hidden window of this class is closed (src/platform/windows/endrequest.h).
!define RUNNING_MUTEX "Local\Velmora.Sorvanto.Running"
!define END_CLASS "Velmora.Sorvanto.End"
; How long the program may take to end once its window is closed, in milliseconds.
!define END_TIMEOUT 10000

Name "${NAME}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "GPL-3.0-or-later"

; The language files' texts for the page that chooses whom to install for.
!define MULTIUSER_INSTALLMODEPAGE
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include WinCore.nsh
!include WinMessages.nsh
!include WinVer.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram

; Elevation comes first, so that the elevated setup shows every page after it.
Page custom ModePage ModePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_SHOW LicenseShow
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The program speaks Brazilian Portuguese; English for everyone else.
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "English"

LangString ProgramRunning ${LANG_PORTUGUESEBR} "O ${NAME} está aberto e será fechado antes."
LangString ProgramRunning ${LANG_ENGLISH} "${NAME} is running and will be closed first."
LangString ProgramStillRunning ${LANG_PORTUGUESEBR} "O ${NAME} continua aberto. Feche-o e clique em Repetir."
LangString ProgramStillRunning ${LANG_ENGLISH} "${NAME} is still running. Close it, then click Retry."
LangString NotInstalled ${LANG_PORTUGUESEBR} "Não foi possível instalar o ${NAME} em $INSTDIR."
LangString NotInstalled ${LANG_ENGLISH} "${NAME} could not be installed in $INSTDIR."
LangString NotRemoved ${LANG_PORTUGUESEBR} "Não foi possível remover $INSTDIR\sorvanto.exe. Feche o ${NAME} e clique em Repetir."
LangString NotRemoved ${LANG_ENGLISH} "$INSTDIR\sorvanto.exe could not be removed. Close ${NAME}, then click Retry."
LangString StartFromMenu ${LANG_PORTUGUESEBR} "Abra o ${NAME} pelo menu Iniciar."
LangString StartFromMenu ${LANG_ENGLISH} "Start ${NAME} from the Start menu."
LangString NeedsWindows10 ${LANG_PORTUGUESEBR} "O ${NAME} precisa do Windows 10 ou mais recente."
LangString NeedsWindows10 ${LANG_ENGLISH} "${NAME} needs Windows 10 or later."
LangString ElevationRefused ${LANG_PORTUGUESEBR} "O Windows não concedeu os direitos de administrador que isto exige."
LangString ElevationRefused ${LANG_ENGLISH} "Windows did not grant the administrator rights that this needs."
LangString NotElevated ${LANG_PORTUGUESEBR} "O Windows executou isto de novo sem os direitos de administrador que isto exige. Peça a um administrador que o execute."
LangString NotElevated ${LANG_ENGLISH} "Windows ran this again without the administrator rights that it needs. Ask an administrator to run it."
LangString EntryStayed ${LANG_PORTUGUESEBR} "Não foi possível remover o atalho ou a entrada do ${NAME} na lista de programas."
LangString EntryStayed ${LANG_ENGLISH} "${NAME}'s shortcut or its entry in the list of programs could not be removed."

Var Params
; "Admin" when this process runs elevated: UserInfo tells a filtered token from an elevated one.
Var Account
; AllUsers or CurrentUser, as the switches and the uninstall strings name them.
Var Mode
; 1 when the page asks whom to install for: the setup is not silent and no switch has chosen.
Var AskMode
Var CommandLineDir
Var AllUsersButton

!define SEE_MASK_NOCLOSEPROCESS 0x40
!define WAIT_TIMEOUT 258
!define MUTEX_RIGHTS 0x00100001 ; SYNCHRONIZE | MUTEX_MODIFY_STATE
!define MOVEFILE_REPLACE_EXISTING 1

; Whether this process runs elevated, in $Account; a run that Windows should have elevated and did not
; ends at once, with the status that says so, rather than asking for elevation again and again (where
; UAC is off, or for a standard user, "runas" gives back the same token). The tests' build believes
; itself unelevated, as Wine runs every process elevated.
!macro ACCOUNT
  UserInfo::GetAccountType
  Pop $Account
  !ifdef UNELEVATED
    StrCpy $Account "User"
  !endif
  ClearErrors
  ${GetOptions} $Params "/Elevated" $0
  ${IfNot} ${Errors}
  ${AndIf} $Account != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "$(NotElevated)" /SD IDOK
    SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
    Quit
  ${EndIf}
!macroend

; Runs this setup again, elevated, with the switches in $0, and ends with that run's status; returns
; when Windows does not allow it, having said so, with its error in $0.
!macro RUN_ELEVATED UN
Function ${UN}RunElevated
  System::Call '*(&l4, i ${SEE_MASK_NOCLOSEPROCESS}, p $HWNDPARENT, w "runas", w "$EXEPATH", w "/Elevated $0", \
    p 0, i ${SW_SHOWNORMAL}, i, p, p, p, p, i, i, p, p) p.r1'
  System::Call 'shell32::ShellExecuteExW(p r1) i.r2 ?e'
  Pop $0
  System::Call '*$1(i, i, p, p, p, p, p, i, i, p, p, p, p, i, i, p, p.r3)'
  System::Free $1
  ${If} $2 = 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(ElevationRefused)" /SD IDOK
    Return
  ${EndIf}
  HideWindow
  System::Call 'kernel32::WaitForSingleObject(p r3, i -1)'
  System::Call 'kernel32::GetExitCodeProcess(p r3, *i .r4)'
  System::Call 'kernel32::CloseHandle(p r3)'
  SetErrorLevel $4
  Quit
FunctionEnd
!macroend
!insertmacro RUN_ELEVATED ""
!insertmacro RUN_ELEVATED "un."

; Ends a running Sorvanto the way it ends when its window is closed, a dialog of its open or not, asking
; first when the setup is not silent. Its mutex is abandoned when its process has gone. Another user's
; program on this desktop denies the mutex but not its window; a program in another session is out of
; reach, and keeps its file in use, which fails the setup.
!macro END_PROGRAM UN
Function ${UN}EndProgram
  StrCpy $R2 -1
  ${Do}
    System::Call 'kernel32::OpenMutexW(i ${MUTEX_RIGHTS}, i 0, w "${RUNNING_MUTEX}") p.r0 ?e'
    Pop $1
    ${If} $0 P= 0
    ${AndIf} $1 <> ${ERROR_ACCESS_DENIED}
      ${ExitDo}
    ${EndIf}
    ${If} $R2 < 0
      MessageBox MB_OKCANCEL|MB_ICONINFORMATION "$(ProgramRunning)" /SD IDOK IDCANCEL give_up
      StrCpy $R2 0
    ${ElseIf} $R2 >= ${END_TIMEOUT}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramStillRunning)" /SD IDCANCEL IDCANCEL give_up
      StrCpy $R2 0
    ${EndIf}
    ${If} $R2 = 0
      System::Call 'kernel32::GetTickCount() i.R3'
      FindWindow $2 "${END_CLASS}"
      ${DoWhile} $2 P<> 0
        System::Call 'user32::PostMessageW(p r2, i ${WM_CLOSE}, p 0, p 0)'
        FindWindow $2 "${END_CLASS}" "" "" $2
      ${Loop}
    ${EndIf}
    ${If} $0 P= 0
      Sleep 250
    ${Else}
      System::Call 'kernel32::WaitForSingleObject(p r0, i 250) i.r3'
      ; Taken, it says that its owner has gone; another program may still hold it, unowned.
      ${If} $3 <> ${WAIT_TIMEOUT}
        System::Call 'kernel32::ReleaseMutex(p r0)'
        Sleep 50
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
    System::Call 'kernel32::GetTickCount() i.r4'
    IntOp $R2 $4 - $R3
  ${Loop}
  ; Windows may keep a program's file in use for a moment after its handles are gone.
  StrCpy $R2 0
  ${DoWhile} ${FileExists} "$INSTDIR\sorvanto.exe"
    ClearErrors
    FileOpen $0 "$INSTDIR\sorvanto.exe" a
    ${IfNot} ${Errors}
      FileClose $0
      ${ExitDo}
    ${EndIf}
    ${IfThen} $R2 >= 3000 ${|} ${ExitDo} ${|}
    Sleep 100
    IntOp $R2 $R2 + 100
  ${Loop}
  Return
give_up:
  System::Call 'kernel32::CloseHandle(p r0)'
  Abort
FunctionEnd
!macroend
!insertmacro END_PROGRAM ""
!insertmacro END_PROGRAM "un."

; An upgrade goes where the earlier install of that kind is ($0); a folder given with /D= comes first.
Function ChooseFolder
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
  ${If} $CommandLineDir != ""
    StrCpy $INSTDIR $CommandLineDir
  ${EndIf}
FunctionEnd

Function UseAllUsers
  StrCpy $Mode AllUsers
  SetShellVarContext all
  StrCpy $INSTDIR "$PROGRAMFILES64\${NAME}"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  Call ChooseFolder
FunctionEnd

Function UseCurrentUser
  StrCpy $Mode CurrentUser
  SetShellVarContext current
  GetKnownFolderPath $INSTDIR ${FOLDERID_UserProgramFiles}
  ${If} $INSTDIR == ""
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs"
  ${EndIf}
  StrCpy $INSTDIR "$INSTDIR\${NAME}"
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  Call ChooseFolder
FunctionEnd

; The elevated run gets the language chosen here and the folder /D= gave, which is never among $Params.
Function Elevate
  StrCpy $0 "/AllUsers /Language=$LANGUAGE $Params"
  ${If} $CommandLineDir != ""
    StrCpy $0 "$0 /D=$CommandLineDir"
  ${EndIf}
  Call RunElevated
FunctionEnd

Function .onInit
  StrCpy $CommandLineDir $INSTDIR
  ${GetParameters} $Params
  ClearErrors
  ${GetOptions} $Params "/Language=" $0
  ${If} ${Errors}
    !insertmacro MUI_LANGDLL_DISPLAY
  ${Else}
    StrCpy $LANGUAGE $0
  ${EndIf}
  ${IfNot} ${AtLeastWin10}
    MessageBox MB_OK|MB_ICONSTOP "$(NeedsWindows10)" /SD IDOK
    SetErrorLevel ${ERROR_OLD_WIN_VERSION}
    Quit
  ${EndIf}
  !insertmacro ACCOUNT

  ; An earlier install is upgraded; a first one is for all users only where the setup runs elevated.
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $1 != ""
    Call UseAllUsers
  ${ElseIf} $2 != ""
    Call UseCurrentUser
  ${ElseIf} $Account == "Admin"
    Call UseAllUsers
  ${Else}
    Call UseCurrentUser
  ${EndIf}
  StrCpy $AskMode 1
  ${If} ${Silent}
    StrCpy $AskMode 0
  ${EndIf}
  ClearErrors
  ${GetOptions} $Params "/CurrentUser" $0
  ${IfNot} ${Errors}
    StrCpy $AskMode 0
    Call UseCurrentUser
  ${EndIf}
  ClearErrors
  ${GetOptions} $Params "/AllUsers" $0
  ${IfNot} ${Errors}
    StrCpy $AskMode 0
    Call UseAllUsers
  ${EndIf}

  ; Where no page asks, an install for all users is elevated at once.
  ${If} $Mode == AllUsers
  ${AndIf} $Account != "Admin"
  ${AndIf} $AskMode = 0
    Call Elevate
    SetErrorLevel $0
    Quit
  ${EndIf}
FunctionEnd

Function ModePage
  ${If} $AskMode = 0
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "$(MULTIUSER_TEXT_INSTALLMODE_TITLE)" "$(MULTIUSER_TEXT_INSTALLMODE_SUBTITLE)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 40u "$(MULTIUSER_INNERTEXT_INSTALLMODE_TOP)"
  Pop $0
  ${NSD_CreateRadioButton} 10u 50u -10u 12u "$(MULTIUSER_INNERTEXT_INSTALLMODE_CURRENTUSER)"
  Pop $1
  ${NSD_OnClick} $1 ShowShield
  ${NSD_CreateRadioButton} 10u 66u -10u 12u "$(MULTIUSER_INNERTEXT_INSTALLMODE_ALLUSERS)"
  Pop $AllUsersButton
  ${NSD_OnClick} $AllUsersButton ShowShield
  ${If} $Mode == AllUsers
    ${NSD_Check} $AllUsersButton
  ${Else}
    ${NSD_Check} $1
  ${EndIf}
  Push $AllUsersButton
  Call ShowShield
  nsDialogs::Show
FunctionEnd

; Without the choice of users before it, the license is the first page, with no way back.
Function LicenseShow
  ${If} $AskMode = 0
    GetDlgItem $0 $HWNDPARENT 3
    EnableWindow $0 0
  ${EndIf}
FunctionEnd

; Windows marks the button that leads to its prompt for elevation with a shield.
Function ShowShield
  Pop $0
  ${NSD_GetState} $AllUsersButton $0
  ${If} $0 = ${BST_CHECKED}
  ${AndIf} $Account != "Admin"
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  GetDlgItem $1 $HWNDPARENT 1
  SendMessage $1 ${BCM_SETSHIELD} 0 $0
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $AllUsersButton $0
  ${If} $0 <> ${BST_CHECKED}
    Call UseCurrentUser
  ${ElseIf} $Account == "Admin"
    Call UseAllUsers
  ${Else}
    Call Elevate
    ; Not allowed: the page stays, for another choice.
    Abort
  ${EndIf}
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${BCM_SETSHIELD} 0 0
FunctionEnd

!define CLSID_ShellWindows {9BA05972-F6A8-11CF-A442-00A0C90A8F39}
!define IID_IShellWindows {85CB6900-4D95-11CF-960C-0080C7F4EE85}
!define IID_IServiceProvider {6D5140C1-7436-11CE-8034-00AA006009FA}
!define SID_STopLevelBrowser {4C96BE40-915C-11CF-99D3-00AA004AE837}
!define IID_IShellBrowser {000214E2-0000-0000-C000-000000000046}
!define IID_IDispatch {00020400-0000-0000-C000-000000000046}
!define IID_IShellFolderViewDual {E7A1AF80-4D96-11CF-960C-0080C7F4EE85}
!define IID_IShellDispatch2 {A4C6892C-3BA9-11D2-9DEA-00C04FB16162}

; The program runs as the user who is logged on, never elevated as this setup may run: an elevated
; setup asks the desktop's Explorer to start it, through the Shell.Application object of the desktop's
; own view. Each interface it reaches is kept on the stack, to be released at the end.
Function StartProgram
  ${If} $Account != "Admin"
    Exec '"$INSTDIR\sorvanto.exe"'
    Return
  ${EndIf}
  Push ""
  ; The desktop's place (VT_I4, CSIDL_DESKTOP) and an empty VARIANT.
  System::Call '*(&i2 3, &i2, &i2, &i2, l 0, l 0) p.R0'
  System::Call '*(l 0, l 0, l 0) p.R1'
  System::Call 'ole32::CoCreateInstance(g "${CLSID_ShellWindows}", p 0, i 0x17, g "${IID_IShellWindows}", *p .r1) i.r0'
  IntCmp $0 0 0 release release
  Push $1
  System::Call '$1->15(p R0, p R1, i 8, *i .r2, i 1, *p .r1) i.r0' ; FindWindowSW(SWC_DESKTOP, SWFO_NEEDDISPATCH)
  IntCmp $0 0 0 release release
  Push $1
  System::Call '$1->0(g "${IID_IServiceProvider}", *p .r1) i.r0'
  IntCmp $0 0 0 release release
  Push $1
  System::Call '$1->3(g "${SID_STopLevelBrowser}", g "${IID_IShellBrowser}", *p .r1) i.r0' ; QueryService
  IntCmp $0 0 0 release release
  Push $1
  System::Call '$1->15(*p .r1) i.r0' ; QueryActiveShellView
  IntCmp $0 0 0 release release
  Push $1
  System::Call '$1->15(i 0, g "${IID_IDispatch}", *p .r1) i.r0' ; GetItemObject(SVGIO_BACKGROUND)
  IntCmp $0 0 0 release release
  Push $1
  System::Call '$1->0(g "${IID_IShellFolderViewDual}", *p .r1) i.r0'
  IntCmp $0 0 0 release release
  Push $1
  System::Call '$1->7(*p .r1) i.r0' ; get_Application
  IntCmp $0 0 0 release release
  Push $1
  System::Call '$1->0(g "${IID_IShellDispatch2}", *p .r1) i.r0'
  IntCmp $0 0 0 release release
  Push $1
  System::Call 'oleaut32::SysAllocString(w "$INSTDIR\sorvanto.exe") p.r2'
  System::Call '$1->31(p r2, p R1, p R1, p R1, p R1) i.r0' ; ShellExecute
  System::Call 'oleaut32::SysFreeString(p r2)'
release:
  System::Free $R0
  System::Free $R1
  ${Do}
    Pop $1
    ${IfThen} $1 == "" ${|} ${ExitDo} ${|}
    System::Call '$1->2()'
  ${Loop}
  ${If} $0 <> 0
    MessageBox MB_OK|MB_ICONINFORMATION "$(StartFromMenu)"
  ${EndIf}
FunctionEnd

Section
  Call EndProgram
  ClearErrors
  SetOutPath "$INSTDIR"
  File "/oname=sorvanto.exe" "${PROGRAM}"
  ; What the list of programs runs (src/uninstall.cpp), and this setup's own uninstaller, which it runs.
  File "/oname=uninstall.exe" "${UNINSTALLER}"
  WriteUninstaller "$INSTDIR\sorvanto-uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\sorvanto.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sorvanto.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$Mode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$Mode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} ${Errors}
    Abort "$(NotInstalled)"
  ${EndIf}
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The uninstaller works on the install its entry in the list of programs names (/AllUsers or
; /CurrentUser), else on the one in its own folder.
Function un.onInit
  ${GetParameters} $Params
  !insertmacro ACCOUNT
  StrCpy $Mode CurrentUser
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $Mode AllUsers
  ${EndIf}
  ClearErrors
  ${GetOptions} $Params "/CurrentUser" $0
  ${IfNot} ${Errors}
    StrCpy $Mode CurrentUser
  ${EndIf}
  ClearErrors
  ${GetOptions} $Params "/AllUsers" $0
  ${IfNot} ${Errors}
    StrCpy $Mode AllUsers
  ${EndIf}
  ${If} $Mode == CurrentUser
    SetShellVarContext current
  ${ElseIf} $Account == "Admin"
    SetShellVarContext all
  ${Else}
    ; Run where this one runs, a copy of it, and not copied once more.
    StrCpy $0 "/AllUsers $Params _?=$INSTDIR"
    Call un.RunElevated
    SetErrorLevel $0
    Quit
  ${EndIf}
FunctionEnd

; The program keeps no settings: its files, its shortcut and its key are all there is. The entry in
; the list of programs goes only with the program's file.
Section "Uninstall"
again:
  Call un.EndProgram
  Delete "$INSTDIR\sorvanto.exe"
  ${If} ${FileExists} "$INSTDIR\sorvanto.exe"
    MessageBox MB_RETRYCANCEL|MB_ICONSTOP "$(NotRemoved)" /SD IDCANCEL IDRETRY again
    Abort
  ${EndIf}
  Delete "$INSTDIR\sorvanto-uninstall.exe"
  Delete "$INSTDIR\uninstall.exe"
  ; Run by the list of programs, uninstall.exe waits for this one to end: its file cannot be deleted
  ; while it runs, but may be moved to Windows' folder for temporary files, where it goes at the next
  ; start; on another drive, it goes from its folder then.
  ${If} ${FileExists} "$INSTDIR\uninstall.exe"
    GetTempFileName $0
    System::Call 'kernel32::MoveFileExW(w "$INSTDIR\uninstall.exe", w r0, i ${MOVEFILE_REPLACE_EXISTING}) i.r1'
    ${If} $1 = 0
      StrCpy $0 "$INSTDIR\uninstall.exe"
      SetErrorLevel ${ERROR_SUCCESS_REBOOT_REQUIRED}
    ${EndIf}
    Delete /REBOOTOK $0
  ${EndIf}
  RMDir /REBOOTOK "$INSTDIR"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "DisplayName"
  ${If} ${FileExists} "$SMPROGRAMS\${NAME}.lnk"
  ${OrIf} $0 != ""
    Abort "$(EntryStayed)"
  ${EndIf}
SectionEnd
