# Fails when an include runs upward: a folder may include only itself and the folders below it.
#   cmake -DSOURCE_DIR=<checkout> -P CheckLayering.cmake
# Levels, bottom first. Tools (bench, tests) stand on top and may include anything.
cmake_minimum_required(VERSION 3.25)
set(levels
    "platform"
    "games settings emulator ui"
    "install config nvram"
    "help demo"
    "app")

set(level 0)
foreach(row IN LISTS levels)
    string(REPLACE " " ";" folders "${row}")
    foreach(folder IN LISTS folders)
        set(level_of_${folder} ${level})
    endforeach()
    math(EXPR level "${level} + 1")
endforeach()

set(faults "")
set(edges "")
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h")
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" folder "${source}")
    if(NOT DEFINED level_of_${folder})
        continue()   # tests, bench, build folders
    endif()
    get_filename_component(directory "${source}" DIRECTORY)
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
        string(REGEX MATCH "^[^/]+" target "${included}")
        get_filename_component(target_directory "${included}" DIRECTORY)
        if(NOT DEFINED level_of_${target})
            list(APPEND faults "${source}: includes ${included}, which is no part of the program")
        elseif(NOT target STREQUAL folder AND NOT level_of_${target} LESS level_of_${folder})
            list(APPEND faults "${source} (${folder}) includes ${included} (${target}), which is not below it")
        endif()
        if(NOT target_directory STREQUAL directory)
            list(APPEND edges "${directory}>${target_directory}")
        endif()
    endforeach()
endforeach()

# No two folders include each other, sub-folders included.
list(REMOVE_DUPLICATES edges)
foreach(edge IN LISTS edges)
    string(REPLACE ">" ";" ends "${edge}")
    list(GET ends 0 from)
    list(GET ends 1 to)
    if("${to}>${from}" IN_LIST edges AND from STRLESS to)
        list(APPEND faults "${from} and ${to} include each other")
    endif()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Includes that break the layering:\n  ${text}")
endif()
list(LENGTH sources count)
message(STATUS "Layering holds for ${count} files")
