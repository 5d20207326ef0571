# Helpers shared by every folder of the project.

set_property(GLOBAL PROPERTY TAMSEL_LOGIC_LIBRARIES "")

# A logic library under src/: Qt Core (and Gui where it paints), never Widgets.
function(tamsel_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  set_property(GLOBAL APPEND PROPERTY TAMSEL_LOGIC_LIBRARIES ${name})
endfunction()

# Refuses a configuration in which a logic library reaches Qt Widgets.
function(tamsel_check_libraries)
  get_property(libs GLOBAL PROPERTY TAMSEL_LOGIC_LIBRARIES)
  foreach(lib ${libs})
    set(seen "")
    set(todo ${lib})
    while(todo)
      list(POP_FRONT todo cur)
      if(cur IN_LIST seen)
        continue()
      endif()
      list(APPEND seen ${cur})
      if(cur MATCHES "Widgets|PrintSupport")
        message(FATAL_ERROR "${lib} links ${cur}: libraries under src/ must stay free of Qt Widgets")
      endif()
      if(TARGET ${cur})
        get_target_property(deps ${cur} LINK_LIBRARIES)
        if(deps)
          list(APPEND todo ${deps})
        endif()
      endif()
    endwhile()
  endforeach()
endfunction()

# One Qt Test executable per test class, run offscreen by CTest.
function(tamsel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin
    INSTALL_RPATH "${TAMSEL_BIN_DIR}")
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE
    TAMSEL_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    TAMSEL_BIN_DIR="${TAMSEL_BIN_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENV}"
    TIMEOUT 300)
endfunction()
