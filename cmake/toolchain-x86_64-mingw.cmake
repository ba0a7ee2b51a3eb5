# Cross-build for 64-bit Windows (compile check only).
set(QM_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
