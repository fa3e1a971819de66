# `cmake --install` and the Debian package (Linux): the programs in bin/, the sample data, the
# language files and the shipped settings in share/herosheet/, the desktop entry, the AppStream
# metainfo, the icon and the man pages.

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
set(HS_DATA_FULL_DIR ${CMAKE_INSTALL_FULL_DATADIR}/herosheet)
file(GLOB hs_languages ${PROJECT_SOURCE_DIR}/data/*.lng)
install(FILES ${PROJECT_SOURCE_DIR}/data/choice.ini ${PROJECT_SOURCE_DIR}/data/array.ini
              ${PROJECT_SOURCE_DIR}/data/config.ini ${hs_languages}
        DESTINATION ${HS_DATA_DIR})

# The desktop entry starts the program in the sample data's folder: a filled sheet.
configure_file(${PROJECT_SOURCE_DIR}/data/linux/herosheet.desktop.in
               ${CMAKE_BINARY_DIR}/linux/${HS_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/linux/herosheet.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/linux/${HS_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/linux/${HS_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/linux/${HS_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(hs_icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/data/linux/herosheet.svg DESTINATION ${hs_icons}/scalable/apps)
foreach(size 48 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/linux/herosheet-${size}.png
          DESTINATION ${hs_icons}/${size}x${size}/apps RENAME herosheet.png)
endforeach()

foreach(program ${hs_install_programs})
  if(EXISTS ${PROJECT_SOURCE_DIR}/docs/${program}.1)
    install(FILES ${PROJECT_SOURCE_DIR}/docs/${program}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()

# cpack -G DEB in the build folder gives herosheet_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME herosheet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Hero Sheet developers <herosheet@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "character background sheet for a role-playing game")
set(CPACK_PACKAGE_DESCRIPTION
    "Answer five background questions (gender, father, early life, later life, reason for\n"
    "adventuring) and see at once the attributes, skills, weapon proficiencies and other\n"
    "values they add up to. Game numbers and captions come from editable text files.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${HS_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, so no library link names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation | fonts-dejavu-core")
include(CPack)
