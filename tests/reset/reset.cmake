# Every mutable table and word of the built core library is reset by RESETRUN.
add_test(NAME reset.every_table_reset
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/reset_check.sh $<TARGET_FILE:zolan_core> ${CMAKE_SOURCE_DIR}/src)
set_tests_properties(reset.every_table_reset PROPERTIES SKIP_RETURN_CODE 77)
