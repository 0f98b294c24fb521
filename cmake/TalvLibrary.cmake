# add_talv_library(<target> <sources>...)
#
# A hardware-access library: a loadable module named TALV.dll on every platform, exporting
# TALVEvaluate and nothing else, without the C++ run time as a dependency.
function(add_talv_library target)
  add_library(${target} MODULE ${ARGN})
  target_link_libraries(${target} PRIVATE talv_api)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME TALV
    SUFFIX ".dll"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(NOT WIN32)
    target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc)
    # The module name is what a process that already holds the library finds it by.
    target_link_options(${target} PRIVATE -Wl,-soname,TALV.dll -Wl,--as-needed)
  endif()
endfunction()
