# The Windows build, cross-compiled with mingw-w64 (scripts/build-windows.sh sets it up):
#   zorvane2.exe        one static executable: the game with SDL2, SDL2_mixer, SDL2_image and zstd
#                       inside, its icon, version and manifest; a windowed program
#   zorvane2_tests.exe  the tests that do not rely on a POSIX system, and the Windows ones
# The art, sound and music come from a native build of the generators (ZORVANE_CONTENT_BUILD):
# they are the same on every system, so they are made once, where they can be run.
set(ZORVANE_CONTENT_BUILD "" CACHE PATH "A native build folder where the content generators have run")
set(ZORVANE_SHEET_CPP ${ZORVANE_CONTENT_BUILD}/content/sheets/embedded_sheets.cpp)
if(NOT EXISTS ${ZORVANE_SHEET_CPP})
  message(FATAL_ERROR "No painted sheets in ZORVANE_CONTENT_BUILD='${ZORVANE_CONTENT_BUILD}': build the "
                      "targets zorvane_content and zorvane_media natively first (scripts/build-windows.sh does)")
endif()
# The libraries, built statically by scripts/windows-libs.sh into this prefix.
set(ZORVANE_WINDOWS_PREFIX "" CACHE PATH "The prefix scripts/windows-libs.sh built the libraries into")
if(NOT EXISTS ${ZORVANE_WINDOWS_PREFIX}/lib/libSDL2.a)
  message(FATAL_ERROR "No libraries in ZORVANE_WINDOWS_PREFIX='${ZORVANE_WINDOWS_PREFIX}' (scripts/windows-libs.sh)")
endif()
set(WINDEPS_INCLUDE_DIRS ${ZORVANE_WINDOWS_PREFIX}/include/SDL2 ${ZORVANE_WINDOWS_PREFIX}/include)
set(WINDEPS_LIBRARIES)
foreach(lib SDL2_mixer SDL2_image SDL2 vorbisfile vorbis ogg zstd)
  list(APPEND WINDEPS_LIBRARIES ${ZORVANE_WINDOWS_PREFIX}/lib/lib${lib}.a)
endforeach()
# What SDL2 asks of Windows.
list(APPEND WINDEPS_LIBRARIES user32 gdi32 winmm imm32 ole32 oleaut32 version uuid advapi32 setupapi shell32 dinput8)

# windows.h must leave std::min and std::max alone; the game starts in wmain, not SDL's main;
# mingw-w64 gives localtime_r as POSIX has it.
add_compile_definitions(NOMINMAX UNICODE _UNICODE SDL_MAIN_HANDLED _WIN32_WINNT=0x0601 _POSIX_THREAD_SAFE_FUNCTIONS=200112L)

