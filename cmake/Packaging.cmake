# The portable zip of the Windows build: the program, its hook library, the user guide and the
# licence, at the top of the archive so that it unpacks straight into a folder of the racer's
# choosing. Made with `cpack` in the build folder (or the package target); checked by a test.
install(PROGRAMS $<TARGET_FILE:QuorlWait> $<TARGET_FILE:keyhook> DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/USER-GUIDE.md DESTINATION .)
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
