# Installs the build into a fresh prefix and checks what arrived.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DGUI=ON|OFF -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(manual share/man/man1/kvxm2000-cli.1)
set(completion share/bash-completion/completions/kvxm2000-cli)
set(expected bin/kvxm2000-cli share/kvxm2000/default.trs ${manual} ${completion})
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

execute_process(COMMAND "${PREFIX}/bin/kvxm2000-cli" --version RESULT_VARIABLE result
                OUTPUT_VARIABLE version)
if(NOT result EQUAL 0 OR NOT version MATCHES "^kvxm2000-cli 0\\.70\n$")
    message(FATAL_ERROR "the installed kvxm2000-cli --version gave ${result}: ${version}")
endif()

# The manual page renders without complaint and describes every option --help lists.
find_program(MAN man)
if(MAN)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env MANWIDTH=200 "${MAN}" --warnings -l
                            "${PREFIX}/${manual}" RESULT_VARIABLE result
                    OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
    if(NOT result EQUAL 0 OR NOT warnings STREQUAL "" OR NOT page MATCHES "EXIT STATUS")
        message(FATAL_ERROR "man -l ${manual} gave ${result}: ${warnings}")
    endif()
    execute_process(COMMAND "${PREFIX}/bin/kvxm2000-cli" --help OUTPUT_VARIABLE help)
    string(REGEX MATCHALL "--[a-z-]+" options "${help}")
    string(REGEX MATCHALL "kvxm2000-cli [a-z-]+" commands "${help}")
    # man renders hyphens as they are, or as the Unicode hyphen where the locale allows.
    string(REPLACE "\u2010" "-" page "${page}")
    string(REGEX REPLACE "[ \n]+" " " page "${page}")
    foreach(word ${options} ${commands})
        string(FIND "${page}" "${word}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "the manual page does not mention ${word}, which --help lists")
        endif()
    endforeach()
else()
    message(STATUS "man is not installed; the manual page was not rendered")
endif()

# The completion offers commands, editions and files of the kind the place takes.
file(REMOVE_RECURSE "${PREFIX}/scratch")
file(MAKE_DIRECTORY "${PREFIX}/scratch/folder")
file(TOUCH "${PREFIX}/scratch/game.nes" "${PREFIX}/scratch/league.kvx" "${PREFIX}/scratch/notes.txt")
execute_process(
    COMMAND bash -c "source \"$1\" && complete() { :; }
        try() { COMP_WORDS=(\"$@\"); COMP_CWORD=$((\${#COMP_WORDS[@]} - 1)); _kvxm2000_cli
                echo \"\${COMPREPLY[*]}\"; }
        try kvxm2000-cli ex && try kvxm2000-cli import --edition snes && try kvxm2000-cli import ''
        try kvxm2000-cli export --force ''" completion "${PREFIX}/${completion}"
    WORKING_DIRECTORY "${PREFIX}/scratch" RESULT_VARIABLE result OUTPUT_VARIABLE offered
    ERROR_VARIABLE offered)
if(NOT result EQUAL 0 OR NOT offered STREQUAL "export\nsnes1 snes2 snes3\nfolder game.nes\nfolder league.kvx\n")
    message(FATAL_ERROR "the bash completion offered:\n${offered}")
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
