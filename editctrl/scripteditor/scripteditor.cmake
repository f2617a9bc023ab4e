# The script editor of the editing control as sources:
#   QEL_SCRIPT_EDITOR_SOURCES    the dialog, its edit control, completion list,
#                                colouring, tips and commands (QelCtrl)
#   QEL_SCRIPT_EDITOR_RESOURCES  its dialog, toolbar images and texts: a
#                                resource script, to be a source of the DLL or
#                                test program itself (a static library would
#                                leave it out of the link)
set(QEL_SCRIPT_EDITOR_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QEL_SCRIPT_EDITOR_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/scripttext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scriptscanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scripttips.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rtfcolours.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scriptpending.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scriptcolorizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scriptmessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tiplistbox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scriptedit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scriptdlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scriptcommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scriptlinkdlg.cpp
)
set(QEL_SCRIPT_EDITOR_RESOURCES ${CMAKE_CURRENT_LIST_DIR}/scripteditor.rc)
