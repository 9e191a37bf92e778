# Writes the French manual page: po4a translates verifier-somme.1.in through po/fr.po
# into TRAVAIL (never into the sources), then the version and date are filled in.
# po/po4a.cfg asks for a complete translation: po4a writes nothing otherwise.
# Usage: cmake -DPO4A=... -DSOURCES=... -DTRAVAIL=... -DSORTIE=... -DVERSION=... -DDATE=...
#        -P traduire.cmake
file(REMOVE_RECURSE "${TRAVAIL}")
file(MAKE_DIRECTORY "${TRAVAIL}")
execute_process(
    COMMAND "${PO4A}" --no-update --srcdir "${SOURCES}" --destdir "${TRAVAIL}"
        "${SOURCES}/po/po4a.cfg"
    WORKING_DIRECTORY "${TRAVAIL}"
    RESULT_VARIABLE echec)
set(traduction "${TRAVAIL}/man/fr/verifier-somme.1.in")
if(echec OR NOT EXISTS "${traduction}")
    message(FATAL_ERROR "po/fr.po does not translate all of man/verifier-somme.1.in: "
        "run `po4a --no-translations po/po4a.cfg` at the top of the tree, "
        "then translate the new and fuzzy entries of po/fr.po")
endif()
configure_file("${traduction}" "${SORTIE}" @ONLY)
