# Run by CPack once the package's files are staged: its Depends and Recommends, from the
# shared libraries the binary and the camera module actually link.
#
# CPack's own CPACK_DEBIAN_PACKAGE_SHLIBDEPS passes every ELF file to dpkg-shlibdeps at once,
# which would make OpenCV, linked only by the camera module, a hard dependency. The binary
# loads the module only for --camera, so OpenCV is a recommendation: dpkg-shlibdeps runs here
# as debhelper runs it, with the module's libraries going to Recommends (-dRecommends). A
# library both link stays in Depends only.

set(root ${CPACK_TEMPORARY_DIRECTORY})
set(prefix ${CPACK_PACKAGING_INSTALL_PREFIX})
set(files -e${root}${prefix}/${CPACK_ROVUZU_BINARY})
if(CPACK_ROVUZU_CAMERA_MODULE)
    list(APPEND files -dRecommends -e${root}${prefix}/${CPACK_ROVUZU_CAMERA_MODULE})
endif()

# dpkg-shlibdeps wants to stand in a source package; an empty control file is enough.
file(WRITE ${root}/debian/control "")
execute_process(COMMAND dpkg-shlibdeps -O --ignore-missing-info ${files}
    WORKING_DIRECTORY ${root}
    OUTPUT_VARIABLE fields
    ERROR_VARIABLE warnings
    RESULT_VARIABLE status)
file(REMOVE_RECURSE ${root}/debian)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-shlibdeps failed: ${warnings}")
endif()
if(warnings)
    message(STATUS "dpkg-shlibdeps: ${warnings}")
endif()

string(REGEX MATCH "shlibs:Depends=([^\n]*)" _ "${fields}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
string(REGEX MATCH "shlibs:Recommends=([^\n]*)" _ "${fields}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${CMAKE_MATCH_1}")
message(STATUS "Depends: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
message(STATUS "Recommends: ${CPACK_DEBIAN_PACKAGE_RECOMMENDS}")
