# The WebAssembly build: the game's modules, the page (quenford.js, quenford.wasm) and the
# same core with the headless host for Node (quenford-node.js, one file).
list(APPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake)
include(QuenfordModule)

add_subdirectory(src)

# The site: build-web/ holds index.html, its script, style and manifest, quenford.js and
# .wasm, the data the native build made (data/) and its icons, and the service worker that
# keeps all of them for playing offline.
set(QUENFORD_WEB_DATA ${PROJECT_SOURCE_DIR}/build/data CACHE PATH
    "The data folder of a native build (DATA10.RES, morva.res, DATA12.RES, icons/, signs/)")
set(site_files)
function(site_copy from to)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${to}
        COMMAND ${CMAKE_COMMAND} -E copy ${from} ${CMAKE_BINARY_DIR}/${to}
        DEPENDS ${from})
    set(site_files ${site_files} ${to} PARENT_SCOPE)
endfunction()
foreach(page index.html layout.js page.js page.css quenford.webmanifest)
    site_copy(${PROJECT_SOURCE_DIR}/web/${page} ${page})
endforeach()
foreach(data DATA10.RES morva.res DATA12.RES)
    site_copy(${QUENFORD_WEB_DATA}/${data} data/${data})
endforeach()
foreach(size 192 512)
    site_copy(${QUENFORD_WEB_DATA}/icons/${size}x${size}/quenford.png icon-${size}.png)
endforeach()
site_copy(${QUENFORD_WEB_DATA}/signs/items.png items.png)
set(worker_template ${PROJECT_SOURCE_DIR}/web/service-worker.js)
set(worker_script ${PROJECT_SOURCE_DIR}/cmake/WebServiceWorker.cmake)
list(TRANSFORM site_files PREPEND ${CMAKE_BINARY_DIR}/ OUTPUT_VARIABLE site_paths)
string(JOIN "," worker_files ${site_files} quenford.js quenford.wasm)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/service-worker.js
    COMMAND ${CMAKE_COMMAND} -DSITE=${CMAKE_BINARY_DIR}
        -DFILES=${worker_files} -DTEMPLATE=${worker_template}
        -DOUTPUT=${CMAKE_BINARY_DIR}/service-worker.js -P ${worker_script}
    DEPENDS ${site_paths} quenford_web ${worker_template} ${worker_script})
add_custom_target(web_site ALL DEPENDS ${site_paths} ${CMAKE_BINARY_DIR}/service-worker.js)
