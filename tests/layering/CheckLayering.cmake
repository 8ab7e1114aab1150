# Fails when a module includes a header of a module above it or beside it. Run as
# cmake -DSOURCE_DIR=<src> -P CheckLayering.cmake.
#
# A module is a folder under src; under host, each host is a module of its own (host/sdl,
# host/headless, host/web, host/libretro), over the interface (host) and the pieces they
# share (host/common). The game's modules see the interface and the shared pieces; the
# program (app, the page's entry web, the libretro core's entry libretro) picks a host and
# its services through their public headers.
cmake_minimum_required(VERSION 3.20)
set(allowed_host host)
set(allowed_host/common host host/common)
set(allowed_host/headless host host/common host/headless)
set(allowed_host/sdl host host/common host/sdl)
set(allowed_host/web host host/common host/web)
set(allowed_host/libretro host host/common host/libretro)
set(game_base host host/common)
set(allowed_draw ${game_base} draw)
set(allowed_resources ${game_base} draw resources)
set(allowed_platform ${game_base} draw resources platform)
set(allowed_play ${allowed_platform} play)
set(allowed_frontend ${allowed_play} frontend)
set(allowed_autoplay ${allowed_play} autoplay)
set(allowed_keyplay ${allowed_play} keyplay)
set(allowed_app ${allowed_frontend} autoplay keyplay app)
set(allowed_web ${allowed_app} web)
set(allowed_libretro ${allowed_app} libretro)
set(public_host_headers host/headless/HeadlessHost.h host/headless/HeadlessServices.h
    host/sdl/SdlHost.h host/sdl/SdlServices.h host/web/WebHost.h host/web/WebServices.h
    host/libretro/LibretroHost.h host/libretro/LibretroServices.h host/libretro/RetroInput.h)
set(hosts_picked_by app web libretro)

# The module a path under src belongs to.
function(module_of path result)
    if(path MATCHES "^host/([^/]+)/")
        set(${result} "host/${CMAKE_MATCH_1}" PARENT_SCOPE)
    else()
        string(REGEX MATCH "^[^/]+" first "${path}")
        set(${result} "${first}" PARENT_SCOPE)
    endif()
endfunction()

set(violations "")
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
foreach(source IN LISTS sources)
    module_of("${source}" module)
    if(NOT DEFINED allowed_${module})
        list(APPEND violations "${source}: folder ${module} has no place in the layers")
        continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^#include \"[^\"]+\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
        module_of("${header}" target)
        if(target IN_LIST allowed_${module})
            continue()
        endif()
        if(module IN_LIST hosts_picked_by AND header IN_LIST public_host_headers)
            continue()
        endif()
        list(APPEND violations "${source}: ${line}")
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "includes that cross a module boundary upward or sideways:\n  ${text}")
endif()
