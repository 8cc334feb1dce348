; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer. Two modes: just for the current user (the default, no
; administrator rights: the user's own programs folder, the user's Start menu
; and registry) or for everyone (Program Files, the machine's Start menu and
; registry, after the system's elevation prompt). /S with /CurrentUser or
; /AllUsers chooses a mode silently.
; makensis -DVERSION=… -DSTAGE=<folder with the files> -DSOURCE=<source tree>
;          -DOUTFILE=<installer> installer.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; File times are not stored: the same files make the same installer.
SetDateSave off
ManifestDPIAware true
RequestExecutionLevel user

!define NAME "Zelvamirontica"
!define EXE "zelvamirontica.exe"
; The console program for logs and tables, beside the window's exe.
!define BATCH_EXE "zelvamirontica-batch.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME}"
OutFile "${OUTFILE}"
BrandingText "${NAME} ${VERSION}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} ${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${NAME}"
VIAddVersionKey /LANG=0 "LegalCopyright" "GPL-3.0-or-later"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

!define MUI_ICON "${SOURCE}/ui/resources/zelvamirontica.ico"
!define MUI_UNICON "${SOURCE}/ui/resources/zelvamirontica.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SOURCE}/packaging/windows/wizard.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${SOURCE}/packaging/windows/wizard.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${SOURCE}/packaging/windows/header.bmp"
!define MUI_HEADERIMAGE_UNBITMAP "${SOURCE}/packaging/windows/header.bmp"
!define MUI_ABORTWARNING

Var Mode        ; CurrentUser or AllUsers
Var ModeJustMe
Var ModeEveryone

!insertmacro MUI_PAGE_WELCOME
; The license grants rights and asks nothing of a user: it is shown, not accepted.
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "$(LicenseForInformation)"
!insertmacro MUI_PAGE_LICENSE "${SOURCE}/LICENSE"
Page custom ModePage ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for systems in none of the others.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"

LangString LicenseForInformation ${LANG_ENGLISH} "This license asks nothing of you to use the program; it is shown for your information."
LangString LicenseForInformation ${LANG_ITALIAN} "Questa licenza non chiede nulla per usare il programma: è mostrata a titolo informativo."
LangString LicenseForInformation ${LANG_GERMAN} "Diese Lizenz verlangt für die Nutzung des Programms nichts von Ihnen; sie dient Ihrer Information."
LangString LicenseForInformation ${LANG_FRENCH} "Cette licence ne vous demande rien pour utiliser le programme ; elle est affichée pour information."
LangString LicenseForInformation ${LANG_SPANISH} "Esta licencia no le exige nada para usar el programa; se muestra a título informativo."
LangString ModeTitle ${LANG_ENGLISH} "Choose who can use ${NAME}"
LangString ModeTitle ${LANG_ITALIAN} "Scegliere chi potrà usare ${NAME}"
LangString ModeTitle ${LANG_GERMAN} "Wählen Sie, wer ${NAME} verwenden kann"
LangString ModeTitle ${LANG_FRENCH} "Choisissez qui pourra utiliser ${NAME}"
LangString ModeTitle ${LANG_SPANISH} "Elija quién podrá usar ${NAME}"
LangString ModeJustMe ${LANG_ENGLISH} "Just for me (no administrator rights needed)"
LangString ModeJustMe ${LANG_ITALIAN} "Solo per me (non servono i diritti di amministratore)"
LangString ModeJustMe ${LANG_GERMAN} "Nur für mich (keine Administratorrechte nötig)"
LangString ModeJustMe ${LANG_FRENCH} "Pour moi uniquement (sans droits d'administrateur)"
LangString ModeJustMe ${LANG_SPANISH} "Solo para mí (no se necesitan derechos de administrador)"
LangString ModeEveryone ${LANG_ENGLISH} "For everyone who uses this computer (administrator rights needed)"
LangString ModeEveryone ${LANG_ITALIAN} "Per tutti gli utenti di questo computer (servono i diritti di amministratore)"
LangString ModeEveryone ${LANG_GERMAN} "Für alle Benutzer dieses Computers (Administratorrechte nötig)"
LangString ModeEveryone ${LANG_FRENCH} "Pour tous les utilisateurs de cet ordinateur (droits d'administrateur requis)"
LangString ModeEveryone ${LANG_SPANISH} "Para todos los usuarios de este equipo (se necesitan derechos de administrador)"

; Where each mode installs, and which Start menu and registry hive it uses.
!macro ApplyMode UN
Function ${UN}ApplyMode
    ${If} $Mode == AllUsers
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd
!macroend
!insertmacro ApplyMode ""
!insertmacro ApplyMode "un."

Function DefaultFolder
    ${If} $Mode == AllUsers
        StrCpy $INSTDIR "$PROGRAMFILES64\${NAME}"
    ${Else}
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${NAME}"
    ${EndIf}
FunctionEnd

; True (1) when this process has administrator rights in effect.
Function IsElevated
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
FunctionEnd

; For everyone needs rights this process may lack: the installer starts again
; through the system's elevation prompt, in that mode, and this copy ends.
Function ElevateIfNeeded
    ${If} $Mode == AllUsers
        Call IsElevated
        ${If} $0 != 1
            ${GetParameters} $1
            ExecShellWait "runas" "$EXEPATH" "$1 /AllUsers"
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Function .onInit
    StrCpy $Mode CurrentUser
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AllUsers" $1
    ${IfNot} ${Errors}
        StrCpy $Mode AllUsers
    ${EndIf}
    ClearErrors
    ${GetOptions} $0 "/CurrentUser" $1
    ${IfNot} ${Errors}
        StrCpy $Mode CurrentUser
    ${EndIf}
    Call ApplyMode
    Call DefaultFolder
    ${If} ${Silent}
        Call ElevateIfNeeded
    ${EndIf}
FunctionEnd

Function ModePage
    !insertmacro MUI_HEADER_TEXT "$(ModeTitle)" ""
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateRadioButton} 0 20u 100% 14u "$(ModeJustMe)"
    Pop $ModeJustMe
    ${NSD_AddStyle} $ModeJustMe ${WS_GROUP}
    ${NSD_CreateRadioButton} 0 40u 100% 14u "$(ModeEveryone)"
    Pop $ModeEveryone
    ${If} $Mode == AllUsers
        ${NSD_Check} $ModeEveryone
    ${Else}
        ${NSD_Check} $ModeJustMe
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function ModePageLeave
    ${NSD_GetState} $ModeEveryone $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $Mode AllUsers
    ${Else}
        StrCpy $Mode CurrentUser
    ${EndIf}
    Call ApplyMode
    Call DefaultFolder
    Call ElevateIfNeeded
