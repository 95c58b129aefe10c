# Joins the help pages into the one help file the editor reads:
#   cmake -DLIST=pages.txt -DFOLDER=help -DOUTPUT=BMHelp.hlp -P help_file.cmake
# Each page "NAME.html" of the list is introduced by "<!-- page: NAME -->".
file(STRINGS "${LIST}" pages)
set(text "<!-- BMHelp.hlp: the help of 盤面工房, made from resources/help -->\n")
foreach(page IN LISTS pages)
    file(READ "${FOLDER}/${page}.html" body)
    string(APPEND text "<!-- page: ${page} -->\n${body}")
endforeach()
file(WRITE "${OUTPUT}.part" "${text}")
file(RENAME "${OUTPUT}.part" "${OUTPUT}")
