# Helpers shared by every target of the project.

# The C++ runtime is linked dynamically so exceptions and objects cross our DLLs;
# its DLLs are copied into the program folder.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
  set(RUNTIME_DLLS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
else()
  set(RUNTIME_DLLS libstdc++-6.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
endif()
foreach(dll ${RUNTIME_DLLS})
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS "${dll_path}")
    file(GLOB_RECURSE dll_path /usr/lib/gcc/${TOOL_PREFIX}/*posix/${dll} /usr/${TOOL_PREFIX}/lib/${dll})
    list(GET dll_path 0 dll_path)
  endif()
  file(COPY ${dll_path} DESTINATION ${PROGRAM_DIR})
endforeach()

# tessaro_library(name SOURCES...): a DLL of ours whose API macro switches to
# dllexport while it is built.
function(tessaro_dll name export_define)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;INCLUDES" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  target_compile_definitions(${name} PRIVATE ${export_define})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  target_include_directories(${name} PUBLIC ${ARG_INCLUDES})
  set_target_properties(${name} PROPERTIES OUTPUT_NAME ${name})
endfunction()

# A resource-only module built from one .rc file, installed in system\.
function(tessaro_resource_module name rc_file)
  add_library(${name} SHARED ${rc_file})
  # The resource compiler reports no dependencies: the module is made again whenever a
  # file of its folder or of the shared ids changes.
  file(GLOB inputs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.rc ${CMAKE_CURRENT_SOURCE_DIR}/*.bmp
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cur ${CMAKE_CURRENT_SOURCE_DIR}/*.ico ${CMAKE_SOURCE_DIR}/modules/LanguageCommon/*)
  set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS "${inputs}")
  set_target_properties(${name} PROPERTIES LINKER_LANGUAGE C
    RUNTIME_OUTPUT_DIRECTORY ${SYSTEM_DIR} LIBRARY_OUTPUT_DIRECTORY ${SYSTEM_DIR})
  target_link_options(${name} PRIVATE -nostdlib -Wl,--entry=0 -Wl,--dll)
endfunction()

# tessaro_test(name SOURCES... LIBS...): one GoogleTest executable, run as one
# ctest test in one Wine process.
function(tessaro_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest_main_cross)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# A processing module (system\<name>.dll) over the DSP library: its entry points exported
# by the names of its .def file, and 32-bit code that may be called with a stack aligned
# to 4 bytes only. Like every binary of ours it uses the C++ runtime DLLs beside the program.
function(tessaro_processing_module name)
  add_library(${name} SHARED ${ARGN})
  target_link_libraries(${name} PRIVATE Dsp)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SYSTEM_DIR} LIBRARY_OUTPUT_DIRECTORY ${SYSTEM_DIR})
endfunction()

# Code of the DSP library and its modules: SSE2 doubles on both machines.
set(DSP_COMPILE_OPTIONS -O2)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL i686)
  list(APPEND DSP_COMPILE_OPTIONS -msse2 -mfpmath=sse -mstackrealign)
endif()
