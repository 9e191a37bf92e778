# Run by `cmake --install` before anything is installed (see CMakeLists.txt): records
# which of the folders DOSSIERS (relative to the prefix) and of their parents, up to
# DESTDIR, do not exist yet, in REGISTRE/MD5-of-DESTDIR-and-prefix, one per line, so
# that cmake/desinstaller.cmake removes the folders this installation creates, once
# empty, and no other. The listing install of desinstaller.cmake records nothing.
if(DEFINED ENV{VERIFIER_SOMME_LISTE})
    return()
endif()
string(MD5 racine "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(registre "${REGISTRE}/${racine}")
set(crees "\n")
if(EXISTS "${registre}")
    file(READ "${registre}" crees)
    set(crees "\n${crees}")
endif()
foreach(relatif IN LISTS DOSSIERS)
    set(dossier "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${relatif}")
    while(NOT EXISTS "${dossier}" AND NOT dossier STREQUAL "$ENV{DESTDIR}" AND NOT dossier STREQUAL "")
        string(FIND "${crees}" "\n${dossier}\n" position)
        if(position EQUAL -1)
            string(APPEND crees "${dossier}\n")
        endif()
        get_filename_component(dossier "${dossier}" DIRECTORY)
    endwhile()
endforeach()
string(SUBSTRING "${crees}" 1 -1 crees)
file(WRITE "${registre}" "${crees}")
