# The maker's name, site and e-mail address for the package and the metadata,
# read from app/AppInfo.h so that they are written in one place only.
file(READ ${CMAKE_SOURCE_DIR}/app/AppInfo.h _pintavo_app_info)
foreach(_field Name Domain Site Email)
    string(TOUPPER ${_field} _upper)
    if(NOT _pintavo_app_info MATCHES "Maker${_field} = QStringLiteral\\(\"([^\"]*)\"\\)")
        message(FATAL_ERROR "app/AppInfo.h: Maker${_field} not found")
    endif()
    set(PINTAVO_MAKER_${_upper} "${CMAKE_MATCH_1}")
endforeach()
