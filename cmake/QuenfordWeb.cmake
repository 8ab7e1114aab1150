# The WebAssembly build: the game's modules, the page (quenford.js, quenford.wasm) and the
# same core with the headless host for Node (quenford-node.js, one file).
list(APPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake)
include(QuenfordModule)

add_subdirectory(src/host)
add_subdirectory(src/resources)
add_subdirectory(src/platform)
add_subdirectory(src/play)
add_subdirectory(src/frontend)
add_subdirectory(src/autoplay)
add_subdirectory(src/app)
add_subdirectory(src/web)
