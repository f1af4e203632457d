# Third-party pieces cross-built by scripts/setup into a cache outside the clone:
#   ${TESSELON_DEPS}/sqlite   include/sqlite3.h, lib/libsqlite3.a (threadsafe amalgamation)
#   ${TESSELON_DEPS}/libpng   include/png.h, lib/libpng16.a
#   ${TESSELON_DEPS}/lame     bin/lame_enc.dll, include/BladeMP3EncDLL.h
# zlib comes from Debian's libz-mingw-w64-dev; GoogleTest from /usr/src/googletest.
set(TESSELON_DEPS "$ENV{TESSELON_DEPS}" CACHE PATH "Folder of the cross-built dependencies")
if(NOT TESSELON_DEPS OR NOT EXISTS "${TESSELON_DEPS}/sqlite/lib/libsqlite3.a")
    message(FATAL_ERROR "Dependencies not found in '${TESSELON_DEPS}': run scripts/setup first")
endif()

add_library(Deps::SQLite STATIC IMPORTED GLOBAL)
set_target_properties(Deps::SQLite PROPERTIES
    IMPORTED_LOCATION "${TESSELON_DEPS}/sqlite/lib/libsqlite3.a"
    INTERFACE_INCLUDE_DIRECTORIES "${TESSELON_DEPS}/sqlite/include")

find_library(ZLIB_STATIC NAMES libz.a z REQUIRED)
add_library(Deps::PNG STATIC IMPORTED GLOBAL)
set_target_properties(Deps::PNG PROPERTIES
    IMPORTED_LOCATION "${TESSELON_DEPS}/libpng/lib/libpng16.a"
    INTERFACE_INCLUDE_DIRECTORIES "${TESSELON_DEPS}/libpng/include"
    INTERFACE_LINK_LIBRARIES "${ZLIB_STATIC}")

# The MP3 encoder is loaded by name at run time; it only has to sit beside the program.
set(LAME_ENC_DLL "${TESSELON_DEPS}/lame/bin/lame_enc.dll")
set(LAME_ENC_INCLUDE "${TESSELON_DEPS}/lame/include")
file(COPY "${LAME_ENC_DLL}" DESTINATION "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
