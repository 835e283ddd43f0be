# Reads resources/resources.txt, the one list of the program's resources.
#
# Each line is "id type file"; blank lines and lines starting with '#' are
# ignored. A file is relative to the manifest's folder, or, when it starts with
# "generated/", made by the build's asset tools. Sets out_entries in the
# caller's scope to a list of "id|type|file" entries, in the manifest's order;
# malformed lines and an id listed twice with the same type are errors.
function(tarnwick_read_resource_manifest manifest out_entries)
    file(STRINGS "${manifest}" lines)
    set(entries "")
    set(seen "")
    foreach(line IN LISTS lines)
        string(STRIP "${line}" line)
        if(line STREQUAL "" OR line MATCHES "^#")
            continue()
        endif()
        if(NOT line MATCHES "^([0-9]+)[ \t]+([A-Z]+)[ \t]+([^ \t|]+)$")
            message(FATAL_ERROR "resources.txt: malformed line: '${line}'")
        endif()
        if("${CMAKE_MATCH_1}:${CMAKE_MATCH_2}" IN_LIST seen)
            message(FATAL_ERROR "resources.txt: resource ${CMAKE_MATCH_2} ${CMAKE_MATCH_1} listed twice")
        endif()
        list(APPEND seen "${CMAKE_MATCH_1}:${CMAKE_MATCH_2}")
        list(APPEND entries "${CMAKE_MATCH_1}|${CMAKE_MATCH_2}|${CMAKE_MATCH_3}")
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${manifest}")
    set(${out_entries} "${entries}" PARENT_SCOPE)
endfunction()

# Splits an entry of tarnwick_read_resource_manifest into its three fields.
macro(tarnwick_resource_fields entry id type file)
    string(REPLACE "|" ";" _tarnwick_fields "${entry}")
    list(GET _tarnwick_fields 0 ${id})
    list(GET _tarnwick_fields 1 ${type})
    list(GET _tarnwick_fields 2 ${file})
endmacro()