FunctionEnd

Section
    ; A newer version replaces an older one of the same mode, wherever it went.
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == ""
        ; Older installers recorded only the uninstaller's path.
        ReadRegStr $1 SHCTX "${UNINSTALL_KEY}" "UninstallString"
        ${If} $1 != ""
            ${GetParent} $1 $0
        ${EndIf}
    ${EndIf}
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\Uninstall.exe"
        ExecWait '"$0\Uninstall.exe" /S /$Mode _?=$0'
        Delete "$0\Uninstall.exe"
        RMDir "$0"
    ${EndIf}

    SetOutPath "$INSTDIR"
    File "${STAGE}/${EXE}"
    File "${STAGE}/${BATCH_EXE}"
    File "${STAGE}/LICENSE.txt"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\${EXE}"

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "https://zelvamirontica.org/"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$Mode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S /$Mode'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
    ; The mode comes with the uninstall record's command; without it, the
    ; record that names this folder tells.
    StrCpy $Mode CurrentUser
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AllUsers" $1
    ${IfNot} ${Errors}
        StrCpy $Mode AllUsers
    ${Else}
        ClearErrors
        ${GetOptions} $0 "/CurrentUser" $1
        ${If} ${Errors}
            ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
            ${If} $1 == $INSTDIR
                StrCpy $Mode AllUsers
            ${EndIf}
        ${EndIf}
    ${EndIf}
    Call un.ApplyMode
FunctionEnd

Section "Uninstall"
    Delete "$INSTDIR\${EXE}"
    Delete "$INSTDIR\${BATCH_EXE}"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${NAME}.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
