# Shared settings and helpers of every Corvex target.

if(WIN32)
  set(CORVEX_TREE win32)
else()
  set(CORVEX_TREE native)
endif()
# Where each test executable leaves its GoogleTest report.
set(CORVEX_TEST_RESULTS ${CMAKE_BINARY_DIR}/test-results CACHE PATH
    "Folder for the XML reports of the tests")

# The release: the version the programs print, in their version resources,
# their manifests and the names of the archive and the installer
# (scripts/release.sh reads them from the generated corvex_version.nsh).
set(CORVEX_VERSION 0.5.3)
set(CORVEX_BUILD_NUMBER 1)
set(CORVEX_VERSION_TEXT "${CORVEX_VERSION} build:${CORVEX_BUILD_NUMBER}")
set(CORVEX_COMPANY "Brannock")
set(CORVEX_COPYRIGHT "Copyright (C) 2026 the Corvex project")
if(WIN32)
  set(CORVEX_VERSION_QUAD "${CORVEX_VERSION}.${CORVEX_BUILD_NUMBER}")
  string(REPLACE "." "," CORVEX_VERSION_COMMAS "${CORVEX_VERSION_QUAD}")
  set(CORVEX_GENERATED ${CMAKE_BINARY_DIR}/generated)
  foreach(name corvex_version.rc corvex_version.nsh motor32.manifest corvex32.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/${name}.in ${CORVEX_GENERATED}/${name} @ONLY)
  endforeach()
  # Release builds ship without symbols.
  add_link_options($<$<CONFIG:Release>:-s>)
endif()

if(WIN32)
  # ANSI Win32 API, Windows 2000 headers; newer services are looked up at
  # run time so the programs still load on the 95/98/ME family.
  add_compile_definitions(STRICT NOMINMAX WIN32_LEAN_AND_MEAN
                          _WIN32_WINNT=0x0500 WINVER=0x0500 _WIN32_IE=0x0500)
elseif(CORVEX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# corvex_defaults(<target>): warnings and language level of our own code.
function(corvex_defaults target)
  # C++ only: a program's resource script goes through the resource
  # compiler, which knows none of these.
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wshadow
                         -Wnon-virtual-dtor -Wcast-align -Wformat=2>)
  if(CORVEX_WERROR)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Werror>)
  endif()
endfunction()

# corvex_copy_beside_engine(<target> <folder>): a target that copies the
# project's <folder>/ into bin/<folder>/ beside motor32.dex, where the
# engine reads it; a build always copies the latest.
function(corvex_copy_beside_engine target folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*)
  set(copies)
  foreach(source IN LISTS sources)
    file(RELATIVE_PATH name ${PROJECT_SOURCE_DIR}/${folder} ${source})
    set(copy ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder}/${name})
    add_custom_command(OUTPUT ${copy}
                       COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
                       DEPENDS ${source}
                       COMMENT "Copying ${folder}/${name}")
    list(APPEND copies ${copy})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${copies})
endfunction()

# corvex_test(<name> [DESKTOP] SOURCES ... [LIBS ...]): one GoogleTest
# executable and one ctest entry (under Wine, one wine process per
# executable is cheapest). DESKTOP runs it inside a Wine virtual desktop,
# whose display driver lists and switches many display modes; the desktop
# does not pass the exit code on, so the summary line decides. WRAPPER
# <script> runs the test through a bash script that starts what the test
# needs beside it (a server) and stops it afterwards.
function(corvex_test name)
  cmake_parse_arguments(T "DESKTOP" "WRAPPER" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  corvex_defaults(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  set(report ${CORVEX_TEST_RESULTS}/${name}-${CORVEX_TREE}.xml)
  if(WIN32)
    # Under Wine the host's root is drive Z:.
    string(REPLACE "/" "\\" report "Z:${report}")
  endif()
  if(T_DESKTOP AND WIN32)
    add_test(NAME ${name} COMMAND wine explorer /desktop=${name},1280x1024 $<TARGET_FILE:${name}>
             --gtest_brief=1 --gtest_output=xml:${report})
    set_tests_properties(${name} PROPERTIES PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]"
                         FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
  elseif(T_WRAPPER)
    add_test(NAME ${name} COMMAND bash ${T_WRAPPER} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>
             --gtest_brief=1 --gtest_output=xml:${report})
  else()
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 --gtest_output=xml:${report})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()

# corvex_strip(<target>): a program as it is run and delivered carries no
# debug information. Wine reads the whole image of a program, so the debug
# sections (most of the file) would count in the memory of every run; they
# go to <file>.debug beside it instead, which the stripped file names for a
# debugger (objcopy's debug link), for post-mortem debugging.
function(corvex_strip target)
  if(NOT WIN32)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}> $<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
            $<TARGET_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    COMMENT "Stripping ${target}, its debug information kept beside it"
    VERBATIM)
endfunction()
