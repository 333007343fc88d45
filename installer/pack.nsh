; What the demo pack's installer and uninstaller share: the guard mutexes, the demo install root,
; the registration tool, and the choice of titles from the command line.
;
; A publisher adapting these scripts changes PACK_INSTALL_ROOT (and the install step in inst.nsi)
; and keeps the rest: the mutex names and the package list are the launcher's contract, copied
; from contract/pack_contract.h (a host test keeps them equal), and packreg.exe is the only thing
; that writes the registry.

!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include Sections.nsh

; The launcher refuses to start while either of these is held, and shows the installer its path.
!define PACK_INSTALLER_MUTEX "morvex.E8DBEBED-4ED7-4A60-888F-320F91D34B7F.inst"
!define PACK_UNINSTALLER_MUTEX "morvex.E8DBEBED-4ED7-4A60-888F-320F91D34B7F.uninst"

; Every title goes into its own folder below this root, named by its title id. The uninstaller
; removes only such folders, whatever the registry says a title's folder is.
!define PACK_INSTALL_ROOT "$LOCALAPPDATA\Delvarin Demo Pack"

; Read-only view of the package list; changes go through packreg.exe.
!define PACK_LIST_KEY "Software\Delvarin\morvex"
!define PACK_LIST_VALUE "installed_package_list"

; Exit codes beyond the tool's own (0 done, 1 cancelled by the user, 2 stopped by the script).
!define EXIT_BAD_TITLES 3     ; /TITLES= names a title that is not offered
!define EXIT_BUSY 4           ; another installer or uninstaller of the pack runs
!define EXIT_FILES 5          ; a title's folder or program could not be written or removed
!define EXIT_REGISTRATION 6   ; packreg.exe refused a change (its own exit code is shown)
!define EXIT_NOTHING_TO_DO 7  ; no title to offer

; Options come from the command line and, for tests and the demo tour, from an environment
; variable, because the launcher passes the installer nothing but its own path.
Var PackOptions
; The ids of the titles that this run offers, as ",id1,id2,".
Var PackOffered
; The titles chosen with /TITLES=, or empty when the user chooses.
Var PackChosen

; Sets PackOptions from the command line and the environment variable, and goes silent on /S.
!macro PackReadOptions ENV_NAME
  ${GetParameters} $PackOptions
  ReadEnvStr $0 "${ENV_NAME}"
  StrCpy $PackOptions "$PackOptions $0"
  ClearErrors
  ${GetOptions} "$0" "/S" $1
  ${IfNot} ${Errors}
    SetSilent silent
  ${EndIf}
  ClearErrors
  ${GetOptions} "$PackOptions" "/TITLES=" $PackChosen
  ${If} ${Errors}
    StrCpy $PackChosen ""
  ${EndIf}
!macroend

; Holds the named mutex until the process ends; leaves if this program, or the other one of the
; pair, already runs.
!macro PackHoldMutex OWN OTHER
  System::Call 'kernel32::CreateMutexW(p 0, i 1, w "${OWN}") p .r1 ?e'
  Pop $2
  ${If} $1 P= 0
  ${OrIf} $2 = 183  ; ERROR_ALREADY_EXISTS
    !insertmacro PackFail ${EXIT_BUSY} "$(PackBusy)"
  ${EndIf}
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${OTHER}") p .r3'
  ${If} $3 P<> 0
    System::Call 'kernel32::CloseHandle(p r3)'
    !insertmacro PackFail ${EXIT_BUSY} "$(PackBusy)"
  ${EndIf}
!macroend

; Shows the message (unless silent), sets the exit code and stops: in a callback it ends the
; program, in a section it ends the installation.
!macro PackFail CODE MESSAGE
  SetErrorLevel ${CODE}
  DetailPrint "${MESSAGE}"
  MessageBox MB_OK|MB_ICONSTOP "${MESSAGE}" /SD IDOK
  Abort
!macroend

