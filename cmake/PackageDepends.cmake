# Run by cpack: adds to the Debian package's dependencies the packages that hold Qt's plugins
# the program loads at run time, as this system names them.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()

function(_pintavo_owner file result)
    execute_process(COMMAND dpkg-query --search ${file} OUTPUT_VARIABLE found RESULT_VARIABLE failed
        ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    # "libqt6gui6:amd64: /usr/lib/...": the package's name, without its architecture.
    if(failed OR NOT found MATCHES "^([^:, ]+)")
        message(FATAL_ERROR "${file} is not installed from a package (tools/setup installs it): "
            "the package would not depend on it")
    endif()
    set(${result} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

set(_linked)
foreach(_library IN LISTS CPACK_PINTAVO_LINKED)
    _pintavo_owner(${_library} _package)
    list(APPEND _linked ${_package})
endforeach()
set(_depends ${CPACK_DEBIAN_PACKAGE_DEPENDS})
foreach(_plugin IN LISTS CPACK_PINTAVO_PLUGINS)
    _pintavo_owner(${_plugin} _package)
    list(FIND _linked ${_package} _in_linked)
    list(FIND _depends ${_package} _in_depends)
    if(_in_linked EQUAL -1 AND _in_depends EQUAL -1)
        list(APPEND _depends ${_package})
    endif()
endforeach()
list(JOIN _depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
