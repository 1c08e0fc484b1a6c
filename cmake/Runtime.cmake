# The programs use the toolchain's shared C++ runtime, so that the class
# library, the client and the extension DLLs share one runtime (one heap,
# one exception machinery). Its DLLs are copied beside the programs so a
# program runs from the output folder with nothing else on the path.
set(_gcc_runtime_dir /usr/lib/gcc/${MINGW_TRIPLE}/${CMAKE_CXX_COMPILER_VERSION})
if(NOT EXISTS ${_gcc_runtime_dir})
  string(REGEX MATCH "^[0-9]+" _gcc_major "${CMAKE_CXX_COMPILER_VERSION}")
  set(_gcc_runtime_dir /usr/lib/gcc/${MINGW_TRIPLE}/${_gcc_major}-posix)
endif()

set(OMBRELLE_RUNTIME_DLLS
  ${_gcc_runtime_dir}/libstdc++-6.dll
  ${_gcc_runtime_dir}/libgcc_s_seh-1.dll
  /usr/${MINGW_TRIPLE}/lib/libwinpthread-1.dll)

foreach(_dll IN LISTS OMBRELLE_RUNTIME_DLLS)
  if(NOT EXISTS ${_dll})
    message(FATAL_ERROR "Runtime DLL not found: ${_dll}")
  endif()
  file(COPY ${_dll} DESTINATION ${OMBRELLE_BIN_DIR})
endforeach()
