# Installs the build in CONSTRUCTION twice under a temporary root with DESTDIR and a prefix
# of its own, checks where the files land and that the manual pages are filled in, and runs
# the installed program on one transcript; then uninstalls, which must leave no file of
# it and every other file. FRANCAIS is set when the build has the French manual page.
# DOSSIERS is true when the build records the folders it creates, for uninstalling.
# Usage: cmake -DCONSTRUCTION=... -DRACINE=... -DTRANSCRIPTS=... [-DFRANCAIS=...] [-DDOSSIERS=ON]
#        -P installation.cmake
# Brackets, spaces, * and ? in DESTDIR and the prefix: taken for a pattern or split, they
# fail; quotes and $, read by a shell.
file(REMOVE_RECURSE "${RACINE}")
set(RACINE "${RACINE}/d[x] *?")
set(prefixe "/opt/essai [p \"q\" 'r' $s")
# Twice, as over an earlier installation, whose record of the folders it created stays whole.
foreach(fois 1 2)
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${RACINE}"
            "${CMAKE_COMMAND}" --install "${CONSTRUCTION}" --prefix "${prefixe}"
        OUTPUT_QUIET RESULT_VARIABLE echec)
    if(echec)
        message(FATAL_ERROR "cmake --install failed")
    endif()
endforeach()
# Each manual page in its own language (its NAME section's title), with its version filled in.
set(pages "man1 NAME")
if(FRANCAIS)
    list(APPEND pages "fr/man1 NOM")
endif()
foreach(fichier bin/verifier-somme share/doc/verifier-somme/copyright)
    if(NOT EXISTS "${RACINE}${prefixe}/${fichier}")
        message(FATAL_ERROR "${fichier} is not installed under ${RACINE}${prefixe}")
    endif()
endforeach()
foreach(page IN LISTS pages)
    separate_arguments(page)
    list(GET page 0 dossier)
    list(GET page 1 nom)
    set(fichier "${RACINE}${prefixe}/share/man/${dossier}/verifier-somme.1")
    if(NOT EXISTS "${fichier}")
        message(FATAL_ERROR "share/man/${dossier}/verifier-somme.1 is not installed under ${RACINE}${prefixe}")
    endif()
    file(READ "${fichier}" texte)
    if(NOT texte MATCHES "\n[.]SH ${nom}\n")
        message(FATAL_ERROR "share/man/${dossier}/verifier-somme.1 is not in its language")
    endif()
    if(texte MATCHES "@[A-Z]+@")
        message(FATAL_ERROR "share/man/${dossier}/verifier-somme.1 is installed with a placeholder left in it")
    endif()
    # Each page teaches with one worked example per verdict, written as the program writes it.
    foreach(exemple "Debordement positif :  Resultat invalide : 30000 + 30000 = \\-5536"
            "Debordement negatif :  Resultat invalide : \\-32768 + \\-32768 = 0"
            "Resultat valide : 32767 + \\-32768 = \\-1")
        string(FIND "${texte}" "${exemple}" position)
        if(position EQUAL -1)
            message(FATAL_ERROR "share/man/${dossier}/verifier-somme.1 lacks the worked example: ${exemple}")
        endif()
    endforeach()
endforeach()

set(PROGRAMME "${RACINE}${prefixe}/bin/verifier-somme")
set(ENTREE "${TRANSCRIPTS}/debordements.in")
set(ATTENDU "${TRANSCRIPTS}/debordements.out")
set(SORTIE "${RACINE}.sortie")
set(STATUT 0)
include("${CMAKE_CURRENT_LIST_DIR}/transcript.cmake")

# Another package's files, and one of the user's in the documentation folder, stay; the
# folders the installation created go, once empty. Those that stay are recorded beside
# them: once the other files are gone, a second uninstall removes them, DESTDIR included.
foreach(autre bin/autre share/doc/autre/copyright share/doc/verifier-somme/notes)
    file(WRITE "${RACINE}${prefixe}/${autre}" "")
endforeach()
# (As the Makefile passes them: in the environment. An unbalanced [ would join the items of a list.)
set(ENV{DESTDIR} "${RACINE}")
set(ENV{VERIFIER_SOMME_PREFIX} "${prefixe}")
set(desinstaller "${CMAKE_CURRENT_LIST_DIR}/../cmake/desinstaller.cmake")
execute_process(COMMAND "${CMAKE_COMMAND}" "-DCONSTRUCTION=${CONSTRUCTION}" -P "${desinstaller}"
    OUTPUT_QUIET RESULT_VARIABLE echec)
# A build that records no folder (the Debian package's) removes the files only.
set(attendus "bin/autre\nshare/doc/autre/copyright\nshare/doc/verifier-somme/dossiers-crees\nshare/doc/verifier-somme/notes\n")
set(genres ( -type f -o -empty ))
if(NOT DOSSIERS)
    string(REPLACE "share/doc/verifier-somme/dossiers-crees\n" "" attendus "${attendus}")
    set(genres -type f)
endif()
execute_process(COMMAND find . -mindepth 1 ${genres} -printf "%P\n"
    COMMAND sort WORKING_DIRECTORY "${RACINE}${prefixe}" OUTPUT_VARIABLE restants)
if(echec OR NOT restants STREQUAL attendus)
    message(FATAL_ERROR "uninstalling left '${restants}', not just the three files of others and the record")
elseif(NOT DOSSIERS)
    return()
endif()
file(REMOVE_RECURSE "${RACINE}${prefixe}/bin/autre" "${RACINE}${prefixe}/share/doc/autre"
    "${RACINE}${prefixe}/share/doc/verifier-somme/notes")
execute_process(COMMAND "${CMAKE_COMMAND}" "-DCONSTRUCTION=${CONSTRUCTION}" -P "${desinstaller}"
    OUTPUT_QUIET RESULT_VARIABLE echec)
if(echec OR EXISTS "${RACINE}")
    message(FATAL_ERROR "a second uninstall, with the other files gone, left ${RACINE}")
endif()
