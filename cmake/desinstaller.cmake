# Removes what `cmake --install` of the build CONSTRUCTION puts under PREFIX, inside the
# DESTDIR of the environment when it is set, and nothing else. The files are listed by
# installing the same build into a folder of its own first; of the folders, only the
# project's own documentation folder goes, once empty.
# Usage: [DESTDIR=...] cmake -DCONSTRUCTION=... -DPREFIX=... -P desinstaller.cmake
file(REAL_PATH "${CONSTRUCTION}" CONSTRUCTION)
set(liste "${CONSTRUCTION}/desinstallation")
file(REMOVE_RECURSE "${liste}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${liste}" "${CMAKE_COMMAND}" --install "${CONSTRUCTION}"
        --prefix "${PREFIX}"
    OUTPUT_QUIET RESULT_VARIABLE echec)
if(echec)
    message(FATAL_ERROR "cmake --install ${CONSTRUCTION} failed: nothing was removed")
endif()
file(GLOB_RECURSE fichiers LIST_DIRECTORIES false RELATIVE "${liste}" "${liste}/*")
foreach(fichier IN LISTS fichiers)
    set(installe "$ENV{DESTDIR}/${fichier}")
    if(EXISTS "${installe}" OR IS_SYMLINK "${installe}")
        file(REMOVE "${installe}")
        message(STATUS "Removed: ${installe}")
    endif()
    if(fichier MATCHES "^(.*/doc/verifier-somme)/")
        set(documentation "$ENV{DESTDIR}/${CMAKE_MATCH_1}")
    endif()
endforeach()
file(GLOB reste "${documentation}/*")
if(documentation AND IS_DIRECTORY "${documentation}" AND NOT reste)
    file(REMOVE_RECURSE "${documentation}")
endif()
file(REMOVE_RECURSE "${liste}")
