# Builds the Debian package from the build with cpack and checks its control
# fields and its files through dpkg-deb.
file(REMOVE_RECURSE "${OUTPUT}")
execute_process(COMMAND cpack -G DEB --config "${CPACK_CONFIG}" -B "${OUTPUT}"
                RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB package "${OUTPUT}/brennolt_*.deb")
if(NOT result EQUAL 0 OR NOT package)
  message(FATAL_ERROR "cpack made no package (${result}):\n${log}")
endif()

set(failures "")
# expect(<what it should be> <condition as for if()>)
function(expect what)
  if(NOT (${ARGN}))
    set(failures "${failures}\n  ${what}" PARENT_SCOPE)
  endif()
endfunction()

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE architecture
                OUTPUT_STRIP_TRAILING_WHITESPACE)
foreach(field IN ITEMS Package Version Architecture Section Maintainer Depends Recommends)
  execute_process(COMMAND "${DPKG_DEB}" -f "${package}" ${field} OUTPUT_VARIABLE value
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(${field} "${value}")
endforeach()
expect("Package is brennolt, not '${Package}'" Package STREQUAL brennolt)
expect("Version is ${VERSION}, not '${Version}'" Version STREQUAL VERSION)
expect("Architecture is ${architecture}, not '${Architecture}'"
       Architecture STREQUAL architecture)
expect("Section is games, not '${Section}'" Section STREQUAL games)
expect("Maintainer is the project's own, not '${Maintainer}'"
       Maintainer MATCHES "^Brennolt [^<]+ <[^@> ]+@[^@> ]+>$")
# From dpkg-shlibdeps: the libraries the program is linked with.
foreach(library IN ITEMS libc6 libstdc\\+\\+6 libsdl2-2.0-0 libglu1)
  expect("Depends names ${library}: '${Depends}'" Depends MATCHES "(^|[ ,|])${library}[ ,]")
endforeach()
expect("Recommends is libgl1-mesa-dri, not '${Recommends}'"
       Recommends STREQUAL libgl1-mesa-dri)

execute_process(COMMAND "${DPKG_DEB}" -c "${package}" OUTPUT_VARIABLE listing)
string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" files "${listing}")
list(TRANSFORM files STRIP)
list(SORT files)
set(expected
    ./usr/games/brennolt
    ./usr/share/applications/brennolt.desktop
    ./usr/share/doc/brennolt/changelog.gz
    ./usr/share/doc/brennolt/copyright
    ./usr/share/games/brennolt/HUD.bmp
    "./usr/share/games/brennolt/Sphere Model00.txt"
    "./usr/share/games/brennolt/Sphere Model01.txt"
    ./usr/share/games/brennolt/gasgiant.bmp
    ./usr/share/games/brennolt/icon.bmp
    ./usr/share/games/brennolt/myFont.bmp
    ./usr/share/games/brennolt/rock.bmp
    ./usr/share/icons/hicolor/128x128/apps/brennolt.png
    ./usr/share/icons/hicolor/256x256/apps/brennolt.png
    ./usr/share/icons/hicolor/48x48/apps/brennolt.png
    ./usr/share/man/man6/brennolt.6.gz)
expect("the files are exactly the program, its data, the menu entry, the icons and the \
documents and the manual page:\n    ${files}" files STREQUAL expected)
expect("the program is executable by all: ${listing}"
       listing MATCHES "-rwxr-xr-x root/root [^\n]* ./usr/games/brennolt\n")

execute_process(COMMAND "${DPKG_DEB}" -x "${package}" "${OUTPUT}/unpacked")
execute_process(COMMAND "${READELF}" -S "${OUTPUT}/unpacked/usr/games/brennolt"
                OUTPUT_VARIABLE sections)
expect("the program is stripped" NOT sections MATCHES "\\.(symtab|debug_info)")

file(READ "${OUTPUT}/unpacked/usr/share/doc/brennolt/copyright" copyright)
expect("the copyright file gives the project's files the Expat licence"
       copyright MATCHES "\nFiles: \\*\n[^\n]*\nLicense: Expat\n.*\nLicense: Expat\n Permission")
# The manual page has an entry for every option the program's own help lists.
execute_process(COMMAND "${OUTPUT}/unpacked/usr/games/brennolt" --help OUTPUT_VARIABLE help)
execute_process(COMMAND gzip -dc "${OUTPUT}/unpacked/usr/share/man/man6/brennolt.6.gz"
                OUTPUT_VARIABLE manual)
string(REPLACE "\\-" "-" manual "${manual}")
string(REGEX MATCHALL "(^|\n)  +-[-a-z]+" options "${help}")
expect("the help lists options" options)
foreach(option IN LISTS options)
  string(STRIP "${option}" option)
  expect("the manual page has an entry for ${option}"
         manual MATCHES "\n\\.TP\n\\.B[IR]? ${option}[ \n]")
endforeach()

if(failures)
  message(FATAL_ERROR "The package ${package} is not as it should be:${failures}")
endif()
message(STATUS "${package}: fields and files as they should be")
