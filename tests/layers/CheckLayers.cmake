# Checks that the folders of src/ include only what their layer may use:
#  - the core folders include no Qt header;
#  - model/ includes nothing of the project outside model/ but the drawing-surface interface;
#  - nothing outside shell/ includes a header of the shell.
# Run as: cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
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
check_folder(model "\"[a-z0-9]+/" "\"(model/|canvas/DrawingSurface\\.h)" "the model depends on nothing but the surface")
foreach(ui IN ITEMS analysis assembly canvas designfile i18n interaction model preview3d settings toolwindows widgets)
    check_folder(${ui} "\"shell/" "^$" "only the shell includes the shell")
endforeach()

if(failures)
    string(REPLACE ";" "\n" text "${failures}")
    message(FATAL_ERROR "Includes across the layers:\n${text}")
endif()
