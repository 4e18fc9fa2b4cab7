add_test(NAME layering.include_direction
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/include_direction.sh ${CMAKE_SOURCE_DIR}/src)
