; inst.exe of the demo pack: installs the edition's titles that are not installed yet.
;
; Built by CMake once per edition:
;   makensis -INPUTCHARSET UTF8 -DPACK_TARGET=x86-unicode -DPACK_EDITION_FILE=editions/trell.nsh
;            -DPACKREG_EXE=... -DDEMO_TITLE_EXE=... -DPACK_ICON=... -DPACK_OUTFILE=... inst.nsi
;
; The launcher starts it with the launcher's own path as the whole (unquoted) parameter string;
; it is not needed here and is ignored.
; Options:   /S              silent
;            /TITLES=a,b     install exactly these title ids (default: every title offered)
; The same options may come from the environment variable PACK_DEMO_INST_OPTIONS (tests and the
; demo tour use it, since the launcher passes none); it is read only by this demo installer.
; Exit codes: see pack.nsh.

Unicode true
Target ${PACK_TARGET}
!include "pack.nsh"
!include "${PACK_EDITION_FILE}"
!include MUI2.nsh

Name "${PACK_EDITION_NAME}"
Caption "${PACK_EDITION_NAME} インストール"
OutFile "${PACK_OUTFILE}"
; Titles register under HKEY_LOCAL_MACHINE; Windows asks for elevation before start.
RequestExecutionLevel admin
ManifestDPIAware true
BrandingText " "
ShowInstDetails show
; The launcher's buttons show the result; errors stop with a message first.
AutoCloseWindow true

!define MUI_ICON "${PACK_ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "インストールするタイトルを選んでください。"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!include "messages.nsh"
!insertmacro PackVersionInfo inst.exe "${PACK_EDITION_NAME} インストーラー"

; Creates the title's folder, puts the demo program there under the title's executable name, and
; registers the folder. A title whose registration fails leaves no folder behind.
!macro PackInstallTitle ID EXE NAME
  Section "${NAME}" sec_${ID}
    StrCpy $R0 "${PACK_INSTALL_ROOT}\${ID}"
    ClearErrors
    CreateDirectory "$R0"
    SetOutPath "$R0"
    File /nonfatal "/oname=${EXE}" "${DEMO_TITLE_EXE}"
    ${If} ${Errors}
    ${OrIfNot} ${FileExists} "$R0\${EXE}"
      !insertmacro PackFail ${EXIT_FILES} "$(PackFileError) $R0"
    ${EndIf}
    SetOutPath "$TEMP"
    !insertmacro PackRegistrationTool 'register ${ID} --dir "$R0" --src "$R8"'
    ${If} $R9 != 0
      RMDir /r "$R0"
      !insertmacro PackFail ${EXIT_REGISTRATION} "$(PackRegistrationError) $R9): ${ID}"
    ${EndIf}
  SectionEnd
!macroend
!define PackTitle "!insertmacro PackInstallTitle"
!insertmacro PackEditionTitles
!undef PackTitle

; Offers the title unless packreg.exe says it is installed (exit code 0).
!macro PackOfferIfMissing ID EXE NAME
  !insertmacro PackRegistrationTool 'status ${ID}'
  ${If} $R9 == 0
    !insertmacro PackWithhold ${sec_${ID}}
  ${Else}
    !insertmacro PackOffer ${sec_${ID}} ${ID}
  ${EndIf}
!macroend

Function .onInit
  !insertmacro PackReadOptions PACK_DEMO_INST_OPTIONS
  !insertmacro PackHoldMutex "${PACK_INSTALLER_MUTEX}" "${PACK_UNINSTALLER_MUTEX}"
  !insertmacro PackExtractRegistrationTool
  StrCpy $PackOffered ","
  !define PackTitle "!insertmacro PackOfferIfMissing"
  !insertmacro PackEditionTitles
  !undef PackTitle
  !insertmacro PackCheckChoice
  ; The source the titles register: the pack's folder, without a trailing backslash, which
  ; would escape the closing quote of its argument.
  StrCpy $R8 "$EXEDIR"
  ${If} $R8 S!= ""
    StrCpy $0 $R8 "" -1
    ${If} $0 == "\"
      StrCpy $R8 $R8 -1
    ${EndIf}
  ${EndIf}
FunctionEnd
