# Compiles the gettext catalogues po/<lang>.po into locale/<lang>/LC_MESSAGES/tervo.mo at build time
# and embeds them as Qt resources under the same relative names.
find_program(MSGFMT_EXECUTABLE msgfmt REQUIRED)

function(tervo_add_catalogues target)
    cmake_parse_arguments(ARG "" "DOMAIN" "LANGUAGES" ${ARGN})
    set(mo_files)
    foreach(language IN LISTS ARG_LANGUAGES)
        set(po_file ${CMAKE_CURRENT_SOURCE_DIR}/${language}.po)
        set(mo_dir ${CMAKE_CURRENT_BINARY_DIR}/locale/${language}/LC_MESSAGES)
        set(mo_file ${mo_dir}/${ARG_DOMAIN}.mo)
        add_custom_command(
            OUTPUT ${mo_file}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${mo_dir}
            COMMAND ${MSGFMT_EXECUTABLE} --check -o ${mo_file} ${po_file}
            DEPENDS ${po_file}
            COMMENT "Compiling catalogue ${language}"
            VERBATIM)
        list(APPEND mo_files ${mo_file})
    endforeach()

    add_library(${target} STATIC ${CMAKE_CURRENT_SOURCE_DIR}/CatalogueResources.cpp)
    target_link_libraries(${target} PRIVATE Qt6::Core tervo_compiler_policy)
    qt_add_resources(${target} ${target}_files PREFIX / BASE ${CMAKE_CURRENT_BINARY_DIR} FILES ${mo_files})
endfunction()
