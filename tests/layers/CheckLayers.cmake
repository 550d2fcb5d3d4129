# Checks that the folders of src/ include only what their layer may use:
#  - the core folders include no Qt header;
#  - model/ includes nothing of the project outside model/;
#  - each folder includes only folders below it in the order of docs/architecture.md,
#    but for the pairs named there;
#  - nothing outside shell/ includes a header of the shell.
# Run as: cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.20)
set(failures "")

function(check_folder folder pattern allowed why)
    file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(path IN LISTS files)
        file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS includes)
            if(line MATCHES "${pattern}" AND NOT line MATCHES "${allowed}")
                file(RELATIVE_PATH name "${SOURCE_DIR}" "${path}")
                list(APPEND failures "${name}: ${line} (${why})")
            endif()
        endforeach()
    endforeach()
    set(failures "${failures}" PARENT_SCOPE)
endfunction()

foreach(core IN ITEMS model designfile analysis motors aero flight)
    check_folder(${core} "<Q|\"Q" "^$" "the core uses no Qt")
endforeach()
# settings/ holds the core's keys table and the Qt guard of the store.
file(STRINGS "${SOURCE_DIR}/settings/SettingsKeys.h" keyIncludes REGEX "#[ \t]*include[ \t]*[<\"]Q")
if(keyIncludes)
    list(APPEND failures "settings/SettingsKeys.h: ${keyIncludes} (the core uses no Qt)")
endif()
check_folder(model "\"[a-z0-9]+/" "\"model/" "the model depends on nothing")

# The folders from the bottom up: a folder may include its own headers and those of the
# folders before it.
set(order model designfile settings interaction i18n analysis aero motors flight editing
    exchange mesh preview3d canvas output widgets toolwindows assembly shell)
# Includes that run upwards on purpose, as "from>to" (none today).
set(upward "")
list(LENGTH order count)
math(EXPR last "${count} - 1")
foreach(index RANGE ${last})
    list(GET order ${index} folder)
    set(higher "")
    foreach(other RANGE ${index} ${last})
        list(GET order ${other} name)
        if(NOT name STREQUAL folder AND NOT "${folder}>${name}" IN_LIST upward)
            list(APPEND higher ${name})
        endif()
    endforeach()
    if(higher)
        string(REPLACE ";" "|" alternatives "${higher}")
        check_folder(${folder} "\"(${alternatives})/" "^$" "includes point down the layers")
    endif()
endforeach()
# Every folder of src/ has its place in the order.
file(GLOB entries LIST_DIRECTORIES true "${SOURCE_DIR}/*")
foreach(entry IN LISTS entries)
    get_filename_component(name "${entry}" NAME)
    if(IS_DIRECTORY "${entry}" AND NOT name IN_LIST order)
        list(APPEND failures "${name}/: not in the layer order")
    endif()
endforeach()
foreach(ui IN ITEMS analysis assembly canvas designfile i18n interaction model preview3d settings toolwindows widgets)
    check_folder(${ui} "\"shell/" "^$" "only the shell includes the shell")
endforeach()

if(failures)
    string(REPLACE ";" "\n" text "${failures}")
    message(FATAL_ERROR "Includes across the layers:\n${text}")
endif()
