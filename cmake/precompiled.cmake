# Precompiled headers. The platform's headers (windows.h with OLE automation) make most of
# the time of a module's translation unit, GoogleTest and the standard library most of the
# rest in a test's: they are compiled once for the modules and once for the tests, and the
# targets of the build reuse them.

set(QX_PLATFORM_HEADERS <windows.h> <oleauto.h> <mmsystem.h>)

add_library(qxprecompiled STATIC ${CMAKE_CURRENT_LIST_DIR}/precompiled.cpp)
target_precompile_headers(qxprecompiled PRIVATE ${QX_PLATFORM_HEADERS})

# The standard library stays out of the modules' header: precompiled, its inline code no
# longer counts as a system header's, and GCC 12 then warns of bounds in std::string that are
# not exceeded. Test code does without those warnings to reuse it. It is also built with line
# tables only, enough for a backtrace, and optimised less: its own speed does not matter (the
# modules it tests are built as they ship), and full debugging information and optimisation
# made a test's translation unit take 1.6 times as long to compile.
set(QX_TEST_HEADERS <algorithm> <cstdint> <cstdio> <cstring> <fstream> <functional> <memory> <sstream>
                    <string> <vector> <gtest/gtest.h>)
set(QX_TEST_COMPILE_OPTIONS -O1 -g1 -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
add_library(qxprecompiled_tests STATIC ${CMAKE_CURRENT_LIST_DIR}/precompiled.cpp)
target_precompile_headers(qxprecompiled_tests PRIVATE ${QX_PLATFORM_HEADERS} ${QX_TEST_HEADERS})
# The rich-text engine is written without the platform's headers, whose macros would take
# some of its names: its tests have a header of their own.
add_library(qxprecompiled_engine_tests STATIC ${CMAKE_CURRENT_LIST_DIR}/precompiled.cpp)
target_precompile_headers(qxprecompiled_engine_tests PRIVATE ${QX_TEST_HEADERS})
foreach(target qxprecompiled_tests qxprecompiled_engine_tests)
    target_link_libraries(${target} PRIVATE GTest::gtest)
    target_compile_options(${target} PRIVATE ${QX_TEST_COMPILE_OPTIONS})
endforeach()

# The targets defined in a folder and below it.
function(qx_targets_below folder out)
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(folders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    foreach(below IN LISTS folders)
        qx_targets_below(${below} more)
        list(APPEND targets ${more})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Every compiled target of the project takes a tests' header when it links GoogleTest or the
# tests' shared code, else the modules' one; the rich-text engine's own libraries take none.
function(qx_share_precompiled_headers)
    qx_targets_below(${PROJECT_SOURCE_DIR} targets)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        get_target_property(folder ${target} SOURCE_DIR)
        if(NOT type MATCHES "^(EXECUTABLE|SHARED_LIBRARY|STATIC_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$"
           OR target MATCHES "^qxprecompiled" OR NOT folder MATCHES "^${PROJECT_SOURCE_DIR}/")
            continue()
        endif()
        string(FIND "${folder}/" "${PROJECT_SOURCE_DIR}/text/engine/" engine)
        get_target_property(libraries ${target} LINK_LIBRARIES)
        if(libraries MATCHES "(^|;)(qxtesting|GTest::gtest)(;|$)")
            if(engine EQUAL 0)
                target_precompile_headers(${target} REUSE_FROM qxprecompiled_engine_tests)
            else()
                target_precompile_headers(${target} REUSE_FROM qxprecompiled_tests)
            endif()
            target_compile_options(${target} PRIVATE ${QX_TEST_COMPILE_OPTIONS})
        elseif(NOT engine EQUAL 0)
            target_precompile_headers(${target} REUSE_FROM qxprecompiled)
        endif()
    endforeach()
endfunction()
