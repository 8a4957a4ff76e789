# Makes one installed file at build time (cmake -P), from the release notes or the licence:
#   -DWHAT=changelog  -DNEWS=NEWS.md -DMAINTAINER="Name <address>" -DGZIP=gzip -DOUTPUT=changelog.gz
#   -DWHAT=metainfo   -DNEWS=NEWS.md -DINPUT=template -DHOMEPAGE=url-or-empty -DOUTPUT=file
#   -DWHAT=manpage    -DNEWS=NEWS.md -DINPUT=wigglet.1.in -DVERSION=x.y.z -DGZIP=gzip -DOUTPUT=wigglet.1.gz
#   -DWHAT=copyright  -DLICENSE=LICENSE -DOUTPUT=copyright
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/ReleaseNotes.cmake)

# gzip -9n: the best compression, and no name nor time stamp, so that builds are reproducible.
function(write_gzipped text)
    set(plain "${OUTPUT}.plain")
    file(WRITE "${plain}" "${text}")
    execute_process(COMMAND "${GZIP}" -9n -c "${plain}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE status)
    file(REMOVE "${plain}")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "gzip failed on ${OUTPUT}: ${status}")
    endif()
endfunction()

function(debian_changelog)
    wigglet_read_news("${NEWS}" news)
    set(text "")
    list(LENGTH news_VERSIONS count)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
        list(GET news_VERSIONS ${i} version)
        list(GET news_DATES ${i} day)
        wigglet_debian_date(${day} date)
        string(APPEND text "wigglet (${version}) unstable; urgency=medium\n\n")
        foreach(item IN LISTS news_ITEMS_${i})
            string(REPLACE "`" "" item "${item}")
            wigglet_wrap("${item}" 78 "  * " "    " lines)
            wigglet_news_text("${lines}" lines)
            string(APPEND text "${lines}")
        endforeach()
        string(APPEND text "\n -- ${MAINTAINER}  ${date}\n")
        if(i LESS last)
            string(APPEND text "\n")
        endif()
    endforeach()
    write_gzipped("${text}")
endfunction()

function(xml_escape text out)
    string(REPLACE "&" "&amp;" text "${text}")
    string(REPLACE "<" "&lt;" text "${text}")
    string(REPLACE ">" "&gt;" text "${text}")
    string(REPLACE "\"" "&quot;" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(metainfo)
    wigglet_read_news("${NEWS}" news)
    set(WIGGLET_RELEASES "")
    foreach(version day IN ZIP_LISTS news_VERSIONS news_DATES)
        string(APPEND WIGGLET_RELEASES "    <release version=\"${version}\" date=\"${day}\"/>\n")
    endforeach()
    string(STRIP "${WIGGLET_RELEASES}" WIGGLET_RELEASES)
    set(WIGGLET_HOMEPAGE_URL "")
    if(HOMEPAGE)
        xml_escape("${HOMEPAGE}" url)
        set(WIGGLET_HOMEPAGE_URL "<url type=\"homepage\">${url}</url>\n  ")
    endif()
    configure_file("${INPUT}" "${OUTPUT}" @ONLY)
endfunction()

function(manpage)
    wigglet_read_news("${NEWS}" news)
    list(FIND news_VERSIONS "${VERSION}" index)
    if(index LESS 0)
        message(FATAL_ERROR "${NEWS} has no release ${VERSION}")
    endif()
    list(GET news_DATES ${index} WIGGLET_RELEASE_DATE)
    set(WIGGLET_VERSION "${VERSION}")
    configure_file("${INPUT}" "${OUTPUT}.in" @ONLY)
    file(READ "${OUTPUT}.in" text)
    file(REMOVE "${OUTPUT}.in")
    write_gzipped("${text}")
endfunction()

# The machine-readable copyright file: the licence's copyright line and its text, as "Expat",
# the name Debian gives the MIT licence.
function(copyright)
    file(READ "${LICENSE}" license)
    if(NOT license MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.+)$")
        message(FATAL_ERROR "${LICENSE}: no \"Copyright (c) YEAR HOLDER\" line followed by the text")
    endif()
    set(holder "${CMAKE_MATCH_1}")
    string(STRIP "${CMAKE_MATCH_2}" body)
    string(REGEX REPLACE "\n\n" "\n.\n" body "${body}")
    string(REPLACE "\n" "\n " body "${body}")
    file(WRITE "${OUTPUT}"
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
        "Upstream-Name: Wigglet\n"
        "\n"
        "Files: *\n"
        "Copyright: ${holder}\n"
        "License: Expat\n"
        " ${body}\n")
endfunction()

# The README as a web page, for the Help menu's FAQ item on an installed system.
function(readme_page)
    execute_process(COMMAND ${MARKDOWN} -x extra ${README} OUTPUT_VARIABLE body
                    RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${MARKDOWN} could not read ${README}")
    endif()
    file(WRITE ${OUTPUT}
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Wigglet</title>\n</head>\n<body>\n${body}</body>\n</html>\n")
endfunction()

if(WHAT STREQUAL "changelog")
    debian_changelog()
elseif(WHAT STREQUAL "metainfo")
    metainfo()
elseif(WHAT STREQUAL "manpage")
    manpage()
elseif(WHAT STREQUAL "copyright")
    copyright()
elseif(WHAT STREQUAL "readme")
    readme_page()
else()
    message(FATAL_ERROR "GeneratePackageFile: unknown WHAT=${WHAT}")
endif()
