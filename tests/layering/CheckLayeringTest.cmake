# The layering check itself: it must fail on an include that runs up or sideways and pass
# on a tree that keeps the layers. Run as
# cmake -DCHECK=<CheckLayering.cmake> -DWORK_DIR=<scratch folder> -P CheckLayeringTest.cmake.
cmake_minimum_required(VERSION 3.20)

# A tree of the given files ("path=included header" pairs), checked; sets passed.
function(check_tree name files passed)
    set(root ${WORK_DIR}/${name})
    file(REMOVE_RECURSE ${root})
    foreach(entry IN LISTS files)
        string(REPLACE "=" ";" parts "${entry}")
        list(GET parts 0 path)
        list(GET parts 1 header)
        file(WRITE ${root}/${path} "#include \"${header}\"\n")
    endforeach()
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${root} -P ${CHECK}
                    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
    if(result EQUAL 0)
        set(${passed} TRUE PARENT_SCOPE)
    else()
        set(${passed} FALSE PARENT_SCOPE)
    endif()
endfunction()

# Each case: name|files, comma-separated|whether the check passes.
set(sound "play/A.cpp=platform/Vdp.h,platform/Vdp.cpp=resources/Archive.h,\
resources/Archive.h=draw/Picture.h,host/sdl/SdlHost.cpp=host/common/KeyCodes.h,\
app/Program.cpp=host/sdl/SdlHost.h,libretro/Core.cpp=host/libretro/LibretroHost.h,\
libretro/Core.cpp=frontend/Game.h")
set(cases
    "sound|${sound}|TRUE"
    "upward|${sound},resources/Load.cpp=platform/Text.h|FALSE"
    "sideways host|${sound},host/sdl/Screenshot.cpp=host/headless/PngFrameWriter.h|FALSE"
    "shared piece on a host|${sound},host/common/Keys.cpp=host/web/WebHost.h|FALSE"
    "host internals|${sound},app/Timedemo.cpp=host/sdl/FrameConversion.h|FALSE"
    "libretro host knows the game|${sound},host/libretro/X.cpp=frontend/Game.h|FALSE"
    "game knows the core|${sound},app/X.cpp=libretro/Core.h|FALSE"
    "unknown folder|${sound},tools/X.cpp=host/Host.h|FALSE")
set(failures "")
foreach(entry IN LISTS cases)
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 name)
    list(GET fields 1 files)
    list(GET fields 2 expected)
    string(REPLACE "," ";" files "${files}")
    string(REPLACE " " "_" folder "${name}")
    check_tree(${folder} "${files}" passed)
    if(NOT passed STREQUAL expected)
        list(APPEND failures "${name}: passed ${passed}, expected ${expected}")
    endif()
endforeach()
if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "the layering check is wrong:\n  ${text}")
endif()
