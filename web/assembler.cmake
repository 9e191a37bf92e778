# The page as emcc takes it: page.html (MODELE) with the bundled script (SCRIPT) in place
# of the comment that marks where it goes, written to PAGE.
file(READ "${MODELE}" page)
file(READ "${SCRIPT}" script)
set(marque "<!-- the page's script, web/page.mjs and its modules, bundled -->")
string(FIND "${page}" "${marque}" position)
if(position EQUAL -1)
    message(FATAL_ERROR "${MODELE} has no line '${marque}' for the page's script")
endif()
string(REPLACE "${marque}" "<script>\n${script}</script>" page "${page}")
file(WRITE "${PAGE}" "${page}")
