# The ActiveX control object (kind 150) with its stored class identifier and
# state, and the bridge through which scripts call into controls; the
# controls are hosted by the framework's control containment (qelole).
list(APPEND QEL_PICTURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/activex/drawctrlocx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/activex/ocxdispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/activex/ocxtypeinfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/activex/activexclasses.cpp
)

function(qel_picture_tests_activex)
  set(dir ${CMAKE_CURRENT_SOURCE_DIR}/activex)
  target_include_directories(qelpicture PUBLIC ${dir})
  target_link_libraries(qelpicture PUBLIC qelole)
  qel_test(picture_activex_test
    SOURCES ${dir}/drawctrlocx_test.cpp ${dir}/drawctrlocx_window_test.cpp
            ${dir}/ocxdispatch_test.cpp
    LIBS qelpicture qelole qeltestocx_reg qeluitest)
endfunction()
