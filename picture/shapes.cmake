# Rectangle base, ellipses and images, text objects: the draw objects built on
# a rotatable rectangle, and the single-line text.
list(APPEND QEL_PICTURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/rectcorners.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rectpaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plainrect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawrect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawrect_paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawellipse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/imagesize.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafilebounds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafilecheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile_emf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/metafile_wmf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wmfwalk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/imagedata.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawbitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/visibleimage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/textfont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawtext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawtext_paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frametext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawmtext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/textedit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shapeclasses.cpp
)

function(qel_picture_tests_shapes)
  qel_test(picture_shapes_test
    SOURCES
      ${CMAKE_CURRENT_SOURCE_DIR}/rectcorners_test.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/drawrect_test.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/drawtext_test.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/shapes_storage_test.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/shapes_render_test.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/paintcache_test.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/imagedata_test.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/plainrect_test.cpp
    LIBS qelpicture_testing qelpicture qelrender_testing)
  qel_bench(shapes_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/shapes_bench.cpp LIBS qelpicture)
endfunction()
