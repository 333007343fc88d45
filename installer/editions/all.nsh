; The edition of all 21 titles (template 102): its titles in button order.
; One line per title: ${PackTitle} <title id> <executable name> "<name shown to the user>".
; The executable name is the file the launcher starts in the title's folder.
!define PACK_EDITION_NAME "ヴァルデンスペシャルパック"

!macro PackEditionTitles
  ${PackTitle} kavor_mr1 mr1.exe "ミルフェリア"
  ${PackTitle} kavor_mr2 mr2.exe "ミルフェリア2"
  ${PackTitle} kavor_pq1 pq1.exe "ペチカルーン"
  ${PackTitle} kavor_mr3 mr3.exe "ミルフェリア3"
  ${PackTitle} kavor_pq2 pq2.exe "ヴァニエッタ"
  ${PackTitle} kavor_mrg mrg.exe "ミルフェリア123"
  ${PackTitle} nuva_veloria veloria.exe "ヴェロリア"
  ${PackTitle} nuva_torvane torvane.exe "トルヴァネ"
  ${PackTitle} nuva_brisel brisel.exe "Brisel..."
  ${PackTitle} nuva_briselmv briselMV.exe "Brisel...Moonveil"
  ${PackTitle} nuva_keldra keldra.exe "ケルドラ"
  ${PackTitle} nuva_zalvie zalvie.exe "ザルヴィエ"
  ${PackTitle} nuva_orvina OrvinA.exe "オルヴィン!!A"
  ${PackTitle} nuva_orvins OrvinS.exe "オルヴィン!!S"
  ${PackTitle} trell_dravel1 DRAVEL.exe "ドラヴェル"
  ${PackTitle} trell_dravel2 Dravel2.exe "ドラヴェル2"
  ${PackTitle} trell_dravel3 Dravel3.exe "ドラヴェル3"
  ${PackTitle} trell_dravel4 Dravel4.exe "ドラヴェル4"
  ${PackTitle} trell_dravel5 Dravel5.exe "ドラヴェル5"
  ${PackTitle} trell_dravelbb1 DravelBB1.exe "ドラヴェルBB-1"
  ${PackTitle} trell_dravelbb2 DravelBB2.exe "ドラヴェルBB-2"
!macroend
