# Install rules and packages: `cmake --install`, a .deb from `cpack -G DEB` on Linux,
# an NSIS installer and a zip for Windows (after windeployqt, or in a cross build the rules
# below, have gathered the Qt libraries).
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/Icons.cmake)

set(ZR415_PACKAGE_NAME zr415config)
set(ZR415_RESOURCES "${PROJECT_SOURCE_DIR}/resources")
set(ZR415_DATA_DESTINATION "${CMAKE_INSTALL_DATADIR}/${ZR415_PACKAGE_NAME}")
set(ZR415_DOC_DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/${ZR415_PACKAGE_NAME}")
set(ZR415_PACKAGE_MAINTAINER
    "Seed 8a6c6b3e maintainers <maintainers@users.noreply.c-seed-8a6c6b3e.example>"
    CACHE STRING "Maintainer named in the packages")

install(TARGETS zr415config zr415-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Optional resources: a tree without them still installs the programs.
if(EXISTS "${ZR415_RESOURCES}/labels/TblForLabel.sql")
    install(FILES "${ZR415_RESOURCES}/labels/TblForLabel.sql" DESTINATION ${ZR415_DATA_DESTINATION})
endif()
if(EXISTS "${ZR415_RESOURCES}/help/101.html")
    # The page names its picture 101.png, so the picture keeps that name beside it.
    install(FILES "${ZR415_RESOURCES}/help/101.html"
        DESTINATION ${ZR415_DOC_DESTINATION} RENAME zr415config-help.html)
    install(FILES "${ZR415_RESOURCES}/help/101.png" DESTINATION ${ZR415_DOC_DESTINATION})
endif()

if(UNIX AND NOT APPLE)
    foreach(size IN LISTS ZR415_ICON_SIZES)
        install(FILES "${ZR415_ICON_DIR}/zr415config-${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps"
            RENAME zr415config.png)
    endforeach()
    install(FILES "${ZR415_ICON_DIR}/zr415config.svg"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps")
    install(FILES "${ZR415_RESOURCES}/linux/zr415config.desktop"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")
    install(FILES "${ZR415_RESOURCES}/linux/zr415config-mime.xml"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/mime/packages" RENAME zr415config.xml)
endif()

if(WIN32)
    # Icon and version resource of both executables.
    enable_language(RC)
    set(ZR415_ICO_FILE "${ZR415_ICON_DIR}/zr415config.ico")
    foreach(exe IN ITEMS zr415config zr415-convert)
        set(ZR415_RC_NAME ${exe})
        if(exe STREQUAL "zr415config")
            set(ZR415_RC_DESCRIPTION "ZR415 configuration editor")
        else()
            set(ZR415_RC_DESCRIPTION "ZR415 channel file converter")
        endif()
        configure_file("${ZR415_RESOURCES}/windows/zr415config.rc.in"
            "${PROJECT_BINARY_DIR}/rc/${exe}.rc" @ONLY)
        target_sources(${exe} PRIVATE "${PROJECT_BINARY_DIR}/rc/${exe}.rc")
    endforeach()

    # The MSVC runtime beside the programs; windeployqt copies MinGW's itself.
    set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${CMAKE_INSTALL_BINDIR})
    include(InstallRequiredSystemLibraries)

    # windeployqt lives in Qt's bin folder, next to qmake and moc.
    set(zr415_qt_bin_dirs)
    foreach(tool IN ITEMS Qt6::qmake Qt6::moc)
        if(TARGET ${tool})
            foreach(property IN ITEMS IMPORTED_LOCATION IMPORTED_LOCATION_RELEASE
                    IMPORTED_LOCATION_RELWITHDEBINFO IMPORTED_LOCATION_DEBUG IMPORTED_LOCATION_NONE)
                get_target_property(location ${tool} ${property})
                if(location)
                    get_filename_component(location_dir "${location}" DIRECTORY)
                    list(APPEND zr415_qt_bin_dirs "${location_dir}")
                    break()
                endif()
            endforeach()
        endif()
    endforeach()
    find_program(ZR415_WINDEPLOYQT NAMES windeployqt windeployqt6 HINTS ${zr415_qt_bin_dirs})
    if(ZR415_WINDEPLOYQT)
        set(zr415_deploy_options --no-translations --no-system-d3d-compiler --no-opengl-sw)
        if(MSVC)
            list(APPEND zr415_deploy_options --no-compiler-runtime)
        endif()
        list(JOIN zr415_deploy_options " " zr415_deploy_options)
        install(CODE "
            set(bin_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
            message(STATUS \"Deploying Qt into \${bin_dir}\")
            execute_process(
                COMMAND \"${ZR415_WINDEPLOYQT}\" ${zr415_deploy_options} --dir \"\${bin_dir}\"
                    \"\${bin_dir}/$<TARGET_FILE_NAME:zr415config>\"
                    \"\${bin_dir}/$<TARGET_FILE_NAME:zr415-convert>\"
                RESULT_VARIABLE deploy_result)
            if(NOT deploy_result EQUAL 0)
                message(FATAL_ERROR \"windeployqt failed: \${deploy_result}\")
            endif()")
    elseif(MINGW AND CMAKE_CROSSCOMPILING)
        # A Qt cross-built for Windows has no windeployqt that runs here: the plugins are
        # copied by name into windeployqt's layout, and the libraries that the programs and
        # those plugins load are found by reading their imports.
        include(${CMAKE_CURRENT_LIST_DIR}/WindowsRuntime.cmake)
        # offscreen lets the installed editor start without a display (scripted checks).
        set(zr415_qt_plugins platforms/qwindows.dll platforms/qoffscreen.dll
            styles/qwindowsvistastyle.dll sqldrivers/qsqlodbc.dll)
        set(zr415_plugin_files)
        foreach(plugin IN LISTS zr415_qt_plugins)
            get_filename_component(plugin_dir "${plugin}" DIRECTORY)
            install(FILES "${ZR415_QT_WINDOWS_PLUGIN_DIR}/${plugin}"
                DESTINATION "${CMAKE_INSTALL_BINDIR}/${plugin_dir}")
            list(APPEND zr415_plugin_files "${ZR415_QT_WINDOWS_PLUGIN_DIR}/${plugin}")
        endforeach()
        find_program(ZR415_MINGW_OBJDUMP NAMES x86_64-w64-mingw32-objdump REQUIRED)
        # The Windows resolver looks for imports by their lower-case names, which a Linux file
        # system does not match to Qt6Core.dll: it searches a folder of lower-case links.
        set(zr415_dll_links "${PROJECT_BINARY_DIR}/dll-links")
        file(REMOVE_RECURSE "${zr415_dll_links}")
        file(MAKE_DIRECTORY "${zr415_dll_links}")
        file(GLOB zr415_qt_dlls "${ZR415_QT_WINDOWS_BIN_DIR}/*.dll")
        foreach(dll IN LISTS zr415_qt_dlls ZR415_MINGW_RUNTIME_DLLS)
            get_filename_component(name "${dll}" NAME)
            string(TOLOWER "${name}" name)
            file(CREATE_LINK "${dll}" "${zr415_dll_links}/${name}" SYMBOLIC)
        endforeach()
        install(CODE "
            set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
            set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
            set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${ZR415_MINGW_OBJDUMP}\")
            file(GET_RUNTIME_DEPENDENCIES
                EXECUTABLES \"$<TARGET_FILE:zr415config>\" \"$<TARGET_FILE:zr415-convert>\"
                MODULES ${zr415_plugin_files}
                DIRECTORIES \"${zr415_dll_links}\"
                PRE_EXCLUDE_REGEXES \"^api-ms-\" \"^ext-ms-\"
                RESOLVED_DEPENDENCIES_VAR resolved
                UNRESOLVED_DEPENDENCIES_VAR unresolved)
            # What is not found there is Windows' own, unless it is Qt's or the compiler's.
            foreach(dll IN LISTS unresolved)
                if(dll MATCHES \"^(qt6|lib)\")
                    message(FATAL_ERROR \"\${dll} is not beside Qt or the compiler\")
                endif()
            endforeach()
            set(files)
            foreach(dll IN LISTS resolved)
                get_filename_component(dll \"\${dll}\" REALPATH)
                list(APPEND files \"\${dll}\")
            endforeach()
            file(INSTALL \${files}
                DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")")
        # Qt's and the compiler's libraries keep their debug information, three times the size of
        # the code; a Release install strips them with the programs and plugins.
        install(CODE "
            if(CMAKE_INSTALL_CONFIG_NAME MATCHES \"^(Release|MinSizeRel)$\")
                file(GLOB_RECURSE binaries
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/*.exe\"
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/*.dll\")
                foreach(binary IN LISTS binaries)
                    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${binary}\"
                        RESULT_VARIABLE strip_result)
                    if(NOT strip_result EQUAL 0)
                        message(FATAL_ERROR \"${CMAKE_STRIP} failed on \${binary}\")
                    endif()
                endforeach()
            endif()")
    else()
        message(WARNING "windeployqt not found: cmake --install will not copy the Qt libraries")
    endif()
endif()

# Packages.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME ${ZR415_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "ZR415Config")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# One line per line of the Debian description.
set(CPACK_PACKAGE_DESCRIPTION
    "ZR415Config prepares the channel list of a ZR415 railway signalling data"
    "logger: the relay each channel watches, front or back contact, and its up"
    "and down state texts. It reads and writes the logger's .dip channel files"
    "and CSV lists, imports Corvane channel allocations and fills the relay"
    "labels database. zr415-convert converts the same files from the command line.")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT "${ZR415_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "ZR415Config")
set(CPACK_PACKAGE_EXECUTABLES zr415config "ZR415Config")
set(CPACK_STRIP_FILES ON)

# Debian: the desktop database, the MIME database and the icon cache are refreshed by the
# file triggers of desktop-file-utils, shared-mime-info and hicolor-icon-theme, so the
# package needs no maintainer scripts.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZR415_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries the programs link, and the plugins they load: the SQLite driver for the
# labels database and the platform plugins.
set(zr415_qt_library_packages libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6
    libqt6printsupport6)
set(zr415_qt_plugin_packages libqt6sql6-sqlite qt6-qpa-plugins)
find_program(ZR415_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ZR415_DPKG_SHLIBDEPS)
    # dpkg-shlibdeps adds the linked libraries, Qt's and the C and C++ runtimes, with the
    # versions the binaries need; naming the Qt libraries here too would list them twice.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(zr415_depends ${zr415_qt_plugin_packages})
else()
    set(zr415_depends ${zr415_qt_library_packages} ${zr415_qt_plugin_packages})
endif()
list(TRANSFORM zr415_depends APPEND " (>= 6.4)")
list(JOIN zr415_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# The ODBC driver only for a labels database reached through an ODBC connection string.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libqt6sql6-odbc")

# Windows: an installer for the current user (or, with /AllUsers, for every user) made by NSIS
# from cmake/packaging/NSIS.template.in, an MSI made by wixl (cpack -G External), and a zip that
# runs from any folder. With a certificate given, cmake/packaging/Sign.cmake signs them.
set(CPACK_NSIS_PACKAGE_NAME "ZR415Config")
set(CPACK_NSIS_DISPLAY_NAME "ZR415Config ${PROJECT_VERSION}")
set(CPACK_NSIS_MUI_ICON "${ZR415_ICON_DIR}/zr415config.ico")
set(CPACK_NSIS_MUI_UNIICON "${ZR415_ICON_DIR}/zr415config.ico")
set(CPACK_NSIS_INSTALLED_ICON_NAME "${CMAKE_INSTALL_BINDIR}\\zr415config.exe")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
list(PREPEND CPACK_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}/packaging")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    # A 64-bit installer for the 64-bit programs: it installs into the 64-bit Program Files and
    # registry view, and runs where no 32-bit Windows layer is (a 64-bit-only Wine).
    set(CPACK_NSIS_DEFINES "Target amd64-unicode")
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
else()
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
endif()
set(CPACK_NSIS_EXECUTABLES_DIRECTORY "${CMAKE_INSTALL_BINDIR}")
# SHCTX is HKCU\Software\Classes for the current user, HKLM's for all users.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [[
  WriteRegStr SHCTX "Software\Classes\.dip" "" "ZR415Config.ChannelFile"
  WriteRegStr SHCTX "Software\Classes\ZR415Config.ChannelFile" "" "ZR415 channel file"
  WriteRegStr SHCTX "Software\Classes\ZR415Config.ChannelFile\DefaultIcon" "" "$INSTDIR\bin\zr415config.exe,0"
  WriteRegStr SHCTX "Software\Classes\ZR415Config.ChannelFile\shell\open\command" "" '"$INSTDIR\bin\zr415config.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]])
# .dip keeps what another program put in it; emptied, it goes.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [[
  DeleteRegKey SHCTX "Software\Classes\ZR415Config.ChannelFile"
  ReadRegStr $0 SHCTX "Software\Classes\.dip" ""
  ${If} $0 == "ZR415Config.ChannelFile"
    DeleteRegValue SHCTX "Software\Classes\.dip" ""
  ${EndIf}
  ReadRegStr $0 SHCTX "Software\Classes\.dip" ""
  EnumRegValue $1 SHCTX "Software\Classes\.dip" 0
  ${If} $0 == ""
  ${AndIf} $1 == ""
    DeleteRegKey /ifempty SHCTX "Software\Classes\.dip"
  ${EndIf}
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]])
if(WIN32)
    set(CPACK_GENERATOR NSIS ZIP)
    set(CPACK_EXTERNAL_ENABLE_STAGING ON)
    set(CPACK_EXTERNAL_PACKAGE_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/packaging/Msi.cmake")
    set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/packaging/Sign.cmake")
    set(CPACK_POST_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/packaging/Sign.cmake")
elseif(UNIX AND NOT APPLE)
    set(CPACK_GENERATOR DEB)
endif()
include(CPack)

if(ZR415_BUILD_TESTS)
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/resources ${PROJECT_BINARY_DIR}/tests/resources)
endif()

# Building and checking the .deb takes minutes, so the normal test run leaves it out.
option(ZR415_TEST_PACKAGE "Register the test that builds the .deb and runs it from an unpacked root" OFF)
if(ZR415_TEST_PACKAGE AND UNIX AND NOT APPLE)
    enable_testing()
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/package ${PROJECT_BINARY_DIR}/tests/package)
endif()
