# Runs PROGRAMME with the bytes of ENTREE on standard input and checks that it writes
# exactly the bytes of ATTENDU and exits with status STATUT.
# Usage: cmake -DPROGRAMME=... -DENTREE=... -DATTENDU=... -DSORTIE=... -DSTATUT=... -P transcript.cmake
execute_process(
    COMMAND "${PROGRAMME}"
    INPUT_FILE "${ENTREE}"
    OUTPUT_FILE "${SORTIE}"
    RESULT_VARIABLE statut)
if(NOT statut STREQUAL STATUT)
    message(FATAL_ERROR "exit status ${statut}, expected ${STATUT}")
endif()
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E compare_files "${SORTIE}" "${ATTENDU}"
    RESULT_VARIABLE different)
if(different)
    file(READ "${SORTIE}" obtenu)
    file(READ "${ATTENDU}" attendu)
    message(FATAL_ERROR "output differs from ${ATTENDU}\n--- written:\n${obtenu}\n--- expected:\n${attendu}")
endif()
