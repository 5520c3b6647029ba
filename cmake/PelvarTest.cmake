# pelvar_add_area_tests(AREA [SOURCES file...] [LIBS lib...] [SERVER class...])
# One Qt Test program per area folder, tests_<AREA>, built of every tst_*.cpp in the folder; CTest
# runs each test class on its own (tests_<AREA> <class>), headless, under a decimal-comma locale,
# labelled sqlite. The classes named after SERVER run a second time on a PostgreSQL server, as
# <class>_postgresql labelled postgresql: the server is PELVAR_TEST_SERVER (a location such as
# postgresql://pelvar_test@127.0.0.1:5433, the password in PGPASSWORD, as scripts/test-server
# gives them); without it they are skipped.
function(pelvar_add_area_tests area)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;SERVER" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  set(program tests_${area})
  add_executable(${program} ${tests} ${T_SOURCES})
  target_link_libraries(${program} PRIVATE pelvar_testsupport ${T_LIBS} Qt6::Test)
  foreach(file ${tests})
    get_filename_component(name ${file} NAME_WE)
    add_test(NAME ${name} COMMAND ${program} ${name})
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=de_DE.UTF-8"
      LABELS sqlite
      TIMEOUT 600)
    if(name IN_LIST T_SERVER)
      add_test(NAME ${name}_postgresql COMMAND ${program} ${name})
      set_tests_properties(${name}_postgresql PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=de_DE.UTF-8;PELVAR_TEST_BACKEND=postgresql"
        LABELS postgresql
        SKIP_RETURN_CODE 77
        TIMEOUT 600)
    endif()
  endforeach()
endfunction()
