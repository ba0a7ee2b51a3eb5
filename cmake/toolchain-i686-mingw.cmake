# Cross-build for 32-bit Windows, the shipped form of the programs.
set(QM_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
