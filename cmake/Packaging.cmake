# The portable zip of the Windows build: the program, its hook library, the user guide (one HTML
# page) and the licence, at the top of the archive so that it unpacks straight into a folder of the racer's
# choosing. Made with `cpack` in the build folder (or the package target); checked by a test.
install(PROGRAMS $<TARGET_FILE:QuorlWait> $<TARGET_FILE:keyhook> DESTINATION .)

# The user guide ships as one HTML page with its pictures inside, which any Windows opens with a
# double click. The Markdown stays in the repository only: in the zip it would open in no
# program by default, and its pictures (docs/images/) would be missing beside it.
find_program(QUORL_PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(QUORL_PYTHON3 NAMES python3 py)
execute_process(COMMAND ${QUORL_PYTHON3} -c "import markdown"
                RESULT_VARIABLE quorl_markdown_missing OUTPUT_QUIET ERROR_QUIET)
if(NOT QUORL_PYTHON3 OR quorl_markdown_missing)
    message(FATAL_ERROR "The user guide's page is made with Python's markdown module, which "
                        "${QUORL_PYTHON3} lacks: scripts/install-deps installs python3-markdown")
endif()
set(QUORL_GUIDE_SOURCE ${PROJECT_SOURCE_DIR}/docs/USER-GUIDE.md)
set(QUORL_GUIDE_HTML ${PROJECT_BINARY_DIR}/USER-GUIDE.html)
# The pictures the guide shows, so that a new screenshot remakes the page.
file(STRINGS ${QUORL_GUIDE_SOURCE} quorl_guide_lines REGEX "\\]\\(images/[^)]+\\)")
set(quorl_guide_pictures)
foreach(line IN LISTS quorl_guide_lines)
    string(REGEX MATCHALL "images/[^)]+" pictures "${line}")
    foreach(picture IN LISTS pictures)
        list(APPEND quorl_guide_pictures ${PROJECT_SOURCE_DIR}/docs/${picture})
    endforeach()
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUORL_GUIDE_SOURCE})
add_custom_command(OUTPUT ${QUORL_GUIDE_HTML}
    COMMAND ${QUORL_PYTHON3} ${PROJECT_SOURCE_DIR}/cmake/make-guide-html.py
            ${QUORL_GUIDE_SOURCE} ${QUORL_GUIDE_HTML}
    DEPENDS ${QUORL_GUIDE_SOURCE} ${PROJECT_SOURCE_DIR}/cmake/make-guide-html.py
            ${quorl_guide_pictures}
    COMMENT "Making USER-GUIDE.html from docs/USER-GUIDE.md"
    VERBATIM)
add_custom_target(user_guide_html ALL DEPENDS ${QUORL_GUIDE_HTML})
install(FILES ${QUORL_GUIDE_HTML} DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME QuorlPitTimer)
set(CPACK_PACKAGE_VENDOR "Quorl Pit Timer developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(QUORL_PACKAGE_FILE_NAME QuorlPitTimer-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_FILE_NAME ${QUORL_PACKAGE_FILE_NAME})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)

if(BUILD_TESTING)
    add_test(NAME Package.ZipAndExecutable
             COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/check-package.sh
                     ${CMAKE_CPACK_COMMAND} ${PROJECT_BINARY_DIR}
                     ${PROJECT_BINARY_DIR}/package/${QUORL_PACKAGE_FILE_NAME}.zip
                     $<TARGET_FILE:QuorlWait> $<TARGET_FILE:keyhook>)
    set_tests_properties(Package.ZipAndExecutable PROPERTIES TIMEOUT 120)
endif()
