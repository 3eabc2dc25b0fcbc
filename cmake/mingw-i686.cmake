# Windows i686 cross build: the shipped 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_PREFIX i686-w64-mingw32)
# Floating point in SSE2 registers: float and double round as IEEE single and double, as in the
# x86_64 build, instead of x87's 80-bit intermediates (the speaker tables the panel sends must be
# the same in both builds). Windows calls into our code with a 4-byte aligned stack: realign it
# where SSE spills need 16 bytes.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
