# The cross build for 64-bit Windows with the window: Debian's mingw-w64 (the toolchain file
# beside this one) and, when TABLAMO_QT_WINDOWS names its prefix, the Qt for Windows that
# scripts/build-qt-windows built. Qt's tools (moc, uic, rcc) are the Linux system's own,
# found through QT_HOST_PATH and QT_HOST_PATH_CMAKE_DIR. scripts/build-windows uses this file
# for the converter alone as well, so that one build folder serves both.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

# try_compile's projects read this file too and see only the variables named here.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TABLAMO_QT_WINDOWS)
if(TABLAMO_QT_WINDOWS)
    # Qt's packages are searched for inside its prefix, as the libraries inside mingw-w64's.
    list(PREPEND CMAKE_FIND_ROOT_PATH ${TABLAMO_QT_WINDOWS})
    list(PREPEND CMAKE_PREFIX_PATH ${TABLAMO_QT_WINDOWS}/lib/cmake)
endif()
