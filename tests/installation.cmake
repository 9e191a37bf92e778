# Installs the build in CONSTRUCTION under a temporary root with DESTDIR and a prefix of
# its own, checks where the files land and that both manual pages are filled in, and runs
# the installed program on one transcript.
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
foreach(fichier bin/verifier-somme share/man/man1/verifier-somme.1
        share/man/fr/man1/verifier-somme.1 share/doc/verifier-somme/copyright)
    if(NOT EXISTS "${RACINE}${prefixe}/${fichier}")
        message(FATAL_ERROR "${fichier} is not installed under ${RACINE}${prefixe}")
    endif()
endforeach()
# Each manual page in its own language, with its version filled in.
file(READ "${RACINE}${prefixe}/share/man/man1/verifier-somme.1" anglais)
file(READ "${RACINE}${prefixe}/share/man/fr/man1/verifier-somme.1" francais)
if(NOT anglais MATCHES "\n[.]SH NAME\n" OR NOT francais MATCHES "\n[.]SH NOM\n")
    message(FATAL_ERROR "the English or the French manual page is not in its language")
endif()
if(anglais MATCHES "@[A-Z]+@" OR francais MATCHES "@[A-Z]+@")
    message(FATAL_ERROR "a manual page is installed with a placeholder left in it")
endif()
# Each page teaches with one worked example per verdict, written as the program writes it.
foreach(exemple "Debordement positif :  Resultat invalide : 30000 + 30000 = \\-5536"
        "Debordement negatif :  Resultat invalide : \\-32768 + \\-32768 = 0"
        "Resultat valide : 32767 + \\-32768 = \\-1")
    foreach(page anglais francais)
        string(FIND "${${page}}" "${exemple}" position)
        if(position EQUAL -1)
            message(FATAL_ERROR "the ${page} manual page lacks the worked example: ${exemple}")
        endif()
    endforeach()
endforeach()

set(PROGRAMME "${RACINE}${prefixe}/bin/verifier-somme")
set(ENTREE "${TRANSCRIPTS}/debordements.in")
set(ATTENDU "${TRANSCRIPTS}/debordements.out")
set(SORTIE "${RACINE}/debordements.sortie")
set(STATUT 0)
include("${CMAKE_CURRENT_LIST_DIR}/transcript.cmake")
