# Geometry and view mapping, property and link-kind records, the tag value;
# and the drawing surface that pixel tests of the model read back.
list(APPEND QEL_PICTURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/globalstream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/propdesc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tagvalue.cpp
)

add_library(qelrender_testing STATIC ${CMAKE_CURRENT_LIST_DIR}/testing/render_surface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/testing/gdi_recording.cpp)
target_include_directories(qelrender_testing PUBLIC ${CMAKE_CURRENT_LIST_DIR}/testing)
# The surface is the draw objects' own (dibsurface.h).
target_link_libraries(qelrender_testing PUBLIC qelpicture gdi32)

function(qel_picture_tests_base)
  qel_test(picture_base_test
    SOURCES
      ${CMAKE_CURRENT_SOURCE_DIR}/geometry_test.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/propdesc_test.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/tagvalue_test.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/testing/render_surface_test.cpp
    LIBS qelpicture qelrender_testing)
endfunction()
