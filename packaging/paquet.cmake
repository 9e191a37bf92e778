# The Debian package, built by CPack: `make package` at the top.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME verifier-somme)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "verifier-somme developers <verifier-somme@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/compresser.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "check the sum of two 16-bit signed integers for overflow")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "verifier-somme asks for two integers in the range of a 16-bit signed integer,
adds them with two's-complement wrap-around, and says whether the sum is valid
or overflowed upwards or downwards, showing both operands and the wrapped sum.
It is meant for learning how integer overflow works, at a terminal or with a
file of answers on standard input. Its dialogue is in French.")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
