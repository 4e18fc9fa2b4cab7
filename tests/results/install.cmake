# The installed tree: the library, its header, the front end and the CMake
# package, used by a small C program built and run against the prefix.
# A sanitizer build's library needs its runtime loaded first, which a plain
# consumer program does not do: the plain build runs this check.
if(NOT ZOLAN_SANITIZE)
  add_test(NAME results.install_consumer
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/install_check
            -DCONSUMER=${CMAKE_CURRENT_LIST_DIR}/install_consumer -DC_COMPILER=${CMAKE_C_COMPILER}
            -P ${CMAKE_CURRENT_LIST_DIR}/install_consumer/install_check.cmake)
endif()
