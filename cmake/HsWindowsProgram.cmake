# The Windows program: herosheet.exe (a GUI program, no console) and a zip to hand out with the
# sample data and language files beside it. Included by scheme/sheet.cmake in Windows builds.
enable_language(RC)
add_executable(herosheet WIN32
  ${PROJECT_SOURCE_DIR}/scheme/herosheet_main.cpp
  ${PROJECT_SOURCE_DIR}/scheme/native_backend_win32.cpp
  ${PROJECT_SOURCE_DIR}/data/win/herosheet.rc)
target_link_libraries(herosheet PRIVATE hs_scheme)
hs_settings(herosheet)
add_dependencies(herosheet hs_sample_data)

# herosheet-<version>-win<bits>.zip: a folder "herosheet" holding the program, the data files,
# the language files and the starting config.ini.
math(EXPR hs_bits "${CMAKE_SIZEOF_VOID_P} * 8")
set(hs_zip_name herosheet-${PROJECT_VERSION}-win${hs_bits}.zip)
set(hs_zip_dir ${CMAKE_BINARY_DIR}/package/herosheet)
file(GLOB hs_zip_data CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/data/choice.ini
  ${PROJECT_SOURCE_DIR}/data/array.ini
  ${PROJECT_SOURCE_DIR}/data/config.ini
  ${PROJECT_SOURCE_DIR}/data/*.lng)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${hs_zip_name}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${hs_zip_dir}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${hs_zip_dir}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:herosheet> ${hs_zip_data} ${hs_zip_dir}
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package
          ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${hs_zip_name} --format=zip herosheet
  DEPENDS herosheet ${hs_zip_data}
  VERBATIM)
add_custom_target(herosheet_zip DEPENDS ${CMAKE_BINARY_DIR}/${hs_zip_name})
