# Runs PROGRAMME with the bytes of ENTREE on standard input and checks that it writes
# exactly the bytes of ATTENDU and exits with status STATUT. With CRLF true, the lines
# written end in CR LF where ATTENDU has a newline alone, as Windows programs write text;
# EMULATEUR, when set, runs the program (Wine for a Windows build).
# Usage: cmake [-DEMULATEUR=...] [-DCRLF=ON] -DPROGRAMME=... -DENTREE=... -DATTENDU=...
#              -DSORTIE=... -DSTATUT=... -P transcript.cmake
if(CRLF)
    file(READ "${ATTENDU}" attendu)
    string(REPLACE "\n" "\r\n" attendu "${attendu}")
    set(ATTENDU "${SORTIE}.attendu")
    file(WRITE "${ATTENDU}" "${attendu}")
endif()
execute_process(
    COMMAND ${EMULATEUR} "${PROGRAMME}"
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
