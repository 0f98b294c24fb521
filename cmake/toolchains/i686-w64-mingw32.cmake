# 32-bit Windows, for the laptops and the maker's 32-bit TALV.dll. This machine cannot run it.
set(MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
