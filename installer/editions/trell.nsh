; The TRELL edition (the default launcher, template 105): its titles in button order.
; One line per title: ${PackTitle} <title id> <executable name> "<name shown to the user>".
; The executable name is the file the launcher starts in the title's folder.
!define PACK_EDITION_NAME "ヴァルデンスペシャルパック TRELL"

!macro PackEditionTitles
  ${PackTitle} trell_dravel1 DRAVEL.exe "ドラヴェル"
  ${PackTitle} trell_dravel2 Dravel2.exe "ドラヴェル2"
  ${PackTitle} trell_dravel3 Dravel3.exe "ドラヴェル3"
  ${PackTitle} trell_dravel4 Dravel4.exe "ドラヴェル4"
  ${PackTitle} trell_dravel5 Dravel5.exe "ドラヴェル5"
  ${PackTitle} trell_dravelbb1 DravelBB1.exe "ドラヴェルBB-1"
  ${PackTitle} trell_dravelbb2 DravelBB2.exe "ドラヴェルBB-2"
!macroend
