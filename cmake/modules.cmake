# Helpers that give every deliverable and every test executable the same shape.

# qx_module(<name> [PROGRAM] [SUPPORT] [SUFFIX <.ext>] DESCRIPTION <text> SOURCES <files>...)
#   A library (or, with PROGRAM, a Windows program) named as the system names it, with its
#   version resource. SUPPORT compiles the support wrappers into it: every module built from
#   the foundation, kernel, player and object plug-ins carries its own copy of them.
function(qx_module name)
    cmake_parse_arguments(M "PROGRAM;SUPPORT" "DESCRIPTION;SUFFIX" "SOURCES" ${ARGN})
    if(M_PROGRAM)
        add_executable(${name} WIN32 ${M_SOURCES})
        set(QX_FILE_NAME ${name}.exe)
        set(QX_FILE_TYPE VFT_APP)
    else()
        add_library(${name} SHARED ${M_SOURCES})
        target_link_libraries(${name} PRIVATE qxmodulerelease)
        set(QX_FILE_TYPE VFT_DLL)
        if(M_SUFFIX)
            set_target_properties(${name} PROPERTIES SUFFIX ${M_SUFFIX})
            set(QX_FILE_NAME ${name}${M_SUFFIX})
        else()
            set(QX_FILE_NAME ${name}.dll)
        endif()
    endif()
    set(QX_DESCRIPTION "${M_DESCRIPTION}")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in
                   ${CMAKE_CURRENT_BINARY_DIR}/${name}.version.rc @ONLY)
    target_sources(${name} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${name}.version.rc)
    if(M_SUPPORT)
        target_link_libraries(${name} PRIVATE qxsupport)
    endif()
endfunction()

# qx_test(<name> SOURCES <files>... [LIBRARIES <targets>...])
#   One GoogleTest executable per module, run by CTest under Wine.
function(qx_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE qxtesting ${T_LIBRARIES})
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    # The test programs share what a real installation has once: the program folder with its
    # file cache, the Wine prefix's registry (media server registration, settings). They run
    # one at a time, as the system's programs would.
    set_tests_properties(${name} PROPERTIES TIMEOUT 300 RESOURCE_LOCK installation)
endfunction()
