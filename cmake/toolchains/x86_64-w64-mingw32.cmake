# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix) and a Qt
# built for it. QT_WINDOWS_PREFIX (a cache entry or the environment) names that Qt; the host's
# moc, rcc and uic (the same Qt version) run the code generation. Built programs, the tests
# included, run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model: Qt's threads need std::thread and std::mutex.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT QT_WINDOWS_PREFIX AND DEFINED ENV{QT_WINDOWS_PREFIX})
    set(QT_WINDOWS_PREFIX "$ENV{QT_WINDOWS_PREFIX}")
endif()
if(NOT QT_WINDOWS_PREFIX OR NOT EXISTS "${QT_WINDOWS_PREFIX}/lib/cmake/Qt6/Qt6Config.cmake")
    message(FATAL_ERROR "Set QT_WINDOWS_PREFIX to a Qt 6 built for x86_64-w64-mingw32 "
                        "(scripts/windows.sh finds or builds one); got '${QT_WINDOWS_PREFIX}'")
endif()
set(QT_WINDOWS_PREFIX "${QT_WINDOWS_PREFIX}" CACHE PATH "Qt 6 for x86_64-w64-mingw32")
# try_compile projects load this file again and must find the same Qt.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QT_WINDOWS_PREFIX)

set(QT_HOST_PATH /usr CACHE PATH "Qt for the build machine, whose tools generate code")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake
    CACHE PATH "CMake packages of the build machine's Qt")

# Qt's own toolchain file does the same: the root is the prefix and the packages are found
# below lib/cmake, or CMake concatenates the two into a path that does not exist.
list(PREPEND CMAKE_FIND_ROOT_PATH "${QT_WINDOWS_PREFIX}" /usr/x86_64-w64-mingw32)
list(PREPEND CMAKE_PREFIX_PATH "${QT_WINDOWS_PREFIX}/lib/cmake")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(ZR415_WINE NAMES wine wine64)
if(ZR415_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${ZR415_WINE}")
endif()
