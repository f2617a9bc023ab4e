# Build helpers shared by every subsystem folder.

include(GoogleTest)

# GoogleTest from the sources of Debian's googletest package, built for the target.
macro(qel_add_googletest)
  set(QEL_GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QEL_GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest's own targets go into the build tree, never the program folder.
  set_target_properties(gtest gtest_main gmock gmock_main
                        PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/googletest
                                   ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/googletest)
endmacro()

# qel_test(<name> [SERIAL] SOURCES <files...> [LIBS <libs...>] [RESOURCE_LOCK <lock>]
#          [CASE_LOCK <lock> <filter>])
# A GoogleTest executable in the tests folder, run through Wine; its cases are
# discovered when ctest runs so that the build never needs Wine. Cases that
# share something outside their own folder (a registry key of the program
# they run) name it as their resource lock and run one at a time. CASE_LOCK
# gives the lock only to the cases that the GoogleTest filter names (those
# of the program that use the clipboard, which every window of the session
# shares); the others run side by side as usual. SERIAL runs each case alone:
# for cases that need the keyboard focus, which a window of a test running
# beside them would take (every test shares one display).
function(qel_test name)
  cmake_parse_arguments(T "SERIAL" "RESOURCE_LOCK" "SOURCES;LIBS;CASE_LOCK" ${ARGN})
  set(lock)
  if(T_RESOURCE_LOCK)
    set(lock RESOURCE_LOCK ${T_RESOURCE_LOCK})
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QEL_TEST_DIR})
  if(T_CASE_LOCK)
    # A lock of the whole program and one of some cases would make a list,
    # which the discovery script does not carry.
    if(T_RESOURCE_LOCK)
      message(FATAL_ERROR "qel_test(${name}): RESOURCE_LOCK and CASE_LOCK together")
    endif()
    list(GET T_CASE_LOCK 0 caseLock)
    list(GET T_CASE_LOCK 1 caseFilter)
    qel_discover_cases(${name} ${T_SERIAL} "${caseFilter}" RESOURCE_LOCK ${caseLock})
    qel_discover_cases(${name} ${T_SERIAL} "-${caseFilter}")
  else()
    qel_discover_cases(${name} ${T_SERIAL} "" ${lock})
  endif()
endfunction()

# qel_discover_cases(<name> <serial> <filter> [<properties>...])
# The cases of a test program that the filter names (all when it is empty),
# as ctest's tests.
function(qel_discover_cases name serial filter)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       WORKING_DIRECTORY ${QEL_TEST_DIR}
                       TEST_FILTER "${filter}"
                       PROPERTIES ENVIRONMENT "QEL_PROGRAM_DIR=${QEL_PROGRAM_DIR}"
                                  # a second variable through its own property: a list
                                  # value would not survive the discovery script
                                  ENVIRONMENT_MODIFICATION "QEL_SOURCE_DIR=set:${CMAKE_SOURCE_DIR}"
                                  RUN_SERIAL ${serial}
                                  ${ARGN})
endfunction()

# qel_program_file(<target> <source> <folder>)
# A file that travels in a folder of the program folder (sc, system), copied
# byte for byte whenever it changes, by the custom target <target>.
function(qel_program_file target source folder)
  get_filename_component(name ${source} NAME)
  set(dest ${QEL_PROGRAM_DIR}/${folder}/${name})
  add_custom_command(OUTPUT ${dest} COMMAND ${CMAKE_COMMAND} -E copy ${source} ${dest}
                     DEPENDS ${source} COMMENT "Copying ${name}")
  add_custom_target(${target} ALL DEPENDS ${dest})
endfunction()

# qel_bench(<name> SOURCES <files...> [LIBS <libs...>])
# A benchmark program, run by `make bench` only, never by the tests.
function(qel_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tools/bench)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# qel_def_exports(<target> <file.def>): exports named undecorated through a .def
# file; once linked, the DLL's export table is checked against the .def.
function(qel_def_exports target def)
  target_sources(${target} PRIVATE ${def})
  target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup -Wl,--kill-at)
  get_filename_component(def_path ${def} ABSOLUTE)
  add_custom_command(TARGET ${target} POST_BUILD
                     COMMAND ${CMAKE_SOURCE_DIR}/tools/check-exports.sh ${CMAKE_OBJDUMP}
                             $<TARGET_FILE:${target}> ${def_path}
                     COMMENT "Checking the exports of ${target}" VERBATIM)
endfunction()

# qel_dll(<name> SOURCES <files...> DEF <file.def> [LIBS <libs...>] [DIR <subfolder>])
# A DLL named exactly <name>.dll in the program folder (or a folder below it).
function(qel_dll name)
  cmake_parse_arguments(D "" "DEF;DIR" "SOURCES;LIBS" ${ARGN})
  add_library(${name} SHARED ${D_SOURCES})
  target_link_libraries(${name} PRIVATE ${D_LIBS})
  set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "")
  if(D_DIR)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QEL_PROGRAM_DIR}/${D_DIR})
  endif()
  if(D_DEF)
    qel_def_exports(${name} ${D_DEF})
  endif()
endfunction()

# qel_test_dll(<name> SOURCES <files...> DEF <file.def> [LIBS <libs...>])
# A DLL that test programs load from the tests folder.
function(qel_test_dll name)
  qel_dll(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QEL_TEST_DIR})
endfunction()
