# pelvar_add_area_tests(AREA [SOURCES file...] [LIBS lib...])
# One Qt Test program per area folder, tests_<AREA>, built of every tst_*.cpp in the folder; CTest
# runs each test class on its own (tests_<AREA> <class>), headless, under a decimal-comma locale.
function(pelvar_add_area_tests area)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  set(program tests_${area})
  add_executable(${program} ${tests} ${T_SOURCES})
  target_link_libraries(${program} PRIVATE pelvar_testsupport ${T_LIBS} Qt6::Test)
  foreach(file ${tests})
    get_filename_component(name ${file} NAME_WE)
    add_test(NAME ${name} COMMAND ${program} ${name})
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=de_DE.UTF-8"
      TIMEOUT 600)
  endforeach()
endfunction()
