# Run by CPack on the staged files before it builds the Debian package: manual pages
# and the changelog are shipped gzip-compressed, without a time stamp, as Debian expects.
file(GLOB_RECURSE a_compresser LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
list(FILTER a_compresser INCLUDE REGEX "/share/(man/man[1-9]/[^/]+\\.[1-9]|doc/[^/]+/changelog)$")
foreach(fichier IN LISTS a_compresser)
    execute_process(COMMAND gzip -9n "${fichier}" RESULT_VARIABLE echec)
    if(echec)
        message(FATAL_ERROR "gzip failed on ${fichier}")
    endif()
endforeach()
