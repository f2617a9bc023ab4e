# Whole picture streams: the stored field order of the classes against bytes
# written out by hand, damaged pictures with every class and link kind cut at
# every byte, groups nested to their bound and past it, and the golden picture
# of every class that both flavours must save as the same bytes (its file in
# testdata/, found through the source tree that ctest names). The links and
# their test set come from the script engine, so this program links it too.
function(qel_picture_tests_streams)
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})
  qel_test(picture_streams_test
    SOURCES
      ${dir}/storedorder_test.cpp
      ${dir}/damagedstream_test.cpp
      ${dir}/groupnesting_test.cpp
      ${dir}/goldenpicture_test.cpp
    LIBS qellinks_testing qelpicture qelscript qelrender_testing qelprogtest)
endfunction()
