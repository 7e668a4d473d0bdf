# Checks the include graph of src/ against the layering: a subsystem includes only itself and the layers below it,
# logic never includes a window (ui/ folders, Qt Widgets headers), the telephone window reaches the line only
# through its own interface, never through the link's concrete services, and it neither implements the link's ports
# nor listens to the link's notices itself (src/app connects them to it).
#
#   cmake -DSOURCE_DIR=<src> -DWIDGETS_INCLUDE_DIR=<.../QtWidgets> -P CheckLayers.cmake
#
# Prints every offending include and fails when there is one.

cmake_minimum_required(VERSION 3.20)

if(NOT IS_DIRECTORY "${SOURCE_DIR}")
    message(FATAL_ERROR "SOURCE_DIR is not a folder: ${SOURCE_DIR}")
endif()

# What each subsystem may include besides itself. app wires everything and is not checked.
set(below_settings "")
set(below_recording settings)
set(below_books settings recording)
set(below_pbxlink settings)
set(below_sms settings)
set(below_phone settings pbxlink)
set(below_desktop settings)
set(layers settings recording books pbxlink sms phone desktop app)

# The link's concrete classes, which the window's sources must not see.
set(concrete_link_services "TelephoneServices|TToPBX|CallControl")
# What the link tells and asks of others, which src/app connects.
set(link_ports "[A-Za-z]*Ports?|LinkNotices")

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
list(SORT sources)
set(offences 0)
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" layer "${source}")
    if(layer STREQUAL "app" OR NOT layer IN_LIST layers)
        continue()
    endif()
    set(is_window FALSE)
    if(source MATCHES "(^|/)ui/")
        set(is_window TRUE)
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS lines)
        if(NOT line MATCHES "#[ \t]*include[ \t]*[\"<]([^\">]+)[\">]")
            continue()
        endif()
        set(included "${CMAKE_MATCH_1}")
        set(reason "")
        if(included MATCHES "^([a-z]+)/")
            set(target "${CMAKE_MATCH_1}")
            if(target IN_LIST layers AND NOT target STREQUAL layer AND NOT target IN_LIST below_${layer})
                set(reason "${layer} may not include ${target}")
            elseif(NOT is_window AND included MATCHES "(^|/)ui/")
                set(reason "logic may not include a window")
            elseif(layer STREQUAL "phone" AND included MATCHES "^pbxlink/(.*/)?(${concrete_link_services})\\.h$")
                set(reason "the telephone window may not include the link's concrete services")
            elseif(layer STREQUAL "phone" AND included MATCHES "^pbxlink/(.*/)?(${link_ports})\\.h$")
                set(reason "the telephone window may not implement the link's ports or listen to the link's notices")
            endif()
        elseif(NOT is_window)
            if(included MATCHES "^QtWidgets/")
                set(reason "logic may not include Qt Widgets")
            elseif(WIDGETS_INCLUDE_DIR AND included MATCHES "^Q[A-Za-z]+$" AND EXISTS "${WIDGETS_INCLUDE_DIR}/${included}")
                set(reason "logic may not include Qt Widgets")
            endif()
        endif()
        if(reason)
            message("${source}: #include ${included}: ${reason}")
            math(EXPR offences "${offences} + 1")
        endif()
    endforeach()
endforeach()

if(offences GREATER 0)
    message(FATAL_ERROR "${offences} include(s) break the layering")
endif()
list(LENGTH sources count)
message("${count} files follow the layering")
