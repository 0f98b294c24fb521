# add_talv_library(<target> [WITHOUT_LIBC] <sources>...)
#
# A hardware-access library: a loadable module named TALV.dll on every platform, exporting
# TALVEvaluate and nothing else, without the C++ run time as a dependency.
#
# WITHOUT_LIBC (Linux, when VELMIRA_TALV_WITHOUT_LIBC is on): the library needs no shared library
# at all, and the link fails if it comes to need one. A static velmira then loads it without
# loading and starting a C library of its own. Such a library takes its system services from
# talv_linux_system.
function(add_talv_library target)
  cmake_parse_arguments(PARSE_ARGV 1 talv "WITHOUT_LIBC" "" "")
  add_library(${target} MODULE ${talv_UNPARSED_ARGUMENTS})
  target_link_libraries(${target} PRIVATE talv_api)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME TALV
    SUFFIX ".dll"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32)
    return()
  endif()
  # The module name is what a process that already holds the library finds it by.
  target_link_options(${target} PRIVATE -Wl,-soname,TALV.dll)
  if(talv_WITHOUT_LIBC AND VELMIRA_TALV_WITHOUT_LIBC)
    target_sources(${target} PRIVATE "${PROJECT_SOURCE_DIR}/talv/linux/freestanding.cpp")
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
    target_link_options(${target} PRIVATE -nostdlib -Wl,-z,defs)
    # Whatever arithmetic the compiler leaves to its helper library, linked in.
    target_link_libraries(${target} PRIVATE gcc)
  else()
    target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc -Wl,--as-needed)
  endif()
  if(talv_WITHOUT_LIBC)
    target_link_libraries(${target} PRIVATE talv_linux_system)
  endif()
endfunction()
