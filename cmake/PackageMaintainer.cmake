# Who builds the package names themself: WIGGLET_MAINTAINER, or else DEBFULLNAME and DEBEMAIL
# as Debian's own tools read them. Nobody named gives a local build, which says so.

set(WIGGLET_MAINTAINER "" CACHE STRING
    "Package maintainer, \"Name <address>\" (when empty: DEBFULLNAME and DEBEMAIL)")
set(WIGGLET_LOCAL_MAINTAINER "Local Build <local-build@localhost.invalid>")

function(wigglet_package_maintainer out)
    set(who "${WIGGLET_MAINTAINER}")
    set(from "WIGGLET_MAINTAINER")
    if(NOT who AND "$ENV{DEBEMAIL}" MATCHES "<")
        set(who "$ENV{DEBEMAIL}")
        set(from "DEBEMAIL")
    elseif(NOT who AND NOT "$ENV{DEBEMAIL}" STREQUAL "" AND NOT "$ENV{DEBFULLNAME}" STREQUAL "")
        set(who "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
        set(from "DEBFULLNAME and DEBEMAIL")
    endif()
    if(NOT who)
        set(who "${WIGGLET_LOCAL_MAINTAINER}")
        message(STATUS "Package maintainer: ${who}, a local build "
                       "(set WIGGLET_MAINTAINER, or DEBFULLNAME and DEBEMAIL, to name yourself)")
    else()
        message(STATUS "Package maintainer: ${who} (from ${from})")
    endif()
    if(NOT who MATCHES "^[^<>@]*[^<>@ ] <[^<>@ ]+@[^<>@ ]+\\.[^<>@ ]+>$")
        message(FATAL_ERROR "The package maintainer \"${who}\" (from ${from}) is not \"Name <address>\"")
    endif()
    if(who MATCHES "@([^>]*\\.)?example\\.(org|com|net)>$")
        message(FATAL_ERROR "The package maintainer \"${who}\" (from ${from}) is a placeholder address")
    endif()
    set(${out} "${who}" PARENT_SCOPE)
endfunction()
