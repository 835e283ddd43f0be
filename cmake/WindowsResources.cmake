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

# What the program file tells about itself: its icon group, string 1 and the
# version resource, and the installer's product facts, all made by the Linux
# build's windetails tool from the program's own facts (the About window's
# names and notice, the window icon's picture) and the project's version.
# Compiles the resource script into the program target; sets
# TARNWICK_DETAILS_ICON and TARNWICK_DETAILS_FACTS (the .ico and the WiX
# include) in the caller's scope.
function(tarnwick_file_details target)
    set(folder ${CMAKE_BINARY_DIR}/details)
    set(tool ${TARNWICK_HOST_BUILD}/tools/windetails/windetails)
    set(icon ${folder}/tarnwick.ico)
    set(script ${folder}/tarnwick-details.rc)
    set(facts ${folder}/tarnwick-facts.wxi)
    # The host tree is built by one make at a time: after the assets.
    add_custom_target(tarnwick_windetails_tool
        COMMAND ${CMAKE_COMMAND} --build ${TARNWICK_HOST_BUILD} --target windetails
        BYPRODUCTS ${tool}
        COMMENT "Building windetails in ${TARNWICK_HOST_BUILD}"
        VERBATIM)
    add_dependencies(tarnwick_windetails_tool tarnwick_assets)
    add_custom_command(OUTPUT ${icon} ${script} ${facts}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${tool} icon ${icon}
        COMMAND ${tool} resources ${PROJECT_VERSION} ${icon} ${script}
        COMMAND ${tool} installer ${facts}
        # The project's version is set in the top-level CMakeLists.txt.
        DEPENDS ${tool} tarnwick_windetails_tool ${CMAKE_SOURCE_DIR}/CMakeLists.txt
        COMMENT "Making the program's icon, version resource and installer facts"
        VERBATIM)
    add_custom_target(tarnwick_file_details DEPENDS ${icon} ${script} ${facts})
    target_sources(${target} PRIVATE ${script})
    add_dependencies(${target} tarnwick_file_details)
    set(TARNWICK_DETAILS_ICON ${icon} PARENT_SCOPE)
    set(TARNWICK_DETAILS_FACTS ${facts} PARENT_SCOPE)
endfunction()
