# A name in a link list that looks like one of our libraries must be one: a misspelt or not yet
# defined library fails the configuration instead of turning into a missing -l at link time.
macro(_obdrac_check_libs var)
  foreach(_l IN LISTS ${var})
    if(_l MATCHES "^obdrac_" AND NOT TARGET ${_l})
      message(FATAL_ERROR "Unknown library '${_l}' in the link list of ${CMAKE_CURRENT_SOURCE_DIR}")
    endif()
  endforeach()
endmacro()

# The Qt and standard headers nearly every file includes are compiled once, by the first library,
# and every other library and test program reuses them (all are built with the same flags; the
# window and test targets' extra Qt definitions do not reach these headers). Parsing them was the
# larger part of compiling a small file. CMake adds -Winvalid-pch, so a header that could not be
# used is reported. (A full build on two cores: 14 minutes without, 12 with.)
option(OBDRAC_PCH "Precompile the common Qt and standard headers" ON)
set(_obdrac_pch_headers <QByteArray> <QDate> <QDateTime> <QHash> <QList> <QMap> <QObject> <QSet>
    <QString> <QStringList> <QVariant> <functional> <memory> <optional> <string> <vector>)

function(_obdrac_pch target)
  if(NOT OBDRAC_PCH)
    return()
  endif()
  get_property(_owner GLOBAL PROPERTY OBDRAC_PCH_OWNER)
  if(_owner)
    target_precompile_headers(${target} REUSE_FROM ${_owner})
  else()
    target_precompile_headers(${target} PRIVATE ${_obdrac_pch_headers})
    set_property(GLOBAL PROPERTY OBDRAC_PCH_OWNER ${target})
  endif()
endfunction()

# obdrac_library(NAME [DIRS sub ...] [LIBS ...] [UI_LIBS ...])
# Builds the folder's *.cpp (rules: QtCore and the layers below), plus those of the sub-folders
# named in DIRS, into obdrac_<NAME>, and ui/*.cpp (windows and widgets) into obdrac_<NAME>_ui.
# Files are globbed so that adding a source file needs no edit here.
function(obdrac_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LIBS;UI_LIBS" ${ARGN})
  _obdrac_check_libs(ARG_LIBS)
  _obdrac_check_libs(ARG_UI_LIBS)
  set(_globs ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(_d IN LISTS ARG_DIRS)
    list(APPEND _globs ${CMAKE_CURRENT_SOURCE_DIR}/${_d}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${_d}/*.h)
  endforeach()
  file(GLOB _core CONFIGURE_DEPENDS ${_globs})
  list(FILTER _core EXCLUDE REGEX "/main\\.cpp$")
  file(GLOB _ui CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h)
  if(_core)
    add_library(obdrac_${name} STATIC ${_core})
    target_include_directories(obdrac_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(obdrac_${name} PUBLIC Qt6::Core ${ARG_LIBS})
    _obdrac_pch(obdrac_${name})
  endif()
  if(_ui)
    add_library(obdrac_${name}_ui STATIC ${_ui})
    target_include_directories(obdrac_${name}_ui PUBLIC ${CMAKE_SOURCE_DIR}/src)
    if(_core)
      target_link_libraries(obdrac_${name}_ui PUBLIC obdrac_${name})
    endif()
    target_link_libraries(obdrac_${name}_ui PUBLIC Qt6::Widgets ${ARG_UI_LIBS})
    _obdrac_pch(obdrac_${name}_ui)
  endif()
  if(NOT _core AND NOT _ui)
    # An empty subsystem still gives a target, so that link lists may name it.
    add_library(obdrac_${name} INTERFACE)
    target_link_libraries(obdrac_${name} INTERFACE ${ARG_LIBS})
  endif()
endfunction()

# obdrac_test(LIB LIBS ...): tests/<LIB>/*.cpp into test_<LIB>; every test case is registered
# with CTest on its own, so that one can be run by name (ctest -R 'Suite.Case').
function(obdrac_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  _obdrac_check_libs(ARG_LIBS)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT _src)
    return()
  endif()
  add_executable(test_${name} ${_src})
  target_link_libraries(test_${name} PRIVATE obdrac_test_support ${ARG_LIBS} GTest::gtest)
  _obdrac_pch(test_${name})
  gtest_discover_tests(test_${name}
    TEST_PREFIX "${name}."
    NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600
    DISCOVERY_TIMEOUT 60)
endfunction()
