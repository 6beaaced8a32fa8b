# What a MinGW-built program needs beside it at run time: the compiler's runtime libraries and
# Qt's libraries and plugins. The tests find them through WINEPATH; the packages copy them.
# Included by both, in their own directory scopes.

set(ZR415_MINGW_RUNTIME_DLLS)
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    # The compiler echoes a bare name that it did not find.
    if(IS_ABSOLUTE "${dll_path}" AND EXISTS "${dll_path}")
        get_filename_component(dll_path "${dll_path}" REALPATH)
        list(APPEND ZR415_MINGW_RUNTIME_DLLS "${dll_path}")
    else()
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
    endif()
endforeach()

set(ZR415_MINGW_RUNTIME_DIRS)
foreach(dll IN LISTS ZR415_MINGW_RUNTIME_DLLS)
    get_filename_component(dir "${dll}" DIRECTORY)
    list(APPEND ZR415_MINGW_RUNTIME_DIRS "${dir}")
endforeach()
list(REMOVE_DUPLICATES ZR415_MINGW_RUNTIME_DIRS)

get_target_property(zr415_qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT zr415_qt_core_dll)
    get_target_property(zr415_qt_core_dll Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(ZR415_QT_WINDOWS_BIN_DIR "${zr415_qt_core_dll}" DIRECTORY)
get_filename_component(ZR415_QT_WINDOWS_PLUGIN_DIR "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}"
    ABSOLUTE)
if(NOT EXISTS "${ZR415_QT_WINDOWS_PLUGIN_DIR}/platforms")
    message(FATAL_ERROR "No Qt platform plugins in ${ZR415_QT_WINDOWS_PLUGIN_DIR}")
endif()