; Puts packreg.exe, carried inside this program, into the temporary plug-ins folder.
!macro PackExtractRegistrationTool
  InitPluginsDir
  File "/oname=$PLUGINSDIR\packreg.exe" "${PACKREG_EXE}"
!macroend

; Runs packreg.exe with ARGS and leaves its exit code in $R9 ("error" when it did not start).
!macro PackRegistrationTool ARGS
  nsExec::ExecToLog '"$PLUGINSDIR\packreg.exe" ${ARGS}'
  Pop $R9
!macroend

; Marks section SECTION as offered (and chosen when /TITLES= names ID, or when nothing was named).
!macro PackOffer SECTION ID
  StrCpy $PackOffered "$PackOffered${ID},"
  ${If} $PackChosen == ""
    !insertmacro SelectSection ${SECTION}
  ${Else}
    Push ",$PackChosen,"
    Push ",${ID},"
    Call PackContains
    Pop $0
    ${If} $0 == 1
      !insertmacro SelectSection ${SECTION}
    ${Else}
      !insertmacro UnselectSection ${SECTION}
    ${EndIf}
  ${EndIf}
!macroend

; Hides section SECTION: its title is not offered in this run.
!macro PackWithhold SECTION
  !insertmacro UnselectSection ${SECTION}
  SectionSetText ${SECTION} ""
!macroend

; Stops unless every id of /TITLES= is offered, and unless there is anything to offer at all.
!macro PackCheckChoice
  ${If} $PackOffered == ","
    !insertmacro PackFail ${EXIT_NOTHING_TO_DO} "$(PackNothing)"
  ${EndIf}
  ${If} $PackChosen != ""
    ; The appended "," makes a single id count as one word.
    ${WordFind} "$PackChosen," "," "#" $R0
    ${For} $R1 1 $R0
      ${WordFind} "$PackChosen," "," "+$R1" $R2
      Push "$PackOffered"
      Push ",$R2,"
      Call PackContains
      Pop $0
      ${If} $0 != 1
        !insertmacro PackFail ${EXIT_BAD_TITLES} "$(PackBadTitle) $R2"
      ${EndIf}
    ${Next}
  ${EndIf}
!macroend

; Pushes 1 when the haystack (pushed first) holds the needle (pushed second), case-sensitively;
; 0 otherwise.
Function PackContains
  Exch $R1  ; needle
  Exch
  Exch $R0  ; haystack
  Push $R2
  Push $R3
  Push $R4
  StrLen $R2 $R1
  StrCpy $R3 0
  StrCpy $R4 ""
  ${Do}
    StrCpy $R4 $R0 $R2 $R3
    ${If} $R4 S== $R1
      StrCpy $R4 1
      ${Break}
    ${ElseIf} $R4 == ""
      StrCpy $R4 0
      ${Break}
    ${EndIf}
    IntOp $R3 $R3 + 1
  ${Loop}
  StrCpy $R0 $R4
  Pop $R4
  Pop $R3
  Pop $R2
  Exch $R0  ; the caller's $R0 back, the result on top
  Exch
  Pop $R1
FunctionEnd

; The pack's version (from the build) in the program's own version information.
!macro PackVersionInfo FILE_NAME DESCRIPTION
  VIProductVersion "${PACK_VERSION_QUAD}"
  VIFileVersion "${PACK_VERSION_QUAD}"
  VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PACK_EDITION_NAME}"
  VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "Delvarin"
  VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (C) Delvarin. All rights reserved."
  VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${DESCRIPTION}"
  VIAddVersionKey /LANG=${LANG_JAPANESE} "OriginalFilename" "${FILE_NAME}"
  VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${PACK_VERSION}"
  VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${PACK_VERSION}"
!macroend

; Files keep the time they are installed at, not the build machine's: the program's bytes then
; depend only on the sources.
SetDateSave off

; A release build signs the written program (the command takes its path); a failed signature
; fails the build.
!ifdef PACK_SIGN_COMMAND
  !finalize '"${PACK_SIGN_COMMAND}" "%1"' = 0
!endif
