# Run by `cmake --install` before anything is installed (see CMakeLists.txt): records
# which of the folders DOSSIERS (relative to the prefix) and of their parents, DESTDIR
# and its own parents included, do not exist yet, one per line, in REGISTRE (relative to
# the prefix: beside the installed files, so that it outlives the build folder), so that
# cmake/desinstaller.cmake removes the folders this installation creates, once empty, and
# no other. An earlier record there is kept. The listing install of desinstaller.cmake
# records nothing, but writes where the record is to the file VERIFIER_SOMME_LISTE names.
set(racine "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
# CMake's install takes a backslash for a folder separator, and would create other
# folders than those asked for: nothing is installed then.
string(FIND "${racine}" "\\" barre)
if(barre GREATER -1)
    message(FATAL_ERROR "DESTDIR and the prefix (${racine}) must not hold a backslash: "
        "cmake --install takes it for a folder separator. Nothing was installed or removed.")
endif()
if(DEFINED ENV{VERIFIER_SOMME_LISTE})
    file(WRITE "$ENV{VERIFIER_SOMME_LISTE}" "${REGISTRE}")
    return()
endif()
set(registre "${racine}/${REGISTRE}")
set(crees "\n")
if(EXISTS "${registre}")
    file(READ "${registre}" crees)
    set(crees "\n${crees}")
endif()
foreach(relatif IN LISTS DOSSIERS)
    set(dossier "${racine}/${relatif}")
    while(NOT EXISTS "${dossier}" AND NOT dossier STREQUAL "")
        string(FIND "${crees}" "\n${dossier}\n" position)
        if(position EQUAL -1)
            string(APPEND crees "${dossier}\n")
        endif()
        get_filename_component(parent "${dossier}" DIRECTORY)
        if(parent STREQUAL dossier)
            break()
        endif()
        set(dossier "${parent}")
    endwhile()
endforeach()
string(SUBSTRING "${crees}" 1 -1 crees)
file(WRITE "${registre}" "${crees}")
