# The Windows build (make windows), included by CMakeLists.txt after the platform and game
# libraries: the game, its unit tests and the package, with the assets a Linux build made (the
# asset maker runs on the build machine), from GRIDHOLLOW_HOST_BUILD.
set(GRIDHOLLOW_HOST_BUILD "" CACHE PATH "The Linux build folder whose assets the Windows build takes")
if(NOT EXISTS ${GRIDHOLLOW_HOST_BUILD}/_data.loc)
  message(FATAL_ERROR "GRIDHOLLOW_HOST_BUILD must name a Linux build folder with its assets made")
endif()

# The game's data beside the executable, as in the Linux build folder: the same files.
set(WIN_ASSETS _data.loc alarm.wav gridhollow.ico)
foreach(file ${WIN_ASSETS})
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${file}
                     COMMAND ${CMAKE_COMMAND} -E copy ${GRIDHOLLOW_HOST_BUILD}/${file} ${file}
                     DEPENDS ${GRIDHOLLOW_HOST_BUILD}/${file})
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/docs/about.html ${CMAKE_BINARY_DIR}/about.html COPYONLY)
list(TRANSFORM WIN_ASSETS PREPEND ${CMAKE_BINARY_DIR}/ OUTPUT_VARIABLE WIN_ASSET_FILES)
add_custom_target(assets ALL DEPENDS ${WIN_ASSET_FILES})

set_property(SOURCE app/cmdline.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             GRIDHOLLOW_VERSION="${GRIDHOLLOW_VERSION}" GRIDHOLLOW_ASSETS=".")

# The game: a windowed program (no console), with its icon and version in its resources.
target_sources(platform_sdl PRIVATE ${GRIDHOLLOW_HOST_BUILD}/window_icon.cpp)
string(REPLACE "." "," GRIDHOLLOW_VERSION_COMMAS "${GRIDHOLLOW_VERSION},0")
set(GRIDHOLLOW_ICO ${CMAKE_BINARY_DIR}/gridhollow.ico)
configure_file(${CMAKE_SOURCE_DIR}/tools/windows/gridhollow.rc.in gridhollow.rc @ONLY)
set_target_properties(gridhollow PROPERTIES WIN32_EXECUTABLE ON)
target_sources(gridhollow PRIVATE ${CMAKE_BINARY_DIR}/gridhollow.rc)
add_dependencies(gridhollow assets)

# The unit tests, run under Wine (make test-windows). Wine reaches the build machine's files on
# drive Z:, so the paths built into the tests name it. Left out: the tests that fork, kill or lock
# with POSIX calls, and the SDL backend's smoke test (the Wine run plays the real game instead).
file(GLOB TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
list(REMOVE_ITEM TEST_SOURCES ${CMAKE_SOURCE_DIR}/tests/sdl_smoke_test.cpp
     ${CMAKE_SOURCE_DIR}/tests/cmdline_test.cpp ${CMAKE_SOURCE_DIR}/tests/data_safety_test.cpp
     ${CMAKE_SOURCE_DIR}/tests/store_datafile_test.cpp)
list(APPEND TEST_SOURCES ${CMAKE_SOURCE_DIR}/docs/template/template_screen.cpp)
add_executable(gridhollow_tests ${TEST_SOURCES})
target_link_libraries(gridhollow_tests PRIVATE gridhollow_driver GTest::gtest_main)
target_compile_definitions(gridhollow_tests PRIVATE ASSET_DIR="Z:${GRIDHOLLOW_HOST_BUILD}")
target_compile_options(gridhollow_tests PRIVATE -fmacro-prefix-map=${CMAKE_SOURCE_DIR}=Z:${CMAKE_SOURCE_DIR})

# The compiler's own libraries (C++, GCC's and the threads') are linked into every program, so
# only SDL's lie beside them.
foreach(program gridhollow gridhollow_tests)
  target_link_options(${program} PRIVATE -static)
endforeach()

# SDL's libraries beside the programs, where Windows looks for them first.
foreach(dll SDL2.dll SDL2_image.dll)
  configure_file(${GRIDHOLLOW_WIN_DEPS}/bin/${dll} ${CMAKE_BINARY_DIR}/${dll} COPYONLY)
endforeach()

# make windows-package: the zip and the installer.
set(GRIDHOLLOW_VERSION ${GRIDHOLLOW_VERSION} CACHE INTERNAL "For make test-windows")
add_custom_target(windows-package
  COMMAND ${CMAKE_SOURCE_DIR}/tools/windows/make-package ${CMAKE_BINARY_DIR} ${GRIDHOLLOW_WIN_DEPS}
          ${GRIDHOLLOW_VERSION}
  DEPENDS gridhollow assets
  COMMENT "Making the Windows zip and installer")
