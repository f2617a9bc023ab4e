# The tests of the attribute and event-link lists: their texts and rules,
# the options list with each in-place editor, and both lists in the running
# editor (the editor's in-process harness) sending back to a stand-in and
# to the real editing window of QelCtrl.dll.
qel_test(editor_lists_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/attrtexts_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/listoptions_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/drawattrlist_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/eventlinklist_test.cpp
          QelMake.rc
  LIBS qeleditor_testing qeleditor qelprogtest qeluitest)
add_dependencies(editor_lists_test QelCtrl qel3api)
