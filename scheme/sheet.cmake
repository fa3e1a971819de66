# The hero sheet's windowed schemes and its two programs.
target_sources(hs_scheme PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/build_ui.cpp
  ${CMAKE_CURRENT_LIST_DIR}/highlight.cpp
  ${CMAKE_CURRENT_LIST_DIR}/question_groups.cpp
  ${CMAKE_CURRENT_LIST_DIR}/result_boxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_runner.cpp
)
target_link_libraries(hs_scheme PUBLIC hs_ui)

# The sample data and language files go next to the programs; the programs read the data from
# the current folder and the language files and config.ini from their own folder.
file(GLOB hs_sample_files CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/data/choice.ini
  ${PROJECT_SOURCE_DIR}/data/array.ini
  ${PROJECT_SOURCE_DIR}/data/*.lng)
set(hs_sample_copies)
foreach(f ${hs_sample_files})
  get_filename_component(n ${f} NAME)
  add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${n}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${CMAKE_CURRENT_BINARY_DIR}/${n}
    DEPENDS ${f} VERBATIM)
  list(APPEND hs_sample_copies ${CMAKE_CURRENT_BINARY_DIR}/${n})
endforeach()
add_custom_target(hs_sample_data ALL DEPENDS ${hs_sample_copies})
# The starting settings: written once, then the program's own (language pick, placement).
if(NOT EXISTS ${CMAKE_CURRENT_BINARY_DIR}/config.ini)
  file(COPY ${PROJECT_SOURCE_DIR}/data/config.ini DESTINATION ${CMAKE_CURRENT_BINARY_DIR})
endif()

add_executable(herosheet-sim ${CMAKE_CURRENT_LIST_DIR}/herosheet_sim_main.cpp)
target_link_libraries(herosheet-sim PRIVATE hs_scheme)
hs_settings(herosheet-sim)
add_dependencies(herosheet-sim hs_sample_data)

# The desktop program: the Qt backend on Linux; a Windows build supplies its own
# native_backend implementation.
if(TARGET hs_ui_qt)
  add_executable(herosheet
    ${CMAKE_CURRENT_LIST_DIR}/herosheet_main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/native_backend_qt.cpp)
  target_link_libraries(herosheet PRIVATE hs_scheme hs_ui_qt)
  hs_settings(herosheet)
  add_dependencies(herosheet hs_sample_data)

  # The same program ending at its first painted frame (start-up measurements).
  add_executable(herosheet-first-frame EXCLUDE_FROM_ALL
    ${CMAKE_CURRENT_LIST_DIR}/first_frame_main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/native_backend_qt.cpp)
  target_link_libraries(herosheet-first-frame PRIVATE hs_scheme hs_ui_qt)
  hs_settings(herosheet-first-frame)
elseif(WIN32)
  include(${PROJECT_SOURCE_DIR}/cmake/HsWindowsProgram.cmake)
endif()
