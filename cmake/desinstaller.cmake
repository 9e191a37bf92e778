# Removes what `cmake --install` of the build CONSTRUCTION puts under PREFIX, inside the
# DESTDIR of the environment when it is set, and nothing else. The files are listed by
# installing the same build into a folder of its own first, then read from its
# install_manifest.txt line by line, as plain text: a path is never taken for a pattern
# or split, whatever characters PREFIX and DESTDIR hold. Of the folders, only those the
# installation created go, once empty: cmake/dossiers.cmake recorded them in the
# installed documentation folder. Those that still hold other files stay recorded there,
# for a later uninstall.
# Each path removed is named on standard output; when nothing of it is found under PREFIX,
# that is said, with the PREFIX (and DESTDIR) looked in.
# PREFIX comes from -DPREFIX=... or else from the environment's VERIFIER_SOMME_PREFIX, as
# the Makefile passes it, so that no shell ever reads it.
# Usage: [DESTDIR=...] cmake -DCONSTRUCTION=... [-DPREFIX=...] -P desinstaller.cmake
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

# Writes TEXTE as a line of standard output.
function(dire texte)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E echo "${texte}")
endfunction()

if(NOT DEFINED PREFIX)
    set(PREFIX "$ENV{VERIFIER_SOMME_PREFIX}")
endif()
file(REAL_PATH "${CONSTRUCTION}" CONSTRUCTION)
set(liste "${CONSTRUCTION}/desinstallation")
set(manifeste "${CONSTRUCTION}/install_manifest.txt")
file(REMOVE_RECURSE "${liste}" "${manifeste}")
set(ou "${CONSTRUCTION}/desinstallation-registre")
file(REMOVE "${ou}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${liste}" "VERIFIER_SOMME_LISTE=${ou}"
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
set(enleves 0)
while(NOT fichiers STREQUAL "")
    premiere_ligne(fichiers fichier)
    set(installe "$ENV{DESTDIR}${fichier}")
    if(EXISTS "${installe}" OR IS_SYMLINK "${installe}")
        file(REMOVE "${installe}")
        dire("removed ${installe}")
        math(EXPR enleves "${enleves} + 1")
    endif()
endwhile()
file(REMOVE_RECURSE "${liste}")

# The folders the installation created, as recorded where the listing install said,
# relative to the prefix (nowhere, when the build records none): in turn, each that is
# empty goes (rmdir removes only an empty folder), until a pass removes none.
set(registre "")
if(EXISTS "${ou}")
    file(READ "${ou}" registre)
    file(REMOVE "${ou}")
    set(registre "$ENV{DESTDIR}${PREFIX}/${registre}")
endif()
if(registre STREQUAL "" OR NOT EXISTS "${registre}")
    if(enleves EQUAL 0)
        set(ici "under the prefix ${PREFIX}")
        if(NOT "$ENV{DESTDIR}" STREQUAL "")
            string(APPEND ici " inside DESTDIR $ENV{DESTDIR}")
        endif()
        dire("nothing of verifier-somme is installed ${ici}: nothing was removed\n\
(installed elsewhere? make uninstall needs the PREFIX and DESTDIR make install was given)")
    endif()
    return()
endif()
get_filename_component(documentation "${registre}" DIRECTORY)
file(READ "${registre}" crees)
file(REMOVE "${registre}")
set(enleve TRUE)
while(enleve)
    set(enleve FALSE)
    set(dossiers "${crees}")
    while(NOT dossiers STREQUAL "")
        premiere_ligne(dossiers dossier)
        if(IS_DIRECTORY "${dossier}" AND NOT IS_SYMLINK "${dossier}")
            execute_process(COMMAND rmdir -- "${dossier}" RESULT_VARIABLE echec ERROR_QUIET)
            if(NOT echec)
                set(enleve TRUE)
                dire("removed ${dossier}/")
            endif()
        endif()
    endwhile()
endwhile()
# Those still there, holding files of others, stay recorded for a later uninstall, in the
# documentation folder again when it is still there or when one of them is under the
# prefix (the documentation folder goes back, with its parents where they had gone).
# Only parents of the prefix left, nothing is recorded again.
set(restants "")
while(NOT crees STREQUAL "")
    premiere_ligne(crees dossier)
    if(IS_DIRECTORY "${dossier}")
        string(APPEND restants "${dossier}\n")
    endif()
endwhile()
if(restants STREQUAL "")
    return()
endif()
string(FIND "\n${restants}" "\n$ENV{DESTDIR}${PREFIX}/" dedans)
if(IS_DIRECTORY "${documentation}" OR dedans GREATER -1)
    set(dossier "${documentation}")
    while(NOT EXISTS "${dossier}" AND NOT dossier STREQUAL "")
        string(APPEND restants "${dossier}\n")
        get_filename_component(dossier "${dossier}" DIRECTORY)
    endwhile()
    file(WRITE "${registre}" "${restants}")
    dire("kept, as they hold other files (recorded in ${registre}):\n${restants}")
else()
    dire("kept, as they hold other files:\n${restants}")
endif()
