# The version and its date are written once, in the first entry of debian/changelog:
# the Debian package, the program's build and the manual pages all take them from there.
# This reads them with CMake alone, so that no system tool is needed: it sets
# VERIFIER_SOMME_VERSION (X.Y.Z) and VERIFIER_SOMME_DATE, the date of the entry's
# signature line in UTC as YYYY-MM-DD, which is how dpkg reads it for SOURCE_DATE_EPOCH.
file(READ "${CMAKE_CURRENT_LIST_DIR}/../debian/changelog" changelog)
if(NOT changelog MATCHES "^verifier-somme \\(([0-9]+\\.[0-9]+\\.[0-9]+)\\) ")
    message(FATAL_ERROR "debian/changelog: the first line does not give a version X.Y.Z")
endif()
set(VERIFIER_SOMME_VERSION ${CMAKE_MATCH_1})

# The signature line ends in a date such as "Mon, 07 Dec 2026 10:06:56 +0100".
if(NOT changelog MATCHES "\n -- [^\n]*>  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ([0-9]+):([0-9]+):([0-9]+) ([-+])([0-9][0-9])([0-9][0-9])\n")
    message(FATAL_ERROR "debian/changelog: the first entry has no signature line with a date")
endif()
set(jour ${CMAKE_MATCH_1})
set(nomsDesMois Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND nomsDesMois ${CMAKE_MATCH_2} mois)
if(mois LESS 0)
    message(FATAL_ERROR "debian/changelog: '${CMAKE_MATCH_2}' is not a month")
endif()
# Days since 1970-01-01 in the Gregorian calendar, counting years from March, so that
# a leap day is the last day of its year.
set(annee ${CMAKE_MATCH_3})
if(mois LESS 2)
    math(EXPR annee "${annee} - 1")
endif()
math(EXPR jours "${annee} / 400 * 146097 + ${annee} % 400 * 365 + ${annee} % 400 / 4 - ${annee} % 400 / 100
    + (153 * ((${mois} + 10) % 12) + 2) / 5 + ${jour} - 1 - 719468")
math(EXPR secondes "${jours} * 86400 + ${CMAKE_MATCH_4} * 3600 + ${CMAKE_MATCH_5} * 60 + ${CMAKE_MATCH_6}
    - (${CMAKE_MATCH_7}1) * (${CMAKE_MATCH_8} * 3600 + ${CMAKE_MATCH_9} * 60)")
# string(TIMESTAMP) writes the time that SOURCE_DATE_EPOCH gives, when it is set.
set(epoqueAppelant "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${secondes})
string(TIMESTAMP VERIFIER_SOMME_DATE "%Y-%m-%d" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${epoqueAppelant}")
if(epoqueAppelant STREQUAL "")
    unset(ENV{SOURCE_DATE_EPOCH})
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/../debian/changelog")

# Run as a script, `cmake -P cmake/changelog.cmake` prints the version, for the tools
# that are not CMake.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${VERIFIER_SOMME_VERSION})
endif()
