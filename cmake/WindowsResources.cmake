# Turns resources/resources.txt into a Win32 resource script for windres.
#
# Each manifest line "id type file" becomes "id type "path"": BITMAP lines are
# bitmap resources (windres keeps the bitmap without its file header, as
# LoadBitmapA expects), other types are resources of that type name. Files
# under "generated/" come from host_generated, the asset tools' output folder
# of the Linux build.
#
# Sets TARNWICK_RESOURCE_FILES (every embedded file) and
# TARNWICK_RESOURCE_GENERATED (those the tools make) in the caller's scope.
function(tarnwick_resource_script manifest host_generated out_rc)
    file(STRINGS "${manifest}" lines)
    set(rc "// Generated from resources.txt: do not edit.\n")
    set(files "")
    set(generated "")
    get_filename_component(folder "${manifest}" DIRECTORY)
    foreach(line IN LISTS lines)
        string(STRIP "${line}" line)
        if(line STREQUAL "" OR line MATCHES "^#")
            continue()
        endif()
        if(NOT line MATCHES "^([0-9]+)[ \t]+([A-Z]+)[ \t]+([^ \t]+)$")
            message(FATAL_ERROR "resources.txt: malformed line: '${line}'")
        endif()
        set(id "${CMAKE_MATCH_1}")
        set(type "${CMAKE_MATCH_2}")
        set(rel "${CMAKE_MATCH_3}")
        if(rel MATCHES "^generated/(.*)$")
            set(path "${host_generated}/${CMAKE_MATCH_1}")
            list(APPEND generated "${path}")
        else()
            get_filename_component(path "${folder}/${rel}" ABSOLUTE)
        endif()
        list(APPEND files "${path}")
        string(APPEND rc "${id} ${type} \"${path}\"\n")
    endforeach()
    file(WRITE "${out_rc}.tmp" "${rc}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${out_rc}.tmp" "${out_rc}")
    file(REMOVE "${out_rc}.tmp")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${manifest}")
    set(TARNWICK_RESOURCE_FILES "${files}" PARENT_SCOPE)
    set(TARNWICK_RESOURCE_GENERATED "${generated}" PARENT_SCOPE)
endfunction()
