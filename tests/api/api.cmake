add_executable(dlopen_check ${CMAKE_CURRENT_LIST_DIR}/dlopen_check.c)
target_link_libraries(dlopen_check PRIVATE ${CMAKE_DL_LIBS})
add_test(NAME api.dlopen COMMAND dlopen_check $<TARGET_FILE:zolan>)
add_test(NAME api.exports COMMAND ${CMAKE_COMMAND} -DLIB=$<TARGET_FILE:zolan>
         -P ${CMAKE_CURRENT_LIST_DIR}/exports.check)
