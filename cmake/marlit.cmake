# Helpers shared by every folder's CMakeLists.txt.

set(MARLIT_ROOT ${CMAKE_SOURCE_DIR})
set(MARLIT_WARNINGS -Wall -Wextra -Wpedantic -Werror -Wno-unused-parameter)
# GCC 12 reports std::string operations inlined under -O2 as overlapping or
# overflowing copies (its bugs 105329 and 105651); they are false alarms.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND MARLIT_WARNINGS -Wno-restrict -Wno-stringop-overflow)
endif()

# Warnings on and treated as errors for our own code only.
function(marlit_defaults target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    return()
  endif()
  target_compile_options(${target} PRIVATE ${MARLIT_WARNINGS})
endfunction()

# marlit_own_headers(TARGET) lets a target include the headers of its own
# folder by their path from the source root ("player/core/rect.h"), and
# nothing else of the project: the headers are linked into a folder of the
# target's own under build/include/, which becomes its include path. A
# target reaches another folder's headers only by linking that folder's
# target, so a missing dependency fails the build.
function(marlit_own_headers target)
  file(RELATIVE_PATH rel ${MARLIT_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
  set(stage ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${stage})
  file(MAKE_DIRECTORY ${stage}/${rel})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(h IN LISTS headers)
    get_filename_component(n ${h} NAME)
    file(CREATE_LINK ${h} ${stage}/${rel}/${n} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${stage})
  elseif(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${stage})
  else()
    target_include_directories(${target} PUBLIC ${stage})
  endif()
endfunction()

# marlit_library(NAME [DEPS lib...]) makes a static library of every .cpp in
# the calling folder. A folder without sources yet gives an interface library,
# so that targets can name it before it has code.
function(marlit_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  if(sources)
    add_library(${name} STATIC ${sources})
    marlit_defaults(${name})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
  marlit_own_headers(${name})
endfunction()

# marlit_executable(NAME [SOURCES ...] [DEPS lib...])
function(marlit_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  marlit_defaults(${name})
  marlit_own_headers(${name})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()

# marlit_test_dir(NAME DEPS lib... [TIMEOUT seconds]) makes one GoogleTest
# program of every .cpp under the calling folder (the *_test.cpp files and
# their helpers) and registers its cases with CTest (300 s each by default).
function(marlit_test_dir name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "DEPS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  # A sub-folder with a CMakeLists.txt of its own makes a test program of its own.
  file(GLOB_RECURSE own_lists CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(own IN LISTS own_lists)
    get_filename_component(own_dir ${own} DIRECTORY)
    list(FILTER sources EXCLUDE REGEX "^${own_dir}/")
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  marlit_defaults(${name})
  # Tests reach the test helpers of every folder by their path from the root.
  target_include_directories(${name} PRIVATE ${MARLIT_ROOT})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} marlit_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE MARLIT_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
                                             MARLIT_SOURCE_DIR="${MARLIT_ROOT}")
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "MARLIT_BIN_DIR=${CMAKE_BINARY_DIR}/bin;SDL_AUDIODRIVER=dummy;XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data-home")
endfunction()

# The dependency rule of the house plan, checked on every build: a file may
# include only headers of its own folder's layer or of the layers below it.
function(marlit_check_layers)
  set(stamp ${CMAKE_BINARY_DIR}/layers.stamp)
  file(GLOB_RECURSE checked CONFIGURE_DEPENDS
       ${MARLIT_ROOT}/base/*.h ${MARLIT_ROOT}/base/*.cpp
       ${MARLIT_ROOT}/formats/*.h ${MARLIT_ROOT}/formats/*.cpp
       ${MARLIT_ROOT}/platform/*.h ${MARLIT_ROOT}/platform/*.cpp
       ${MARLIT_ROOT}/converter/*.h ${MARLIT_ROOT}/converter/*.cpp
       ${MARLIT_ROOT}/player/*.h ${MARLIT_ROOT}/player/*.cpp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DROOT=${MARLIT_ROOT} -P ${MARLIT_ROOT}/cmake/check_layers.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${checked} ${MARLIT_ROOT}/cmake/check_layers.cmake
    COMMENT "Checking the dependency rule")
  add_custom_target(marlit_layers ALL DEPENDS ${stamp})
endfunction()
