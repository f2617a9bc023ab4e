# The tag lists of the editing control as sources, in the groups that the
# modules compile:
#   QEL_RECORD_ARRAY_SOURCES  the growable record array with the tag records'
#                             order and type names: every module that holds
#                             tag records (QelCtrl, and through the project
#                             model the editor and the viewer; Sampex)
#   QEL_TAG_SORT_SOURCES      the quicksort of records (QelCtrl, the editor, Sampex)
#   QEL_TAG_LIST_SOURCES      the local and the database tag list; they need
#                             the list window's sources (grid/grid.cmake),
#                             both groups above and the dialog layer (qelui)
#   QEL_TAG_PICKER_SOURCES    the pickers that insert tags and functions into
#                             edit controls (QelCtrl's expression page and
#                             script editor); they need the lists
#   QEL_TAG_LIST_RESOURCES    the lists' row bitmaps: a resource script, to be
#                             a source of the program or DLL itself (a static
#                             library would leave it out of the link)
# The include path needs QEL_TAGLISTS_DIR and the records of qel3api
# (dbclient/).
set(QEL_TAGLISTS_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QEL_RECORD_ARRAY_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/recordbuffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tagrecords.cpp
)
set(QEL_TAG_SORT_SOURCES ${CMAKE_CURRENT_LIST_DIR}/recordsort.cpp)
set(QEL_TAG_LIST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/taglistctrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/localtaglist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rtdbtaglist.cpp
)
set(QEL_TAG_LIST_RESOURCES ${CMAKE_CURRENT_LIST_DIR}/taglists.rc)
set(QEL_TAG_PICKER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/functionlists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pickinsert.cpp
  ${CMAKE_CURRENT_LIST_DIR}/functiontree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tagpickpanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picktab.cpp
)
