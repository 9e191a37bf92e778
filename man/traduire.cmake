# Writes the French manual page: po4a translates verifier-somme.1.in through po/fr.po
# into TRAVAIL (never into the sources), then the version and date are filled in.
# po/po4a.cfg asks for a complete translation: po4a writes nothing otherwise.
# po4a hands the paths it is given to msgfmt through a shell, unquoted: it runs in
# TRAVAIL and sees the sources through a link there, so that every path it hands on is
# relative and plain, whatever folder the sources and the build are in.
# Usage: cmake -DPO4A=... -DSOURCES=... -DTRAVAIL=... -DSORTIE=... -DVERSION=... -DDATE=...
#        -P traduire.cmake
file(REMOVE_RECURSE "${TRAVAIL}")
file(MAKE_DIRECTORY "${TRAVAIL}")
file(CREATE_LINK "${SOURCES}" "${TRAVAIL}/sources" SYMBOLIC)
execute_process(
    COMMAND "${PO4A}" --no-update --srcdir sources --destdir . sources/po/po4a.cfg
    WORKING_DIRECTORY "${TRAVAIL}"
    RESULT_VARIABLE echec)
set(traduction "${TRAVAIL}/man/fr/verifier-somme.1.in")
if(echec)
    message(FATAL_ERROR "po4a failed (${echec}), as it says above: the French manual page is not written")
elseif(NOT EXISTS "${traduction}")
    message(FATAL_ERROR "po/fr.po does not translate all of man/verifier-somme.1.in (po4a says how much, above): "
        "run `po4a --no-translations po/po4a.cfg` at the top of the tree, "
        "then translate the new and fuzzy entries of po/fr.po")
endif()
configure_file("${traduction}" "${SORTIE}" @ONLY)
