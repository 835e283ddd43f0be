# Turns resources/resources.txt into a Win32 resource script for windres.
#
# Each manifest entry (ResourceManifest.cmake) becomes "id type "path"": BITMAP lines are
# bitmap resources (windres keeps the bitmap without its file header, as
# LoadBitmapA expects), other types are resources of that type name. Files
# under "generated/" come from host_generated, the asset tools' output folder
# of the Linux build.
#
# Sets TARNWICK_RESOURCE_FILES (every embedded file) and
# TARNWICK_RESOURCE_GENERATED (those the tools make) in the caller's scope.
include(${CMAKE_CURRENT_LIST_DIR}/ResourceManifest.cmake)

function(tarnwick_resource_script manifest host_generated out_rc)
    tarnwick_read_resource_manifest("${manifest}" entries)
    set(rc "// Generated from resources.txt: do not edit.\n")
    set(files "")
    set(generated "")
    get_filename_component(folder "${manifest}" DIRECTORY)
    foreach(entry IN LISTS entries)
        tarnwick_resource_fields("${entry}" id type rel)
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
    set(TARNWICK_RESOURCE_FILES "${files}" PARENT_SCOPE)
    set(TARNWICK_RESOURCE_GENERATED "${generated}" PARENT_SCOPE)
endfunction()
