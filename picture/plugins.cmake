# The host side of the plug-in interface (qel/qpi.h): the host record that
# loads a plug-in library, and the plug-in draw object; a misbehaving plug-in
# of our own (plugin/testing) for the host's tests, and a library that must
# never load.
list(APPEND QEL_PICTURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/plugin/plughost.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plugin/drawplugin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plugin/pluginclasses.cpp
)

function(qel_picture_tests_plugins)
  set(dir ${CMAKE_CURRENT_SOURCE_DIR}/plugin)
  # The host record and the plug-in draw object, by name.
  target_include_directories(qelpicture PUBLIC ${dir})

  # The test plug-in: one with all five exports whose answers the tests set,
  # and one per export that lacks just that export.
  set(exports QPI_GetPlugInfo QPI_GetPropertyInfos QPI_GetInterfaceInfos QPI_GetEventInfos
              QPI_GetEnumInfos)
  set(variants qpiunruly)
  # One compile of the plug-in, linked into each variant with its own exports.
  add_library(qpitest_plugin OBJECT ${dir}/testing/qpitest_plugin.cpp)
  target_include_directories(qpitest_plugin PRIVATE ${dir})
  foreach(missing "" ${exports})
    if(missing)
      set(name qpimiss_${missing})
    else()
      set(name qpiunruly)
    endif()
    set(def "LIBRARY ${name}\nEXPORTS\n")
    foreach(e ${exports} QpiTestConfigure QpiTestLog)
      if(NOT e STREQUAL missing)
        string(APPEND def "  ${e}\n")
      endif()
    endforeach()
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.def "${def}")
    add_library(${name} SHARED $<TARGET_OBJECTS:qpitest_plugin>)
    set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX ""
                          RUNTIME_OUTPUT_DIRECTORY ${QEL_TEST_DIR})
    qel_def_exports(${name} ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
    if(missing)
      list(APPEND variants ${name})
    endif()
  endforeach()

  # A library outside the program folder that leaves the tests' load marker
  # when it is loaded: no picture may load it.
  add_library(qpimarker SHARED ${dir}/testing/qpimarker.cpp)
  target_include_directories(qpimarker PRIVATE ${dir}/testing ${dir} ${CMAKE_SOURCE_DIR}/framework)
  set_target_properties(qpimarker PROPERTIES PREFIX "" IMPORT_PREFIX ""
                        RUNTIME_OUTPUT_DIRECTORY ${QEL_TEST_DIR}/outside)

  qel_test(picture_plugin_test
    SOURCES ${dir}/plughost_test.cpp ${dir}/drawplugin_test.cpp ${dir}/drawplugin_window_test.cpp
    LIBS qelpicture qelwnd)
  add_dependencies(picture_plugin_test ${variants} qpimarker)
endfunction()
