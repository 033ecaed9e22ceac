# The Windows build's programs run under wine: the tests through a wrapper made here, with the
# directories of the compiler's runtime libraries (the module, the host library and the tests
# share that one C++ runtime) and a wine prefix of this build's own.
find_program(MARLOVAN_WINE wine REQUIRED)
set(runtime_dirs "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}")
    message(FATAL_ERROR "The compiler does not know where ${dll} is")
  endif()
  get_filename_component(dir "${path}" DIRECTORY)
  list(APPEND runtime_dirs "${dir}")
endforeach()
list(REMOVE_DUPLICATES runtime_dirs)
list(JOIN runtime_dirs ";" MARLOVAN_WINEPATH)
set(MARLOVAN_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine_run.in ${CMAKE_BINARY_DIR}/wine_run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine_run)
