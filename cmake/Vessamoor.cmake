# Shared build rules: warnings, sanitizers, subsystem libraries and test executables.

# The sanitizer build reuses the main build's resources instead of generating its own.
set(VSM_RESOURCES_FROM "" CACHE PATH "use this resources folder instead of generating one")
if(VSM_RESOURCES_FROM)
  set(VSM_RESOURCES_DIR ${VSM_RESOURCES_FROM} CACHE INTERNAL "built resources folder")
else()
  set(VSM_RESOURCES_DIR ${CMAKE_BINARY_DIR}/resources CACHE INTERNAL "built resources folder")
endif()

function(vsm_target_defaults target)
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(VSM_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(VSM_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# vsm_add_library(<folder> SOURCES ... [DEPS ...]): the static library vsm_<folder> of a
# subsystem folder, linked into the game.
function(vsm_add_library folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(vsm_${folder} STATIC ${ARG_SOURCES})
  vsm_target_defaults(vsm_${folder})
  if(ARG_DEPS)
    target_link_libraries(vsm_${folder} PUBLIC ${ARG_DEPS})
  endif()
  set_property(GLOBAL APPEND PROPERTY VSM_LIBRARIES vsm_${folder})
endfunction()

# vsm_add_tests(<folder> SOURCES ... [DEPS ...]): the test executable tests_<folder>, its tests
# named "<folder>.<Suite>.<Test>". Suites whose names end in "Gl" need OpenGL: they get the
# label "gl" and run on the off-screen video driver. Every test runs with the null sound driver
# unless the suite's name ends in "Sound" (those choose their driver themselves). A folder whose
# fixtures start from the game's own assembly (ResetCoreGame and InstallGameHooks) lists vsm_shell
# among its DEPS, since the one list of hooks lives there.
function(vsm_add_tests folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  set(target tests_${folder})
  add_executable(${target} ${ARG_SOURCES})
  vsm_target_defaults(${target})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} vsm_testsupport GTest::gtest GTest::gmock)
  set(env "VSM_RESOURCES=${VSM_RESOURCES_DIR}/" "VSM_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  if(VSM_SANITIZE)
    set(glasan "ASAN_OPTIONS=detect_leaks=0")
  else()
    set(glasan "")
  endif()
  gtest_discover_tests(${target} TEST_PREFIX "${folder}." DISCOVERY_TIMEOUT 60
    TEST_FILTER "-*Gl.*:*Sound.*" TEST_LIST ${target}_plain PROPERTIES TIMEOUT 300)
  gtest_discover_tests(${target} TEST_PREFIX "${folder}." DISCOVERY_TIMEOUT 60
    TEST_FILTER "*Gl.*" TEST_LIST ${target}_gl PROPERTIES LABELS gl TIMEOUT 300)
  gtest_discover_tests(${target} TEST_PREFIX "${folder}." DISCOVERY_TIMEOUT 60
    TEST_FILTER "*Sound.*" TEST_LIST ${target}_sound PROPERTIES LABELS sound TIMEOUT 300)
  # gtest_discover_tests keeps only the first entry of a list-valued property, so the
  # environments are set by a script that CTest runs after the discovered tests are added.
  set(envfile "${CMAKE_CURRENT_BINARY_DIR}/${target}_environment.cmake")
  file(WRITE "${envfile}" "")
  foreach(kind plain gl sound)
    if(kind STREQUAL "plain")
      set(kindenv "ALSOFT_DRIVERS=null;SDL_VIDEODRIVER=offscreen;${env}")
    elseif(kind STREQUAL "gl")
      set(kindenv "ALSOFT_DRIVERS=null;SDL_VIDEODRIVER=offscreen;${glasan};${env}")
    else()
      set(kindenv "SDL_VIDEODRIVER=offscreen;${glasan};${env}")
    endif()
    file(APPEND "${envfile}" "if(${target}_${kind})\n  set_tests_properties(\${${target}_${kind}} PROPERTIES ENVIRONMENT [==[${kindenv}]==])\nendif()\n")
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${envfile}")
endfunction()
