# Groups and sub-pictures, and the draw objects that host a child window
# (buttons, check boxes, radio buttons, edit boxes) with those windows.
list(APPEND QEL_PICTURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/drawgroup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawgroup_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawgroup_paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawcell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawctrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/storedbytes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ctrlbutton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ctrlbutton_paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawbutton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ctrleditwnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawctrledit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/groupclasses.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paintcover.cpp
)

function(qel_picture_tests_groups)
  # The control objects own system windows through the window layer.
  target_link_libraries(qelpicture PUBLIC qelwnd)
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})
  qel_test(picture_groups_test
    SOURCES
      ${dir}/drawgroup_test.cpp
      ${dir}/drawctrl_test.cpp
      ${dir}/ctrlwindow_test.cpp
      ${dir}/groups_test_link.cpp
    LIBS qelpicture qelwnd qelrender_testing)
  qel_test(picture_cover_test
    SOURCES ${dir}/paintcover_test.cpp
    LIBS qelpicture_testing qelpicture qelrender_testing)
endfunction()
