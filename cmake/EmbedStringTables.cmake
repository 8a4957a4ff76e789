# Writes a C++ source holding the bytes of every localisation table (<language>.json) of a
# folder, so that the tables are part of the program and need no lookup at run time.
#   cmake -DDIRECTORY=<folder> -DOUTPUT=<source.cpp> -P EmbedStringTables.cmake
# The source defines builtInStringTables() of foundation/StringTables.h.
foreach(required DIRECTORY OUTPUT)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "EmbedStringTables.cmake needs -D${required}=...")
    endif()
endforeach()

file(GLOB tables "${DIRECTORY}/*.json")
list(SORT tables)

set(arrays "")
set(entries "")
set(index 0)
foreach(table ${tables})
    get_filename_component(language "${table}" NAME_WE)
    file(READ "${table}" hex HEX)
    string(LENGTH "${hex}" hex_length)
    math(EXPR size "${hex_length} / 2")
    # Escaped bytes, 32 to a line, as adjacent string literals.
    set(lines "")
    set(offset 0)
    while(offset LESS hex_length)
        string(SUBSTRING "${hex}" ${offset} 64 chunk)
        string(REGEX REPLACE "(..)" "\\\\x\\1" chunk "${chunk}")
        string(APPEND lines "    \"${chunk}\"\n")
        math(EXPR offset "${offset} + 64")
    endwhile()
    string(APPEND arrays "// ${language}.json\nconstexpr char kTable${index}[] =\n${lines}    \"\";\n")
    string(APPEND entries "    StringTable{\"${language}\", std::string_view(kTable${index}, ${size})},\n")
    math(EXPR index "${index} + 1")
endforeach()

set(source "// Generated from the localisation tables by EmbedStringTables.cmake; do not edit.
#include \"foundation/StringTables.h\"

#include <array>

namespace wigglet {

namespace {
${arrays}
constexpr std::array kTables = {
${entries}};
} // namespace

std::span<const StringTable> builtInStringTables() {
    return kTables;
}

} // namespace wigglet
")

file(WRITE "${OUTPUT}.new" "${source}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
