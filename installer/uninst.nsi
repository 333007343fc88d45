; uninst.exe of the demo pack: removes titles that the pack's package list names.
;
; Built by CMake once per edition, like inst.nsi.
; Options:   /S              silent
;            /TITLES=a,b     remove exactly these title ids (default: every title offered)
; The same options may come from the environment variable PACK_DEMO_UNINST_OPTIONS (tests and the
; demo tour use it); it is read only by this demo uninstaller.
; Exit codes: see pack.nsh.
;
; It removes only the folders that inst.exe creates (the install root and the title's id), never
; a folder named by the registry: a title's values may point anywhere.

Unicode true
Target ${PACK_TARGET}
!include "pack.nsh"
!include "${PACK_EDITION_FILE}"
!include MUI2.nsh

Name "${PACK_EDITION_NAME}"
Caption "${PACK_EDITION_NAME} アンインストール"
OutFile "${PACK_OUTFILE}"
RequestExecutionLevel admin
ManifestDPIAware true
BrandingText " "
ShowInstDetails show
; The launcher's buttons show the result; errors stop with a message first.
AutoCloseWindow true

!define MUI_ICON "${PACK_ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "アンインストールするタイトルを選んでください。"
!define MUI_PAGE_HEADER_TEXT "タイトルの削除"
!define MUI_PAGE_HEADER_SUBTEXT "削除するタイトルを選んでください。"
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_HEADER_TEXT "削除しています"
!define MUI_PAGE_HEADER_SUBTEXT " "
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "削除が完了しました"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT " "
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!include "messages.nsh"
!insertmacro PackVersionInfo uninst.exe "${PACK_EDITION_NAME} アンインストーラー"

; Unregisters the title, then removes its folder below the install root.
!macro PackRemoveTitle ID EXE NAME
  Section "${NAME}" sec_${ID}
    SetOutPath "$TEMP"
    !insertmacro PackRegistrationTool 'unregister ${ID}'
    ${If} $R9 != 0
      !insertmacro PackFail ${EXIT_REGISTRATION} "$(PackRegistrationError) $R9): ${ID}"
    ${EndIf}
    StrCpy $R0 "${PACK_INSTALL_ROOT}\${ID}"
    ClearErrors
    RMDir /r "$R0"
    ${If} ${Errors}
    ${OrIf} ${FileExists} "$R0\*.*"
      !insertmacro PackFail ${EXIT_FILES} "$(PackRemoveError) $R0"
    ${EndIf}
  SectionEnd
!macroend
!define PackTitle "!insertmacro PackRemoveTitle"
!insertmacro PackEditionTitles
!undef PackTitle

Section "-Remove the empty install root"
  ; Only when empty: another edition's titles may still be there.
  RMDir "${PACK_INSTALL_ROOT}"
SectionEnd

; Offers the title when the package list names it.
!macro PackOfferIfListed ID EXE NAME
  Push ",$R7,"
  Push ",${ID},"
  Call PackContains
  Pop $0
  ${If} $0 == 1
    !insertmacro PackOffer ${sec_${ID}} ${ID}
  ${Else}
    !insertmacro PackWithhold ${sec_${ID}}
  ${EndIf}
!macroend

Function .onInit
  !insertmacro PackReadOptions PACK_DEMO_UNINST_OPTIONS
  !insertmacro PackHoldMutex "${PACK_UNINSTALLER_MUTEX}" "${PACK_INSTALLER_MUTEX}"
  !insertmacro PackExtractRegistrationTool
  ReadRegStr $R7 HKLM "${PACK_LIST_KEY}" "${PACK_LIST_VALUE}"
  StrCpy $PackOffered ","
  !define PackTitle "!insertmacro PackOfferIfListed"
  !insertmacro PackEditionTitles
  !undef PackTitle
  !insertmacro PackCheckChoice
FunctionEnd
