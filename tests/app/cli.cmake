add_test(NAME app.zolan_run COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/cli_check.sh $<TARGET_FILE:zolan_cli>
         ${CMAKE_SOURCE_DIR}/examples/group3d.in)
