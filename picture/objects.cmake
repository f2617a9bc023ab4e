# Draw object base, picture and layers, memory drawing surface, poly-lines,
# curves and pipes; the GDI wrappers and the GDI+ start they draw with, and
# the paint cache that keeps what they drew.
list(APPEND QEL_PICTURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gdiplusapi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/memdc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shapepaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gradientline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/strokerun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dibsurface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paintraster.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paintcache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objlist_io.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawlink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawobj.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawobj_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawobj_paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trackerframe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picobj.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawpoly.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawpoly_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawpolygon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bezierpath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawbezier.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pipepath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawpipe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objectclasses.cpp
)

function(qel_picture_tests_objects)
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})
  qel_test(picture_objects_test
    SOURCES
      ${dir}/drawobj_test.cpp
      ${dir}/picobj_test.cpp
      ${dir}/drawpoly_test.cpp
      ${dir}/drawcurve_test.cpp
      ${dir}/shapedraw_test.cpp
      ${dir}/memdc_test.cpp
      ${dir}/drawlink_test.cpp
      ${dir}/knownclip_test.cpp
      ${dir}/trackerframe_test.cpp
      ${dir}/gradientline_test.cpp
    LIBS qelpicture qelrender_testing)
  qel_test(picture_bounds_test
    SOURCES ${dir}/drawbounds_test.cpp ${dir}/metafilecheck_test.cpp
    LIBS qelpicture_testing qelpicture qelrender_testing)
  # The damaged picture is painted as the editing window paints it, grid
  # included (one source of the editing window, which needs only the model).
  qel_bench(picture_bench
    SOURCES ${dir}/picture_bench.cpp
    LIBS qelpicture_testing qelpicgrid qelpicture)
endfunction()
