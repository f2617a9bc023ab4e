# Build helpers shared by every subsystem folder.

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

# Test programs run in shards: GoogleTest's own sharding splits the long ones
# so that the suite keeps every core busy to its end, and a program not named
# here runs as one ctest test (one Wine process). A program gets an entry
# when it runs well over the time of a fair share of the suite on one core
# (some ten seconds, less than a tenth of the whole on eight cores); its
# count brings each shard near that.
set(QEL_TEST_SHARDS
  editor_test 6
  script_vm_test 4
  editctrl_test 3
  colors_test 2
  compiler_test 2
  dbclient_test 2
  editor_lists_test 2
  framework_frame_test 2
  linkpages_test 2
  picture_shapes_test 2
  project_tagsim_test 2
  project_test 2
  runctrl_test 2
  viewer_e2e_test 2
)

# An entry whose program is gone (renamed) would quietly give up its shards.
function(qel_check_shard_table)
  foreach(entry IN LISTS QEL_TEST_SHARDS)
    if(NOT entry MATCHES "^[0-9]+$" AND NOT TARGET ${entry})
      message(FATAL_ERROR "QEL_TEST_SHARDS names ${entry}, which is no test program")
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL qel_check_shard_table)

# The link graph of the tree for tools/check-includes.sh: one line a target
# defined below the source folder, "<target> <its folder> <program|test>
# <the targets and libraries it links>". Test programs and benchmarks are
# marked "test": they link whatever they check, so they say nothing of which
# folder stands on which.
function(qel_collect_targets dir variable)
  get_property(found DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    string(FIND "${sub}/" "${CMAKE_SOURCE_DIR}/" at)
    if(at EQUAL 0)
      qel_collect_targets(${sub} more)
      list(APPEND found ${more})
    endif()
  endforeach()
  set(${variable} ${found} PARENT_SCOPE)
endfunction()

function(qel_write_link_graph)
  qel_collect_targets(${CMAKE_SOURCE_DIR} targets)
  get_property(testPrograms GLOBAL PROPERTY QEL_TEST_PROGRAMS)
  set(graph "")
  foreach(target IN LISTS targets)
    get_target_property(dir ${target} SOURCE_DIR)
    file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${dir})
    if(folder STREQUAL "")
      set(folder .)
    endif()
    set(kind program)
    if(target IN_LIST testPrograms)
      set(kind test)
    endif()
    set(links)
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(named ${target} ${property})
      if(named)
        list(APPEND links ${named})
      endif()
    endforeach()
    # $<LINK_LIBRARY:feature,name> and the like: the names inside.
    string(REGEX REPLACE "\\$<[A-Z_]+:([A-Z_]+,)?" "" links "${links}")
    string(REPLACE ">" "" links "${links}")
    list(JOIN links " " links)
    string(APPEND graph "${target} ${folder} ${kind} ${links}\n")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/link-graph.txt "${graph}")
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL qel_write_link_graph)

# Seconds a shard may take, some ten times the longest seen on a loaded machine.
set(QEL_SHARD_TIMEOUT 600)

# Where tools/run-gtest.sh records failed cases and retried shards (for
# tools/test-records.sh).
set(QEL_TEST_RECORDS ${CMAKE_BINARY_DIR}/test-records)

