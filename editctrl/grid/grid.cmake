# The owner-drawn list window CGridWnd as sources, for every module that shows
# lists: QelCtrl and QelRun now; the editor (QelMake) and the sample plug-in
# (Sampex) compile the same list. A module that compiles them links the window
# layer (qelwnd) and the memory drawing surface (picture/memdc.cpp, which
# qelpicture holds); its include path needs QEL_GRID_DIR.
set(QEL_GRID_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QEL_GRID_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/gridwnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gridhit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gridmouse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gridscroll.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gridpaint.cpp
)
