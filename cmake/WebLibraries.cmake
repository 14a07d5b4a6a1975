# The header libraries the browser build shares with the desktop, from Debian's packages.
# find_package cannot see /usr/include under emscripten's toolchain, and adding /usr/include
# itself would bring glibc's headers over emscripten's: a folder of links to just these
# libraries stands in, behind the targets the desktop build gets from find_package.
set(ROVUZU_WEB_HEADERS ${CMAKE_BINARY_DIR}/headers)
file(MAKE_DIRECTORY ${ROVUZU_WEB_HEADERS})
foreach(library glm nlohmann fmt fast_float stb)
    if(NOT EXISTS /usr/include/${library})
        message(FATAL_ERROR "/usr/include/${library} is missing: run scripts/install-deps.sh")
    endif()
    file(CREATE_LINK /usr/include/${library} ${ROVUZU_WEB_HEADERS}/${library} SYMBOLIC)
endforeach()
add_library(glm::glm INTERFACE IMPORTED)
target_include_directories(glm::glm SYSTEM INTERFACE ${ROVUZU_WEB_HEADERS})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${ROVUZU_WEB_HEADERS})
add_library(stb INTERFACE IMPORTED)
target_include_directories(stb SYSTEM INTERFACE ${ROVUZU_WEB_HEADERS}/stb)

# nlohmann-json reports a malformed resource by throwing: catching needs exceptions on.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
