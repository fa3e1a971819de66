# `cmake --install` and the Debian package (Linux): the programs in bin/, the sample data, the
# language files and the shipped settings in share/herosheet/, the desktop entry, the AppStream
# metainfo, the icon, the man pages (compressed), the licence and the changelog. The package
# always installs under /usr; `cmake --install` under CMAKE_INSTALL_PREFIX.

set(HS_APP_ID "org.herosheet.HeroSheet" CACHE STRING "Desktop and AppStream id")
set(HS_HOMEPAGE_URL "https://herosheet.example.org/" CACHE STRING "Project home page")
set(HS_SCREENSHOT_URL "${HS_HOMEPAGE_URL}herosheet.png" CACHE STRING
    "Where the README screenshot (docs/herosheet.png) is published")

set(hs_install_programs herosheet herosheet-sim herosheet-check)
foreach(program ${hs_install_programs})
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

set(HS_DATA_DIR ${CMAKE_INSTALL_DATADIR}/herosheet)
file(GLOB hs_languages ${PROJECT_SOURCE_DIR}/data/*.lng)
install(FILES ${PROJECT_SOURCE_DIR}/data/choice.ini ${PROJECT_SOURCE_DIR}/data/array.ini
              ${PROJECT_SOURCE_DIR}/data/config.ini ${hs_languages}
        DESTINATION ${HS_DATA_DIR})

# The desktop entry starts the program in the sample data's folder: a filled sheet. That folder
# is known only as the files are installed (the package's prefix is not the build's).
install(CODE "
  set(HS_DATA_FULL_DIR \"\${CMAKE_INSTALL_PREFIX}/${HS_DATA_DIR}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/data/linux/herosheet.desktop.in\"
                 \"${CMAKE_BINARY_DIR}/linux/install/${HS_APP_ID}.desktop\" @ONLY)
  file(INSTALL \"${CMAKE_BINARY_DIR}/linux/install/${HS_APP_ID}.desktop\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")")
configure_file(${PROJECT_SOURCE_DIR}/data/linux/herosheet.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/linux/${HS_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/linux/${HS_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(hs_icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/data/linux/herosheet.svg DESTINATION ${hs_icons}/scalable/apps)
foreach(size 48 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/linux/herosheet-${size}.png
          DESTINATION ${hs_icons}/${size}x${size}/apps RENAME herosheet.png)
endforeach()

# Man pages and the changelog compressed as Debian wants them (no name or time in the header).
find_program(HS_GZIP gzip)
set(hs_compressed)
foreach(program ${hs_install_programs})
  if(EXISTS ${PROJECT_SOURCE_DIR}/docs/${program}.1)
    set(page ${CMAKE_BINARY_DIR}/linux/${program}.1)
    configure_file(${PROJECT_SOURCE_DIR}/docs/${program}.1 ${page} COPYONLY)
    list(APPEND hs_compressed ${page})
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/data/linux/changelog.in ${CMAKE_BINARY_DIR}/linux/changelog @ONLY)
list(APPEND hs_compressed ${CMAKE_BINARY_DIR}/linux/changelog)
foreach(file ${hs_compressed})
  add_custom_command(OUTPUT ${file}.gz COMMAND ${HS_GZIP} -9nkf ${file} DEPENDS ${file} VERBATIM)
  list(APPEND hs_compressed_gz ${file}.gz)
endforeach()
add_custom_target(herosheet_compressed_docs ALL DEPENDS ${hs_compressed_gz})

set(hs_docs ${CMAKE_INSTALL_DATAROOTDIR}/doc/herosheet)
configure_file(${PROJECT_SOURCE_DIR}/data/linux/copyright.in ${CMAKE_BINARY_DIR}/linux/copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/linux/copyright ${CMAKE_BINARY_DIR}/linux/changelog.gz
        DESTINATION ${hs_docs})

# cpack -G DEB in the build folder gives herosheet_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME herosheet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Hero Sheet developers <herosheet@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "character background sheet for a role-playing game")
set(CPACK_PACKAGE_DESCRIPTION
    "Answer five background questions (gender, father, early life, later life,\n"
    "reason for adventuring) and see at once the attributes, skills, weapon\n"
    "proficiencies and other values they add up to. Game numbers and captions\n"
    "come from editable text files.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
# A Debian package lives in /usr whatever prefix the build was configured with; DESTDIR staging
# keeps CMAKE_INSTALL_PREFIX the real one while the package's files are installed.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A companion tool for playing a game, not a game: utilities.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${HS_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, so no library link names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation | fonts-dejavu-core")
include(CPack)
