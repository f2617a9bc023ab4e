# The script virtual machine: cells and memory, loader, interpreter with its
# instruction table (the direct interpreter), the translation at load and
# the threaded machine that runs it, value arithmetic, the library functions by group, and the
# picture host's functions; the compile runner that makes code bytes with
# Tarnic.
target_sources(qelscript PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/vmcell.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/vmregions.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/vmstorage.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/vmmemory.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/vmload.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/vmarith.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/vmexec.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/vmframes.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/vmliveness.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/vmtranslate.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/vmthreaded.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/vmwork.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/vmargs.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/machine/scriptvm.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/library/vmlib_numeric.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/library/vmlib_string.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/library/vmformat.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/library/vmlib_format.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/library/vmlib_time.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/host/pichost.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/host/pichost_tags.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/host/pichost_ocx.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/links/compilerunner.cpp
)

# The translated machine's handlers run with a stack that their entry aligns
# (machine/vmthreaded.cpp), so that the 32-bit handlers keep every register
# for their values. Shared code that the file emits besides (templates and
# inline functions of other files, of which the linker may keep this copy)
# is compiled for that stack too: today two vector functions, whose code is
# the same either way; check anything new that the file's objdump shows.
if(QEL_FLAVOUR EQUAL 32)
  set_source_files_properties(machine/vmthreaded.cpp PROPERTIES COMPILE_OPTIONS -mincoming-stack-boundary=4)
endif()

# Test support: small scripts compiled in-process with the compiler library,
# then run (vm_test_util); hand-made and hostile code bytes (vm_program,
# vm_hostile) serve the tests and the benchmark.
add_library(qelvm_testing STATIC machine/vm_test_util.cpp testing/vm_program.cpp machine/vm_hostile.cpp)
target_include_directories(qelvm_testing PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/testing)
target_link_libraries(qelvm_testing PUBLIC qelscript qelcompiler_testing gmock)

qel_test(script_vm_test
  SOURCES vm_load_test.cpp machine/vm_core_test.cpp library/vm_library_test.cpp
          host/vm_host_test.cpp machine/vm_hardening_test.cpp library/vm_format_test.cpp machine/vm_work_test.cpp machine/vm_random_test.cpp
          machine/vm_regions_test.cpp machine/vm_translate_test.cpp machine/vmstorage_test.cpp
  LIBS qelvm_testing qelscript qelcompiler_testing)

# The ActiveX host functions with the test control, registered by the tests.
qel_test(script_ocx_test
  SOURCES host/vm_host_ocx_test.cpp
  LIBS qelvm_testing qelscript qelcompiler_testing qeltestocx_reg)
add_dependencies(script_ocx_test tarnic_stdlib)
# The tests read the system-function list delivered beside the compiler.
add_dependencies(script_vm_test tarnic_stdlib)

# The benchmark compares with the same loops in C built with -O2.
qel_bench(script_vm_bench
  SOURCES machine/vm_bench.cpp machine/vm_bench_hostile.cpp machine/vm_bench_native.c
  LIBS qelvm_testing qelscript qelcompiler_testing psapi)
set_source_files_properties(machine/vm_bench_native.c PROPERTIES COMPILE_OPTIONS -O2)
add_dependencies(script_vm_bench tarnic_stdlib)

# The compile runner and script links with the real compiler, and a stand-in
# compiler that reports how it was started, sleeps or leaves given messages.
add_executable(tarnic_standin links/tarnic_standin.cpp)
set_target_properties(tarnic_standin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QEL_TEST_DIR})
qel_test(script_run_test
  SOURCES links/compilerunner_test.cpp links/scriptlink_test.cpp
  LIBS qelscript)
add_dependencies(script_run_test Tarnic tarnic_standin)
