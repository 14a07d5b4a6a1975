# The page's fonts: the two Lato faces cut down to the characters the game can show, so that a
# phone downloads a few kilobytes of them rather than over a megabyte. The characters come from
# the files that hold the shown texts (the HUD, the game-over line, the read-outs, the page's
# notices), so a changed text cuts them again. The page draws with stb_truetype, which reads
# neither hinting nor any layout feature but kerning; the desktop keeps the whole faces.
find_program(ROVUZU_NODE node REQUIRED)
find_program(ROVUZU_PYFTSUBSET pyftsubset REQUIRED)

set(ROVUZU_LATO /usr/share/fonts/truetype/lato)
set(ROVUZU_SHOWN_TEXTS
    ${PROJECT_SOURCE_DIR}/game/Scene.cpp
    ${PROJECT_SOURCE_DIR}/platform/host/core/Readouts.cpp
    ${PROJECT_SOURCE_DIR}/platform/host/web/PhoneCamera.hpp
    ${PROJECT_SOURCE_DIR}/platform/host/web/PhoneCamera.cpp
    ${PROJECT_SOURCE_DIR}/platform/host/web/XrCamera.hpp)

# Makes `folder`/Lato.ttf and `folder`/Lato-Light.ttf, the names the page's fonts.conf leads to,
# through the target rovuzu_page_fonts.
function(rovuzu_page_fonts folder)
    set(characters ${folder}/characters.txt)
    set(script ${PROJECT_SOURCE_DIR}/tools/web/shown-characters.mjs)
    add_custom_command(OUTPUT ${characters}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${ROVUZU_NODE} ${script} ${characters} ${ROVUZU_SHOWN_TEXTS}
        DEPENDS ${script} ${ROVUZU_SHOWN_TEXTS}
        COMMENT "Finding the characters the game can show"
        VERBATIM)
    set(faces)
    foreach(face Regular Light)
        set(name Lato-${face}.ttf)
        if(face STREQUAL Regular)
            set(name Lato.ttf)
        endif()
        add_custom_command(OUTPUT ${folder}/${name}
            COMMAND ${ROVUZU_PYFTSUBSET} ${ROVUZU_LATO}/Lato-${face}.ttf
                --text-file=${characters} --no-hinting --layout-features=kern
                --output-file=${folder}/${name}
            DEPENDS ${characters} ${ROVUZU_LATO}/Lato-${face}.ttf
            COMMENT "Cutting Lato ${face} to the characters the game can show"
            VERBATIM)
        list(APPEND faces ${folder}/${name})
    endforeach()
    add_custom_target(rovuzu_page_fonts DEPENDS ${faces})
endfunction()
