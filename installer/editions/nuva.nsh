; The Nuva edition (template 104): its titles in button order.
; One line per title: ${PackTitle} <title id> <executable name> "<name shown to the user>".
; The executable name is the file the launcher starts in the title's folder.
!define PACK_EDITION_NAME "ヴァルデンスペシャルパック Nuva"

!macro PackEditionTitles
  ${PackTitle} nuva_veloria veloria.exe "ヴェロリア"
  ${PackTitle} nuva_torvane torvane.exe "トルヴァネ"
  ${PackTitle} nuva_brisel brisel.exe "Brisel..."
  ${PackTitle} nuva_briselmv briselMV.exe "Brisel...Moonveil"
  ${PackTitle} nuva_keldra keldra.exe "ケルドラ"
  ${PackTitle} nuva_zalvie zalvie.exe "ザルヴィエ"
  ${PackTitle} nuva_orvina OrvinA.exe "オルヴィン!!A"
  ${PackTitle} nuva_orvins OrvinS.exe "オルヴィン!!S"
!macroend
