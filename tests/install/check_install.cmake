# Installs the build into a fresh prefix and checks what arrived.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DGUI=ON|OFF -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected bin/kvxm2000-cli share/kvxm2000/default.trs)
if(GUI)
    list(APPEND expected
        bin/kvxm2000
        share/applications/kvxm2000.desktop
        share/mime/packages/kvxm2000.xml
        share/icons/hicolor/scalable/apps/kvxm2000.svg)
    foreach(size 16 24 32 48 64 128 256)
        list(APPEND expected share/icons/hicolor/${size}x${size}/apps/kvxm2000.png)
    endforeach()
endif()
foreach(path ${expected})
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

# The installed programs run from their new place.
execute_process(COMMAND "${PREFIX}/bin/kvxm2000-cli" --help RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the installed kvxm2000-cli does not run: ${result}")
endif()

if(GUI)
    execute_process(COMMAND "${PREFIX}/bin/kvxm2000" --version RESULT_VARIABLE result
                    OUTPUT_VARIABLE version)
    if(NOT result EQUAL 0 OR NOT version MATCHES "0\\.70")
        message(FATAL_ERROR "the installed kvxm2000 --version gave ${result}: ${version}")
    endif()
    find_program(VALIDATE desktop-file-validate)
    if(VALIDATE)
        execute_process(COMMAND "${VALIDATE}" "${PREFIX}/share/applications/kvxm2000.desktop"
                        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
        if(NOT result EQUAL 0 OR output MATCHES "error")
            message(FATAL_ERROR "desktop-file-validate: ${output}")
        endif()
    else()
        message(STATUS "desktop-file-validate is not installed; the desktop entry was not validated")
    endif()
endif()
