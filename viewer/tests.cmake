# The viewer's tests: the settings file's rules, start-up, project loading,
# the frame and the exit question, and picture switching, in-process with a
# stand-in runtime window; and the viewer program itself, run as a child
# process (viewer_e2e_test.cpp).
qel_test(viewer_test
  SOURCES inireader_test.cpp viewer_frame_test.cpp viewer_switch_test.cpp viewer_test_util.cpp
  LIBS qelviewer qeldemo qelprogtest)

qel_test(viewer_e2e_test
  SOURCES viewer_e2e_test.cpp viewer_test_util.cpp
  LIBS qelviewer qeldemo tagsim_core qelprogtest)
add_dependencies(viewer_e2e_test QelView qel3api tagsim)
# The live cases need the runtime window; without it they are skipped.
if(TARGET QelRun)
  add_dependencies(viewer_e2e_test QelRun)
endif()

qel_bench(viewer_bench SOURCES viewer_bench.cpp LIBS qelviewer qeldemo tagsim_core)
add_dependencies(viewer_bench QelView qel3api tagsim)
if(TARGET QelRun)
  add_dependencies(viewer_bench QelRun)
endif()
