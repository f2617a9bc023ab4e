# The script virtual machine: cells and memory, loader, interpreter with its
# instruction table (the direct interpreter), the translation at load and
# the threaded machine that runs it, value arithmetic, the library functions by group, and the
# picture host's functions; the compile runner that makes code bytes with
# Tarnic.
target_sources(qelscript PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/vmcell.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmregions.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmstorage.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmmemory.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmload.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmarith.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmexec.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmframes.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmliveness.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmtranslate.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmthreaded.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmwork.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmargs.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/scriptvm.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmlib_numeric.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmlib_string.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmformat.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmlib_format.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmlib_time.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/pichost.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/pichost_tags.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/pichost_ocx.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/compilerunner.cpp
)

# Test support: small scripts compiled in-process with the compiler library,
# then run (vm_test_util); hand-made and hostile code bytes (vm_program,
# vm_hostile) serve the tests and the benchmark.
add_library(qelvm_testing STATIC vm_test_util.cpp testing/vm_program.cpp vm_hostile.cpp)
target_include_directories(qelvm_testing PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/testing)
target_link_libraries(qelvm_testing PUBLIC qelscript qelcompiler_testing gmock)

qel_test(script_vm_test
  SOURCES vm_load_test.cpp vm_core_test.cpp vm_library_test.cpp
          vm_host_test.cpp vm_hardening_test.cpp vm_format_test.cpp vm_work_test.cpp vm_random_test.cpp
          vm_regions_test.cpp vm_translate_test.cpp vmstorage_test.cpp
  LIBS qelvm_testing qelscript qelcompiler_testing)

# The ActiveX host functions with the test control, registered by the tests.
qel_test(script_ocx_test
  SOURCES vm_host_ocx_test.cpp
  LIBS qelvm_testing qelscript qelcompiler_testing qeltestocx_reg)
add_dependencies(script_ocx_test tarnic_stdlib)
# The tests read the system-function list delivered beside the compiler.
add_dependencies(script_vm_test tarnic_stdlib)

# The benchmark compares with the same loops in C built with -O2.
qel_bench(script_vm_bench
  SOURCES vm_bench.cpp vm_bench_hostile.cpp vm_bench_native.c
  LIBS qelvm_testing qelscript qelcompiler_testing psapi)
set_source_files_properties(vm_bench_native.c PROPERTIES COMPILE_OPTIONS -O2)
add_dependencies(script_vm_bench tarnic_stdlib)

# The compile runner and script links with the real compiler, and a stand-in
# compiler that reports how it was started, sleeps or leaves given messages.
add_executable(tarnic_standin tarnic_standin.cpp)
set_target_properties(tarnic_standin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QEL_TEST_DIR})
qel_test(script_run_test
  SOURCES compilerunner_test.cpp scriptlink_test.cpp
  LIBS qelscript)
add_dependencies(script_run_test Tarnic tarnic_standin)
