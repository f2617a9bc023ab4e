# The attribute list and the event-link list of the workspace bar's
# "属性/动作" tab, with the options list and its in-place editors, compiled
# into the editor's library; the colour popup of the editing control is
# linked in with them (its "无颜色" box serves the attribute list).
target_sources(qeleditor PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/attrtexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawattrlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventlinklist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listoptionsctrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/optionbuttons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/optionedits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/propertypanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tablists.cpp
)
target_link_libraries(qeleditor PUBLIC qelcolorpopup)
