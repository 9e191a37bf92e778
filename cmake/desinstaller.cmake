# Removes what `cmake --install` of the build CONSTRUCTION puts under PREFIX, inside the
# DESTDIR of the environment when it is set, and nothing else. The files are listed by
# installing the same build into a folder of its own first, then read from its
# install_manifest.txt line by line, as plain text: a path is never taken for a pattern
# or split, whatever characters PREFIX and DESTDIR hold. Of the folders, only those the
# installation created (recorded in CONSTRUCTION by cmake/dossiers.cmake) go, once empty.
# Usage: [DESTDIR=...] cmake -DCONSTRUCTION=... -DPREFIX=... -P desinstaller.cmake
cmake_minimum_required(VERSION 3.25)

# Moves the first line of the variable TEXTE into the variable LIGNE.
macro(premiere_ligne texte ligne)
    string(FIND "${${texte}}" "\n" fin)
    if(fin EQUAL -1)
        set(${ligne} "${${texte}}")
        set(${texte} "")
    else()
        string(SUBSTRING "${${texte}}" 0 ${fin} ${ligne})
        math(EXPR fin "${fin} + 1")
        string(SUBSTRING "${${texte}}" ${fin} -1 ${texte})
    endif()
endmacro()

file(REAL_PATH "${CONSTRUCTION}" CONSTRUCTION)
set(liste "${CONSTRUCTION}/desinstallation")
set(manifeste "${CONSTRUCTION}/install_manifest.txt")
file(REMOVE_RECURSE "${liste}" "${manifeste}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${liste}" VERIFIER_SOMME_LISTE=1
        "${CMAKE_COMMAND}" --install "${CONSTRUCTION}" --prefix "${PREFIX}"
    OUTPUT_QUIET RESULT_VARIABLE echec)
set(fichiers "")
if(NOT echec AND EXISTS "${manifeste}")
    file(READ "${manifeste}" fichiers)
endif()
# Each line of the manifest is a file's path, without DESTDIR.
if(fichiers STREQUAL "")
    message(FATAL_ERROR "cmake --install ${CONSTRUCTION} did not list the files it installs: nothing was removed")
endif()
while(NOT fichiers STREQUAL "")
    premiere_ligne(fichiers fichier)
    set(installe "$ENV{DESTDIR}${fichier}")
    if(EXISTS "${installe}" OR IS_SYMLINK "${installe}")
        file(REMOVE "${installe}")
        message(STATUS "Removed: ${installe}")
    endif()
endwhile()
file(REMOVE_RECURSE "${liste}")

# The folders the installation created: in turn, each that is empty goes (rmdir removes
# only an empty folder), until a pass removes none.
string(MD5 racine "$ENV{DESTDIR}${PREFIX}")
set(registre "${CONSTRUCTION}/dossiers-installes/${racine}")
if(NOT EXISTS "${registre}")
    return()
endif()
set(enleve TRUE)
while(enleve)
    set(enleve FALSE)
    file(READ "${registre}" dossiers)
    while(NOT dossiers STREQUAL "")
        premiere_ligne(dossiers dossier)
        if(IS_DIRECTORY "${dossier}" AND NOT IS_SYMLINK "${dossier}")
            execute_process(COMMAND rmdir -- "${dossier}" RESULT_VARIABLE echec ERROR_QUIET)
            if(NOT echec)
                set(enleve TRUE)
                message(STATUS "Removed: ${dossier}/")
            endif()
        endif()
    endwhile()
endwhile()
# Those still there stay recorded, for a later uninstall.
file(READ "${registre}" dossiers)
set(restants "")
while(NOT dossiers STREQUAL "")
    premiere_ligne(dossiers dossier)
    if(IS_DIRECTORY "${dossier}")
        string(APPEND restants "${dossier}\n")
    endif()
endwhile()
if(restants STREQUAL "")
    file(REMOVE "${registre}")
else()
    file(WRITE "${registre}" "${restants}")
endif()
