# Every #include of the program's own headers points down or sideways in the layer order of
# docs/architecture.md: a folder may use the folders before it, never one after it.
# Usage: cmake -DSOURCE_DIR=<src> -P include_layers.cmake; fails listing each include that
# points up.

set(LAYERS
    "store/format"
    "store/disk"
    "store"
    "backup"
    "print"
    "ui"
    "messages"
    "frontdesk"
    "reservations"
    "reports"
    "setup"
    "app,cli")

# The layer of a path relative to src/ (a file, or an included header), -1 when none.
function(layer_of path result)
    set(index 0)
    set(found -1)
    foreach(layer IN LISTS LAYERS)
        string(REPLACE "," ";" folders "${layer}")
        foreach(folder IN LISTS folders)
            string(LENGTH "${folder}/" length)
            string(SUBSTRING "${path}" 0 ${length} head)
            if(head STREQUAL "${folder}/")
                # The longest folder wins: store/format/x.h is in store/format, not store.
                set(found ${index})
            endif()
        endforeach()
        math(EXPR index "${index} + 1")
    endforeach()
    set(${result} ${found} PARENT_SCOPE)
endfunction()

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "Give the source folder: -DSOURCE_DIR=<src>")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(upward "")
foreach(source IN LISTS sources)
    layer_of("${source}" from)
    if(from EQUAL -1)
        string(APPEND upward "\n  ${source} lies in no layer")
        continue()
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
        layer_of("${header}" to)
        if(to GREATER from)
            string(APPEND upward "\n  ${source} includes ${header}")
        endif()
    endforeach()
endforeach()
if(upward)
    message(FATAL_ERROR "Includes that point up the layers:${upward}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files, every include points down or sideways")
