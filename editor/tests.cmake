# The editor's tests: in-process with the program's own resources and a
# stand-in for the connection settings library (editor_test), and the
# program itself run as a child process (editor_e2e_test).

# The connection settings library's stand-in: confirms three entries
# without a dialog.
add_library(fakenurvex SHARED test/fakenurvex.cpp)
target_include_directories(fakenurvex PRIVATE ${CMAKE_SOURCE_DIR}/project)
set_target_properties(fakenurvex PROPERTIES PREFIX "" IMPORT_PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${QEL_TEST_DIR})
qel_def_exports(fakenurvex ${CMAKE_CURRENT_SOURCE_DIR}/test/fakenurvex.def)

# Scripted pictures are made with the editing window tests' helpers.
set(QEL_EDITCTRL_PICTURES ${CMAKE_SOURCE_DIR}/editctrl/editctrl_pictures.cpp
                          ${CMAKE_SOURCE_DIR}/editctrl/editctrl_harness.cpp)

qel_test(editor_test
  SOURCES test/editor_harness.cpp test/editor_files.cpp QelMake.rc editor_app_test.cpp editor_tree_test.cpp editor_compile_test.cpp
          editor_rtdb_test.cpp editor_bars_test.cpp ${QEL_EDITCTRL_PICTURES}
  LIBS qeleditor qeledit qelprogtest)
target_include_directories(editor_test PRIVATE ${CMAKE_SOURCE_DIR}/project)
add_dependencies(editor_test fakenurvex QelCtrl qel3api Tarnic)

# The program itself: it registers its file type and keeps its recent files
# under the real keys, so its cases run one at a time and clean up.
qel_test(editor_e2e_test
  SOURCES editor_e2e_test.cpp test/editor_files.cpp
  LIBS qelproject qelframe qelprogtest
  RESOURCE_LOCK qelmake_registry)
add_dependencies(editor_e2e_test QelMake QelCtrl qel3api Tarnic)
