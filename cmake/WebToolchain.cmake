# The browser build's toolchain: Debian's emscripten, and the one thing it needs on top. em++'s
# JavaScript optimiser runs at every optimised link and finds its parser (node-acorn) only
# through NODE_PATH; setting it on the link rule lets a plain `cmake --build` work anywhere.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
