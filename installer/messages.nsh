; The installer's and uninstaller's own messages and font. Include after the pages' language.
LangString PackBusy ${LANG_JAPANESE} "パックのインストーラーまたはアンインストーラーが既に起動中です。"
LangString PackNothing ${LANG_JAPANESE} "対象のタイトルがありません。"
LangString PackBadTitle ${LANG_JAPANESE} "選べないタイトルが指定されました:"
LangString PackFileError ${LANG_JAPANESE} "フォルダーを書き込めませんでした:"
LangString PackRemoveError ${LANG_JAPANESE} "フォルダーを削除できませんでした:"
LangString PackRegistrationError ${LANG_JAPANESE} "登録ツールが失敗しました (終了コード"

; The dialog font that Japanese Windows has under this name (and the test prefix maps to a
; Japanese font); the language file's own choice is not found everywhere.
SetFont /LANG=${LANG_JAPANESE} "MS UI Gothic" 9
