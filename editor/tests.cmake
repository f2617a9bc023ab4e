# The editor's tests: in-process with the program's own resources, its
# dialogs and Nurvex.dll's driven by the framework's dialog harness
# (editor_test), and the program itself run as a child process
# (editor_e2e_test).

# Test support: the editor's files, the running editor in-process, and its
# attribute lists driven as the engineer would. Scripted pictures are made
# with the editing window tests' helpers.
add_library(qeleditor_files_testing STATIC test/editor_files.cpp)
target_link_libraries(qeleditor_files_testing PUBLIC qelproject qelfw)
add_library(qeleditor_testing STATIC test/editor_harness.cpp attrlist/attrlist_testutil.cpp)
target_link_libraries(qeleditor_testing PUBLIC qeleditor qeleditor_files_testing qelcolors_testing qeluitest qelprogtest gmock)

qel_test(editor_test
  SOURCES QelMake.rc editor_app_test.cpp editor_tree_test.cpp editor_compile_test.cpp
          editor_rtdb_test.cpp editor_bars_test.cpp editor_dialogs_test.cpp editor_picview_test.cpp
          editor_ruler_test.cpp editor_localtags_test.cpp editor_demo_test.cpp
          editor_foreign_test.cpp
  LIBS qeleditor_testing qeleditctrl_testing qeleditor qeledit qeldemo qelprogtest qeluitest qeltestocx_reg)
target_include_directories(editor_test PRIVATE ${CMAKE_SOURCE_DIR}/project)
# The foreign picture names the marker library of the picture model's tests.
add_dependencies(editor_test QelCtrl qel3api Tarnic Nurvex qpimarker)

# The program itself: it registers its file type and keeps its recent files
# under the real keys, so its cases run one at a time and clean up.
qel_test(editor_e2e_test
  SOURCES editor_e2e_test.cpp
  LIBS qeleditor_files_testing qeleditctrl_testing qelproject qelframe qelprogtest qeluitest
  RESOURCE_LOCK qelmake_registry)
add_dependencies(editor_e2e_test QelMake QelCtrl qel3api Tarnic script_tips)

# Real clicks and keys through the input queue: each case needs the focus,
# so the cases run alone; the layout cases beside them read the windows'
# own surfaces.
qel_test(editor_keys_test SERIAL
  SOURCES editor_keys_test.cpp editor_layout_test.cpp test/editor_harness.cpp test/editor_files.cpp QelMake.rc
  LIBS qeleditor qeldemo qelprogtest qeluitest)
add_dependencies(editor_keys_test QelCtrl qel3api Tarnic)

# One journey through the editor (in this program, with the real editing
# window) and then the viewer program against the simulated server.
qel_test(editor_journey_test
  SOURCES editor_journey_test.cpp QelMake.rc
  LIBS qeleditor_testing qeleditor qeldemo tagsim_core qelprogtest qeluitest)
target_include_directories(editor_journey_test PRIVATE ${CMAKE_SOURCE_DIR}/editctrl)
add_dependencies(editor_journey_test QelCtrl QelView QelRun qel3api Tarnic Nurvex tagsim)

include(${CMAKE_CURRENT_SOURCE_DIR}/attrlist/tests.cmake)
