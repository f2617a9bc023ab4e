# The window layer: window objects and their handle map, message dispatch with
# reflection of child notifications, window classes made by DLLs, module
# start-up, message boxes, fonts and the clipboard.
add_library(qelwnd STATIC
  clipboard.cpp
  commands/cmdtarget.cpp
  commands/cmdui.cpp
  msgbox.cpp
  winapp.cpp
  wnd.cpp
  wndclass.cpp
  wndcreate.cpp
  wndfont.cpp
  wndguard.cpp
  wndmodule.cpp
  wndproc.cpp
  wndreflect.cpp
)
target_include_directories(qelwnd PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(qelwnd PUBLIC qelfw user32 gdi32 comctl32)

# A DLL for the tests: registers a global class when loaded, carries its own
# strings, hosts a child control under a parent of another module.
qel_test_dll(wndtest_dll SOURCES wndtest/wndtest_dll.cpp wndtest/wndtest_dll.rc
             DEF wndtest/wndtest_dll.def LIBS qelwnd)

qel_test(framework_window_test
  SOURCES wnd_attach_test.cpp wnd_reflect_test.cpp wnd_subclass_test.cpp wnd_exception_test.cpp
          wnd_ops_test.cpp winapp_test.cpp msgbox_test.cpp
  LIBS qelwnd)
add_dependencies(framework_window_test wndtest_dll)

# The dialog layer on top of it, the static library `qelui`: resources of the
# module (resources/), control wrappers (controls/), dialogs with their data
# exchange and the common dialogs (dialogs/), property sheets (sheets/); and
# the harness that drives dialogs in tests, `qeluitest` (testing/).
add_library(qelui STATIC)
target_link_libraries(qelui PUBLIC qelwnd comctl32 comdlg32)
foreach(dir resources controls dialogs sheets testing)
  add_subdirectory(${dir})
endforeach()

# The application layer on top of it, the static library `qelframe`: the
# program with its main frame, the loop and the registry (app/), frames and
# the MDI frames (frames/), documents, views and their templates (docview/),
# and control bars: dock bars, toolbars, the status bar (bars/).
add_library(qelframe STATIC)
target_include_directories(qelframe PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(qelframe PUBLIC qelui qelwnd comctl32 comdlg32 shell32 advapi32)
foreach(dir app frames docview bars)
  add_subdirectory(${dir})
endforeach()

# The application layer's tests: a small MDI program of their own (frames/test).
qel_test(framework_frame_test
  SOURCES frames/test/frametest_app.cpp frames/test/frametest.rc frames/frame_test.cpp
          docview/docview_test.cpp app/frameapp_test.cpp bars/bars_test.cpp
  LIBS qelframe qelprogtest)
target_include_directories(framework_frame_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/frames)