# qel_test(<name> [SERIAL] SOURCES <files...> [LIBS <libs...>] [RESOURCE_LOCK <lock>]
#          [CASE_LOCK <lock> <filter>] [OWN_PROCESS <filter>] [SERIAL_CASES <filter>])
# A GoogleTest executable in the tests folder, run through Wine by
# tools/run-gtest.sh, one ctest test for each shard: <name> (or <name>/<i>,
# GTEST_SHARD_INDEX i, when the program is split). The shards are known when
# CMake configures, so that the build never needs Wine. A program whose cases
# share something outside their own folder (a registry key of the program
# they run) names it as its resource lock: its shards run one at a time.
# CASE_LOCK gives the lock only to the cases that the GoogleTest filter names
# (those of the program that use the clipboard, which every window of the
# session shares): they run together as <name>/<lock>, and the other cases
# side by side as usual. OWN_PROCESS gives each pattern of its filter a
# process of its own, <name>/<pattern>: for a case that checks the state a
# process starts in, which the cases before it in the same process change.
# SERIAL runs each shard alone: for cases that need the keyboard focus,
# which a window of a test running beside them would take (every test shares
# one display); SERIAL_CASES runs only the cases its filter names alone, as
# <name>/serial.
function(qel_test name)
  cmake_parse_arguments(T "SERIAL" "RESOURCE_LOCK;OWN_PROCESS;SERIAL_CASES" "SOURCES;LIBS;CASE_LOCK" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_property(GLOBAL APPEND PROPERTY QEL_TEST_PROGRAMS ${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QEL_TEST_DIR})
  # The patterns of the cases that run apart from the shards of the others.
  set(apart)
  if(T_OWN_PROCESS)
    string(REPLACE ":" ";" ownPatterns "${T_OWN_PROCESS}")
    foreach(pattern IN LISTS ownPatterns)
      qel_test_shards(${name} ${name}/${pattern} 1 "${pattern}" "${T_SERIAL}" "${T_RESOURCE_LOCK}")
    endforeach()
    list(APPEND apart ${ownPatterns})
  endif()
  if(T_CASE_LOCK)
    list(GET T_CASE_LOCK 0 caseLock)
    list(GET T_CASE_LOCK 1 caseFilter)
    qel_gtest_filter(lockFilter "${caseFilter}" "${apart}")
    set(caseLocks ${T_RESOURCE_LOCK} ${caseLock})
    qel_test_shards(${name} ${name}/${caseLock} 1 "${lockFilter}" "${T_SERIAL}" "${caseLocks}")
    string(REPLACE ":" ";" lockPatterns "${caseFilter}")
    list(APPEND apart ${lockPatterns})
  endif()
  if(T_SERIAL_CASES)
    qel_gtest_filter(serialFilter "${T_SERIAL_CASES}" "${apart}")
    qel_test_shards(${name} ${name}/serial 1 "${serialFilter}" TRUE "${T_RESOURCE_LOCK}")
    string(REPLACE ":" ";" serialPatterns "${T_SERIAL_CASES}")
    list(APPEND apart ${serialPatterns})
  endif()
  qel_gtest_filter(restFilter "" "${apart}")
  qel_shard_count(${name} shards)
  qel_test_shards(${name} ${name} ${shards} "${restFilter}" "${T_SERIAL}" "${T_RESOURCE_LOCK}")
endfunction()

# qel_gtest_filter(<variable> <filter> <patterns>): GoogleTest's filter of the
# cases that <filter> names (every case when it is empty) but none of the
# list <patterns>.
function(qel_gtest_filter variable filter patterns)
  if(patterns)
    string(JOIN ":" leftOut ${patterns})
    set(filter "${filter}-${leftOut}")
  endif()
  set(${variable} "${filter}" PARENT_SCOPE)
endfunction()

# qel_shard_count(<program> <variable>): the program's entry in QEL_TEST_SHARDS, or 1.
function(qel_shard_count program variable)
  list(FIND QEL_TEST_SHARDS ${program} at)
  set(count 1)
  if(at GREATER_EQUAL 0)
    math(EXPR at "${at} + 1")
    list(GET QEL_TEST_SHARDS ${at} count)
  endif()
  set(${variable} ${count} PARENT_SCOPE)
endfunction()

# qel_test_shards(<program> <test> <count> <filter> <serial> <locks>)
# The cases of a test program that the GoogleTest filter names (all when it
# is empty) as <count> ctest tests, named <test> when there is one and
# <test>/<i> when there are more.
function(qel_test_shards program test count filter serial locks)
  set(filterArgument)
  if(filter)
    set(filterArgument --gtest_filter=${filter})
  endif()
  math(EXPR last "${count} - 1")
  foreach(index RANGE ${last})
    set(shard ${test})
    if(count GREATER 1)
      set(shard ${test}/${index})
    endif()
    add_test(NAME ${shard}
             COMMAND ${CMAKE_SOURCE_DIR}/tools/run-gtest.sh ${QEL_TEST_RECORDS} ${shard} ${index}/${count}
                     ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${program}> ${filterArgument}
             WORKING_DIRECTORY ${QEL_TEST_DIR})
    # A crash under Wine starts its debugger, which may never end: the limit
    # ends such a shard (with its output so far) rather than the whole run.
    set_tests_properties(${shard} PROPERTIES
                         ENVIRONMENT "QEL_PROGRAM_DIR=${QEL_PROGRAM_DIR};QEL_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
                         RUN_SERIAL "${serial}" TIMEOUT ${QEL_SHARD_TIMEOUT})
    if(locks)
      set_tests_properties(${shard} PROPERTIES RESOURCE_LOCK "${locks}")
    endif()
  endforeach()
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
  set_property(GLOBAL APPEND PROPERTY QEL_TEST_PROGRAMS ${name})
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
