# Byte-for-byte comparison of the formatted output with GNU Fortran. The
# reference writer is a small Fortran program built with gfortran; without
# gfortran the comparison test is built anyway and reports itself skipped.
find_program(ZOLAN_GFORTRAN NAMES gfortran gfortran-12 gfortran-13 gfortran-14)

add_executable(format_oracle_test ${CMAKE_CURRENT_LIST_DIR}/format_oracle_main.cpp)
target_include_directories(format_oracle_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(format_oracle_test PRIVATE zolan_core GTest::gtest GTest::gtest_main)

if(ZOLAN_GFORTRAN)
  set(ZOLAN_FORMAT_ORACLE ${CMAKE_CURRENT_BINARY_DIR}/format_oracle)
  add_custom_command(
    OUTPUT ${ZOLAN_FORMAT_ORACLE}
    COMMAND ${ZOLAN_GFORTRAN} -O1 -o ${ZOLAN_FORMAT_ORACLE} ${CMAKE_CURRENT_LIST_DIR}/format_oracle.f90
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/format_oracle.f90
    COMMENT "Building the GNU Fortran reference writer for the format tests"
    VERBATIM)
  add_custom_target(format_oracle_writer DEPENDS ${ZOLAN_FORMAT_ORACLE})
  add_dependencies(format_oracle_test format_oracle_writer)
  target_compile_definitions(format_oracle_test PRIVATE ZOLAN_FORMAT_ORACLE="${ZOLAN_FORMAT_ORACLE}")
else()
  message(STATUS "gfortran not found: the GNU Fortran comparison of formatted output will be skipped")
endif()

gtest_discover_tests(format_oracle_test DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
