# The WebAssembly build: the game's modules, the page (quenford.js, quenford.wasm) and the
# same core with the headless host for Node (quenford-node.js, one file).
list(APPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake)
include(QuenfordModule)

add_subdirectory(src)

# The site: build-web/ holds index.html, its script and style, quenford.js and .wasm, and the
# data the native build made (data/).
set(QUENFORD_WEB_DATA ${PROJECT_SOURCE_DIR}/build/data CACHE PATH
    "The data folder of a native build (DATA10.RES, morva.res, DATA12.RES)")
set(site_files)
foreach(page index.html page.js page.css)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${page}
        COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/web/${page} ${CMAKE_BINARY_DIR}/${page}
        DEPENDS ${PROJECT_SOURCE_DIR}/web/${page})
    list(APPEND site_files ${CMAKE_BINARY_DIR}/${page})
endforeach()
foreach(data DATA10.RES morva.res DATA12.RES)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/data/${data}
        COMMAND ${CMAKE_COMMAND} -E copy ${QUENFORD_WEB_DATA}/${data} ${CMAKE_BINARY_DIR}/data/${data}
        DEPENDS ${QUENFORD_WEB_DATA}/${data})
    list(APPEND site_files ${CMAKE_BINARY_DIR}/data/${data})
endforeach()
add_custom_target(web_site ALL DEPENDS ${site_files})
