# The Debian package: the files only a package ships, and CPack's DEB generator.
# scripts/package.sh builds it with the `package` presets.

# There is no public address yet; set this when there is one.
set(ROVUZU_MAINTAINER "The rovuzu developers <rovuzu@example.org>" CACHE STRING
    "The package's maintainer, as a name and mail address")

find_program(ROVUZU_CONVERT convert REQUIRED)   # ImageMagick
find_program(ROVUZU_HELP2MAN help2man REQUIRED)
find_program(ROVUZU_GZIP gzip REQUIRED)

# Debian keeps a game's binary in /usr/games (the package preset's CMAKE_INSTALL_BINDIR), which
# root's PATH leaves out: a link in /usr/bin keeps `rovuzu` a command for everyone.
if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin")
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/bin)
    file(CREATE_LINK ../${CMAKE_INSTALL_BINDIR}/rovuzu ${CMAKE_CURRENT_BINARY_DIR}/bin/rovuzu
        SYMBOLIC)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/bin/rovuzu DESTINATION bin)
endif()

# The icon in the smaller sizes desktops ask for, scaled down from our own 256 px one.
set(icon ${PROJECT_SOURCE_DIR}/resources/icon.png)
set(icons)
foreach(size 32 48 64 128)
    set(scaled ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/rovuzu.png)
    add_custom_command(OUTPUT ${scaled}
        COMMAND ${CMAKE_COMMAND} -E make_directory icons/${size}
        # -strip leaves out the time stamps, so that every build makes the same file.
        COMMAND ${ROVUZU_CONVERT} ${icon} -resize ${size}x${size} -strip ${scaled}
        DEPENDS ${icon}
        COMMENT "Scaling the icon to ${size} px"
        VERBATIM)
    list(APPEND icons ${scaled})
    install(FILES ${scaled} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page, from the binary's own --help and --version.
set(manual ${CMAKE_CURRENT_BINARY_DIR}/rovuzu.6)
add_custom_command(OUTPUT ${manual}.gz
    COMMAND ${ROVUZU_HELP2MAN} --no-info --section=6 --name "an augmented-reality target game"
        --include ${CMAKE_CURRENT_SOURCE_DIR}/rovuzu.h2m --output ${manual} $<TARGET_FILE:rovuzu>
    COMMAND ${ROVUZU_GZIP} -9nf ${manual}
    DEPENDS rovuzu ${CMAKE_CURRENT_SOURCE_DIR}/rovuzu.h2m
    COMMENT "Writing the manual page"
    VERBATIM)
install(FILES ${manual}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# Debian's copyright file: the licence's own holder and terms, in Debian's format.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" _ "${licence}")
set(ROVUZU_COPYRIGHT ${CMAKE_MATCH_1})
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]+\n\n" "" terms "${licence}")
string(STRIP "${terms}" terms)
string(REPLACE "\n\n" "\n.\n" terms "${terms}")
string(REPLACE "\n" "\n " ROVUZU_LICENCE_TERMS "${terms}")
configure_file(copyright.in copyright @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Debian's changelog, dated by the release.
execute_process(COMMAND date --utc --rfc-email --date "${ROVUZU_RELEASE_DATE} 12:00"
    OUTPUT_VARIABLE ROVUZU_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(changelog.in changelog @ONLY)
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog)
add_custom_command(OUTPUT ${changelog}.gz
    COMMAND ${ROVUZU_GZIP} -9nkf ${changelog}
    DEPENDS ${changelog}
    VERBATIM)
install(FILES ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Everything the package holds; the `package` build preset builds only this.
add_custom_target(rovuzu_package_contents ALL DEPENDS ${icons} ${manual}.gz ${changelog}.gz)
add_dependencies(rovuzu_package_contents rovuzu)
if(TARGET rovuzu_camera)
    add_dependencies(rovuzu_package_contents rovuzu_camera)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rovuzu)
set(CPACK_PACKAGE_VENDOR "The rovuzu developers")
set(CPACK_PACKAGE_CONTACT ${ROVUZU_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "augmented-reality target game")
# Set here, not as CPACK_PACKAGE_DESCRIPTION_FILE, which CPack reads escaping quotes for XML.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION ${ROVUZU_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# resources/fonts.conf maps the game's fonts to Lato, through fontconfig.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-lato, fontconfig")
# The libraries come from dpkg-shlibdeps, in Dependencies.cmake (see there why not CPack's own).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/Dependencies.cmake)
set(CPACK_ROVUZU_BINARY ${CMAKE_INSTALL_BINDIR}/rovuzu)
if(TARGET rovuzu_camera)
    set(CPACK_ROVUZU_CAMERA_MODULE ${CMAKE_INSTALL_LIBDIR}/rovuzu/librovuzu_camera.so)
endif()
include(CPack)
