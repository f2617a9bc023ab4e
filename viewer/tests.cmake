# The viewer's tests: the settings file's rules, start-up, project loading,
# the frame and the exit question, and picture switching, in-process with a
# stand-in runtime window; and the viewer program itself, run as a child
# process (viewer_e2e_test.cpp).
add_library(qelviewer_testing STATIC viewer_test_util.cpp)
target_link_libraries(qelviewer_testing PUBLIC qelviewer qeldemo qelprogtest qelwnd qelfw gmock)

qel_test(viewer_test
  SOURCES inireader_test.cpp viewer_frame_test.cpp viewer_switch_test.cpp
  LIBS qelviewer_testing qelviewer qeldemo qelprogtest)

qel_test(viewer_e2e_test
  SOURCES viewer_e2e_test.cpp
  LIBS qelviewer_testing qelviewer qeldemo tagsim_core qelprogtest)
add_dependencies(viewer_e2e_test QelView QelRun qel3api tagsim)

qel_bench(viewer_bench SOURCES viewer_bench.cpp LIBS qelviewer qeldemo tagsim_core)
add_dependencies(viewer_bench QelView QelRun qel3api tagsim)
