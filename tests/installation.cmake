# Installs the build in CONSTRUCTION under a temporary root with DESTDIR and a prefix of
# its own, checks where the files land, and runs the installed program on one transcript.
# Usage: cmake -DCONSTRUCTION=... -DRACINE=... -DTRANSCRIPTS=... -P installation.cmake
set(prefixe /opt/essai)
file(REMOVE_RECURSE "${RACINE}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${RACINE}"
        "${CMAKE_COMMAND}" --install "${CONSTRUCTION}" --prefix "${prefixe}"
    RESULT_VARIABLE echec)
if(echec)
    message(FATAL_ERROR "cmake --install failed")
endif()
foreach(fichier bin/verifier-somme share/man/man1/verifier-somme.1 share/doc/verifier-somme/copyright)
    if(NOT EXISTS "${RACINE}${prefixe}/${fichier}")
        message(FATAL_ERROR "${fichier} is not installed under ${RACINE}${prefixe}")
    endif()
endforeach()

set(PROGRAMME "${RACINE}${prefixe}/bin/verifier-somme")
set(ENTREE "${TRANSCRIPTS}/debordements.in")
set(ATTENDU "${TRANSCRIPTS}/debordements.out")
set(SORTIE "${RACINE}/debordements.sortie")
set(STATUT 0)
include("${CMAKE_CURRENT_LIST_DIR}/transcript.cmake")