file(GLOB ZORVANE_GAME_SOURCES CONFIGURE_DEPENDS
  src/core/*.cpp src/world/*.cpp src/frame/*.cpp src/render/*.cpp src/shell/*.cpp src/platform/*.cpp src/save/*.cpp src/ship/*.cpp src/shots/*.cpp
  src/enemies/*.cpp src/effects/*.cpp src/levels/*.cpp src/menus/*.cpp src/autopilot/*.cpp)
# The POSIX halves of the file seams give way to the Windows ones.
list(FILTER ZORVANE_GAME_SOURCES EXCLUDE REGEX ".*/(shell/(web_)?main|save/safe_file|platform/pictures_folder)\\.cpp$")
list(APPEND ZORVANE_GAME_SOURCES src/windows/safe_file_windows.cpp src/windows/pictures_folder_windows.cpp
  src/windows/wide_text.cpp)
add_library(zorvane_game STATIC ${ZORVANE_GAME_SOURCES})
target_include_directories(zorvane_game PUBLIC src)
set_source_files_properties(src/platform/effect_bus.cpp PROPERTIES COMPILE_OPTIONS -fno-math-errno)
# Sound and music are beside the executable, as the zip lays them out; nothing is installed.
target_compile_definitions(zorvane_game PUBLIC ZORVANE_VERSION="${PROJECT_VERSION}" ZORVANE_DATA_DIR=""
  ZORVANE_BIN_TO_DATA=".")
target_link_libraries(zorvane_game PUBLIC shell32 ole32)

add_library(zorvane_content STATIC content/sheets/embedded_resources.cpp ${ZORVANE_SHEET_CPP})
target_include_directories(zorvane_content PUBLIC src PRIVATE content/sheets ${WINDEPS_INCLUDE_DIRS})
target_link_libraries(zorvane_content PRIVATE ${ZORVANE_WINDOWS_PREFIX}/lib/libzstd.a)
# The painted PNGs, for the tests that look at the art itself (Wine reaches them on drive Z:).
target_compile_definitions(zorvane_content INTERFACE ZORVANE_SHEET_DIR="${ZORVANE_CONTENT_BUILD}/content/sheets/sheets")

# The SDL platform without the MIDI synthesiser: the music is played from Ogg Vorbis.
file(GLOB ZORVANE_SDL_SOURCES CONFIGURE_DEPENDS src/platform/sdl/*.cpp src/platform/headless/*.cpp)
list(FILTER ZORVANE_SDL_SOURCES EXCLUDE REGEX ".*/platform/sdl/midi_(music|player)\\.cpp$")
add_library(zorvane_sdl STATIC ${ZORVANE_SDL_SOURCES} src/windows/ogg_music.cpp)
target_include_directories(zorvane_sdl PUBLIC ${WINDEPS_INCLUDE_DIRS})
target_link_libraries(zorvane_sdl PUBLIC zorvane_game zorvane_content ${WINDEPS_LIBRARIES})

# The icon, made of the PNGs the native build drew, with the version and the manifest.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ZORVANE_ICO ${CMAKE_BINARY_DIR}/zorvane2.ico)
set(icon_pngs)
foreach(size 48 64 128 256)
  list(APPEND icon_pngs ${ZORVANE_CONTENT_BUILD}/icons/${size}/zorvane2.png)
endforeach()
add_custom_command(OUTPUT ${ZORVANE_ICO}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/png-to-ico.py ${ZORVANE_ICO} ${icon_pngs}
  DEPENDS ${icon_pngs} ${PROJECT_SOURCE_DIR}/scripts/png-to-ico.py
  COMMENT "Making the executable's icon"
  VERBATIM)
set(ZORVANE_MANIFEST ${PROJECT_SOURCE_DIR}/src/windows/zorvane2.exe.manifest)
configure_file(src/windows/zorvane2.rc.in ${CMAKE_BINARY_DIR}/zorvane2.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/zorvane2.rc PROPERTIES OBJECT_DEPENDS "${ZORVANE_ICO};${ZORVANE_MANIFEST}")

# Sound and music beside the executable, as in the zip: the effects the native build wrote, and
# the music recorded from its MIDI tracks into Ogg Vorbis (ZORVANE_MUSIC_DIR).
set(ZORVANE_MUSIC_DIR "" CACHE PATH "The folder of the music recorded as Ogg Vorbis (NAME.ogg)")
add_custom_target(zorvane_media ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${ZORVANE_CONTENT_BUILD}/Sound ${CMAKE_BINARY_DIR}/Sound
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${ZORVANE_MUSIC_DIR} ${CMAKE_BINARY_DIR}/Music
  COMMENT "Putting the sound and music beside the executable"
  VERBATIM)

add_executable(zorvane2 src/shell/main.cpp src/windows/main_windows.cpp ${CMAKE_BINARY_DIR}/zorvane2.rc)
target_link_libraries(zorvane2 PRIVATE zorvane_sdl)
# One file, no DLLs; a windowed program entered through wmain (its arguments in UTF-16); no
# link time stamped in it, so the same sources give the same executable.
target_link_options(zorvane2 PRIVATE -static -municode -mwindows -Wl,--no-insert-timestamp)
add_dependencies(zorvane2 zorvane_media)

if(ZORVANE_TESTS)
  # GoogleTest from Debian's source package, built with the same compiler.
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # nlohmann/json is headers only; its folder alone is put on the include path.
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/json-include)
  file(CREATE_LINK /usr/include/nlohmann ${CMAKE_BINARY_DIR}/json-include/nlohmann SYMBOLIC)
  # Every test file that asks nothing of a POSIX system (links, modes, pipes, fork) or of the
  # desktop's MIDI synthesiser and virtual pads, save_test.cpp without its POSIX-made faults, and
  # the Windows tests in their place. The golden runs are played by a shell script; the Windows
  # check plays recorded runs on both builds and compares them byte for byte instead.
  file(GLOB ZORVANE_TEST_SOURCES CONFIGURE_DEPENDS tests/*_test.cpp tests/windows/*_test.cpp)
  list(FILTER ZORVANE_TEST_SOURCES EXCLUDE REGEX
    ".*/tests/(audio_content|crash_safe_save|desktop|golden_runs|platform|settings_file)_test\\.cpp$")
  add_executable(zorvane2_tests ${ZORVANE_TEST_SOURCES} tests/test_support.cpp tests/windows/test_support_windows.cpp)
  target_include_directories(zorvane2_tests PRIVATE tests ${CMAKE_BINARY_DIR}/json-include)
  target_link_libraries(zorvane2_tests PRIVATE zorvane_sdl gtest gtest_main)
  target_link_options(zorvane2_tests PRIVATE -static)
  # The game is run beside the tests, as zorvane2.exe in the same folder.
  set_property(SOURCE tests/windows/test_support_windows.cpp APPEND PROPERTY COMPILE_DEFINITIONS
    ZORVANE_EXE="$<TARGET_FILE_NAME:zorvane2>")
  add_dependencies(zorvane2_tests zorvane2)
endif()
