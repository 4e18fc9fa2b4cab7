add_test(NAME app.zolan_run COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/cli_check.sh $<TARGET_FILE:zolan_cli>
         ${CMAKE_SOURCE_DIR}/examples/group3d.in)
add_test(NAME app.zolan_hostile_names COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/cli_hostile.sh $<TARGET_FILE:zolan_cli>
         ${CMAKE_SOURCE_DIR}/tests/fixtures/minimal3d.in)
add_test(NAME app.zolan_flexcap COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/cli_flexcap.sh $<TARGET_FILE:zolan_cli>
         ${CMAKE_SOURCE_DIR}/examples/flexcap3d.in)
add_test(NAME app.zolan_incomplete COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/cli_incomplete.sh $<TARGET_FILE:zolan_cli>
         ${CMAKE_SOURCE_DIR}/tests/fixtures/minimal3d.in)
add_test(NAME app.zolan_long_log COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/cli_long_log.sh $<TARGET_FILE:zolan_cli>
         ${CMAKE_SOURCE_DIR}/tests/fixtures/minimal3d.in)
