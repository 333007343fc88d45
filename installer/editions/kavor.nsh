; The KAVOR edition (template 103): its titles in button order.
; One line per title: ${PackTitle} <title id> <executable name> "<name shown to the user>".
; The executable name is the file the launcher starts in the title's folder.
!define PACK_EDITION_NAME "ヴァルデンスペシャルパック KAVOR"

!macro PackEditionTitles
  ${PackTitle} kavor_mr1 mr1.exe "ミルフェリア"
  ${PackTitle} kavor_mr2 mr2.exe "ミルフェリア2"
  ${PackTitle} kavor_pq1 pq1.exe "ペチカルーン"
  ${PackTitle} kavor_mr3 mr3.exe "ミルフェリア3"
  ${PackTitle} kavor_pq2 pq2.exe "ヴァニエッタ"
  ${PackTitle} kavor_mrg mrg.exe "ミルフェリア123"
!macroend
