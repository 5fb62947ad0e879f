; The Windows installer, made by scripts/windows.sh: makensis -DVERSION=x.y.z -DOUT=build-windows
; -DOUTFILE=<setup.exe>, with the file lists it writes into OUT. Installs for the current user without administrator rights, or for
; all users when started as administrator; /CurrentUser or /AllUsers chooses outright.
; Registers .npc and .edt with the same keys as the program's own registration.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define APP Scrivlet
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Scrivlet"
!define NPC_CLASS "Scrivlet"
!define NPC_DESCRIPTION "NPC-Script for Korvan"
!define EDT_CLASS "Scrivlet.Edt"

Name "${APP}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "${APP}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка ${APP}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "Scrivlet developers"

!define MUI_ICON "${OUT}/build/icon-pictures/scrivlet.ico"
!define MUI_UNICON "${OUT}/build/icon-pictures/scrivlet.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\scrivlet.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Запустить Scrivlet"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

LangString NeedAdmin ${LANG_RUSSIAN} "Для установки для всех пользователей нужны права администратора."
LangString NpcType ${LANG_RUSSIAN} "Скрипт NPC игры Korvan"
LangString EdtType ${LANG_RUSSIAN} "Диалоги NPC игры Korvan"
LangString ManualLink ${LANG_RUSSIAN} "Руководство Scrivlet"

Var AllUsers

; All users when the installer runs as administrator, unless told otherwise.
!macro ChooseScope un
Function ${un}ChooseScope
    StrCpy $AllUsers 0
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
        StrCpy $AllUsers 1
    ${EndIf}
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/CurrentUser" $2
    ${IfNot} ${Errors}
        StrCpy $AllUsers 0
    ${EndIf}
    ClearErrors
    ${GetOptions} $1 "/AllUsers" $2
    ${IfNot} ${Errors}
        ${If} $0 != "Admin"
            MessageBox MB_ICONSTOP "$(NeedAdmin)" /SD IDOK
            Abort
        ${EndIf}
        StrCpy $AllUsers 1
    ${EndIf}
    ${If} $AllUsers == 1
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd
!macroend
!insertmacro ChooseScope ""
!insertmacro ChooseScope "un."

Function .onInit
    SetRegView 64
    Call ChooseScope
    ; A folder given with /D= stays.
    ${If} $INSTDIR == ""
        ${If} $AllUsers == 1
            StrCpy $INSTDIR "$PROGRAMFILES64\${APP}"
        ${Else}
            StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${APP}"
        ${EndIf}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
    ; The scope the program was installed in: the one whose uninstall entry names this folder.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        SetShellVarContext all
        StrCpy $AllUsers 1
    ${Else}
        SetShellVarContext current
        StrCpy $AllUsers 0
    ${EndIf}
FunctionEnd

!macro FileClass class description
    WriteRegStr SHCTX "Software\Classes\${class}" "" "${description}"
    WriteRegStr SHCTX "Software\Classes\${class}\DefaultIcon" "" "$INSTDIR\scrivlet.exe,0"
    WriteRegStr SHCTX "Software\Classes\${class}\Shell\Open\Command" "" '"$INSTDIR\scrivlet.exe" "%1"'
!macroend

Section
    SetOutPath "$INSTDIR"
    !include "${OUT}/installer-files.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\scrivlet.exe"
    CreateShortcut "$SMPROGRAMS\$(ManualLink).lnk" "$INSTDIR\doc\manual.html"

    ; The class name and description are the program's own (it registers them itself when
    ; they are missing); the Russian name is what Explorer shows.
    WriteRegStr SHCTX "Software\Classes\.npc" "" "${NPC_CLASS}"
    !insertmacro FileClass "${NPC_CLASS}" "${NPC_DESCRIPTION}"
    WriteRegStr SHCTX "Software\Classes\${NPC_CLASS}" "FriendlyTypeName" "$(NpcType)"
    WriteRegStr SHCTX "Software\Classes\.edt" "" "${EDT_CLASS}"
    !insertmacro FileClass "${EDT_CLASS}" "$(EdtType)"

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Scrivlet developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\scrivlet.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; A key is removed only while it is still ours: another program may have taken the type.
!macro RemoveFileType extension class
    ReadRegStr $0 SHCTX "Software\Classes\${extension}" ""
    ${If} $0 == "${class}"
        DeleteRegKey SHCTX "Software\Classes\${extension}"
    ${EndIf}
    DeleteRegKey SHCTX "Software\Classes\${class}"
!macroend

Section "Uninstall"
    !include "${OUT}/uninstaller-files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ; The user's own programs folder, when the installer made it and nothing else is in it.
    ${If} $AllUsers == 0
        RMDir "$LOCALAPPDATA\Programs"
    ${EndIf}
    Delete "$SMPROGRAMS\${APP}.lnk"
    Delete "$SMPROGRAMS\$(ManualLink).lnk"
    !insertmacro RemoveFileType ".npc" "${NPC_CLASS}"
    !insertmacro RemoveFileType ".edt" "${EDT_CLASS}"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
