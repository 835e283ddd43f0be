# Turns resources/resources.txt into an embedded resource table.
#
# The manifest is read by tarnwick_read_resource_manifest (ResourceManifest.cmake).
# A file is relative to the resources folder, or, when it starts with
# "generated/", to ${CMAKE_BINARY_DIR}/generated, where the build's asset tools
# write it. The bytes are pulled into the executable with the assembler's
# .incbin, so even the multi-megabyte vertex buffers cost no compile time.
#
# Sets, in the caller's scope:
#   TARNWICK_RESOURCE_FILES      every file the table embeds (absolute paths)
#   TARNWICK_RESOURCE_GENERATED  the subset that the build generates
include(${CMAKE_CURRENT_LIST_DIR}/ResourceManifest.cmake)

function(tarnwick_embed_resources manifest out_asm out_cpp)
    tarnwick_read_resource_manifest("${manifest}" entries)
    set(asm "/* Generated from resources.txt: do not edit. */\n")
    string(APPEND asm "    .section .note.GNU-stack,\"\",@progbits\n")
    string(APPEND asm "    .section .rodata.tarnwick_resources,\"a\",@progbits\n")
    set(decls "")
    set(entries_cpp "")
    set(files "")
    set(generated "")
    set(index 0)
    foreach(entry IN LISTS entries)
        tarnwick_resource_fields("${entry}" id type rel)
        if(rel MATCHES "^generated/")
            set(path "${CMAKE_BINARY_DIR}/${rel}")
            list(APPEND generated "${path}")
        else()
            set(path "${CMAKE_CURRENT_SOURCE_DIR}/${rel}")
            if(NOT EXISTS "${path}")
                message(FATAL_ERROR "resources.txt: resource ${type} ${id}: file '${rel}' is missing")
            endif()
        endif()
        list(APPEND files "${path}")
        set(sym "tarnwick_resource_${index}")
        string(APPEND asm "    .balign 16\n    .global ${sym}\n${sym}:\n    .incbin \"${path}\"\n")
        string(APPEND asm "    .global ${sym}_end\n${sym}_end:\n    .byte 0\n")
        string(APPEND decls "extern const unsigned char ${sym}[];\nextern const unsigned char ${sym}_end[];\n")
        string(APPEND entries_cpp "    {${id}, \"${type}\", ${sym}, ${sym}_end},\n")
        math(EXPR index "${index} + 1")
    endforeach()
    file(WRITE "${out_asm}.tmp" "${asm}")
    file(WRITE "${out_cpp}.tmp"
        "// Generated from resources.txt: do not edit.\n"
        "#include \"platform/resources.h\"\n\n"
        "extern \"C\" {\n${decls}}\n\n"
        "const EmbeddedResource g_embeddedResources[] = {\n${entries_cpp}    {0, nullptr, nullptr, nullptr},\n};\n"
        "const int g_embeddedResourceCount = ${index};\n")
    # Only touch the outputs when they change, so a reconfigure does not rebuild.
    foreach(out IN ITEMS "${out_asm}" "${out_cpp}")
        execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${out}.tmp" "${out}")
        file(REMOVE "${out}.tmp")
    endforeach()
    set(TARNWICK_RESOURCE_FILES "${files}" PARENT_SCOPE)
    set(TARNWICK_RESOURCE_GENERATED "${generated}" PARENT_SCOPE)
endfunction()
