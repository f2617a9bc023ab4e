# The colour pickers of the editing control as sources:
#   QEL_COLOR_POPUP_SOURCES    the colour popup with its 40 named colours
#                              (QelCtrl, and the editor's attribute list)
#   QEL_COLOR_CONTROL_SOURCES  the colour swatch and the colour strip of the
#                              link pages, built on the popup (QelCtrl)
# A module that compiles them links the dialog layer (qelui: the tooltips
# and the colour dialog); one that compiles the strip also links the script
# layer (qelscript), whose colour link holds the levels' default colours.
set(QEL_COLORS_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QEL_COLOR_POPUP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/colortable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/popupkeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colorpopup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colorpopup_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colorpopup_paint.cpp
)
set(QEL_COLOR_CONTROL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/colorcontrol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colorswatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colorstrip.cpp
)
