# The cross-built tests run under Wine, in a Wine prefix of this build tree made once before
# them, so that neither the user's own prefix nor a test's registry keys leak between trees.
include(${PROJECT_SOURCE_DIR}/cmake/WindowsRuntime.cmake)

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    message(FATAL_ERROR "The Windows tests need Wine (Debian: wine wine64)")
endif()

# Wine's drive Z: is the root of the host's file system, so host paths compiled into the tests
# become Windows paths with this in front.
set(ZR415_TEST_PATH_PREFIX "Z:" CACHE INTERNAL "Turns a host path into a path under Wine")

function(zr415_windows_path out path)
    string(REPLACE "/" "\\" path "Z:${path}")
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

# The libraries in one folder of links, so WINEPATH holds one entry: a list separator in a
# test's environment would split it.
set(dll_dir "${CMAKE_BINARY_DIR}/wine-dlls")
file(GLOB qt_dlls "${ZR415_QT_WINDOWS_BIN_DIR}/*.dll")
file(MAKE_DIRECTORY "${dll_dir}")
foreach(dll IN LISTS qt_dlls ZR415_MINGW_RUNTIME_DLLS)
    get_filename_component(name "${dll}" NAME)
    file(CREATE_LINK "${dll}" "${dll_dir}/${name}" SYMBOLIC)
endforeach()
zr415_windows_path(wine_path "${dll_dir}")
zr415_windows_path(plugin_path "${ZR415_QT_WINDOWS_PLUGIN_DIR}")
# Qt's offscreen platform on Windows reads fonts only from a folder: without one every text
# measures nothing and the layout tests measure nonsense. DejaVu, as on Linux.
zr415_windows_path(font_path "/usr/share/fonts/truetype/dejavu")

set(ZR415_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix")
# Gecko and Mono are not needed and their installers would ask with a window.
set(wine_environment
    "WINEPREFIX=${ZR415_WINE_PREFIX}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml=")
# Wine passes no QT_ variable of the host to a Windows program (they would be the host Qt's),
# but hands WINEQT_X on as QT_X. Without a console window (Wine has none without a display)
# QTest writes its results only to the debugger unless stderr logging is forced.
set(ZR415_WINE_ENVIRONMENT ${wine_environment} "WINEPATH=${wine_path}"
    "WINEQT_PLUGIN_PATH=${plugin_path}" "WINEQT_FORCE_STDERR_LOGGING=1"
    "WINEQT_QPA_PLATFORM=offscreen" "WINEQT_QPA_FONTDIR=${font_path}"
    CACHE INTERNAL "Environment of the tests under Wine")

# winemenubuilder, disabled in the prefix, would put its menu entries into the host's menus.
add_test(NAME wine_prefix
    COMMAND ${CMAKE_COMMAND} -E env ${wine_environment}
        sh -c "WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d' \
${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init && ${CMAKE_CROSSCOMPILING_EMULATOR} reg add \
'HKCU\\Software\\Wine\\DllOverrides' /v winemenubuilder.exe /d '' /f && wineserver --wait")
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
