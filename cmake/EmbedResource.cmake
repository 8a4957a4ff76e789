# Writes a C++ source whose function returns the bytes of a file, so that a resource is part of
# the program and needs no lookup at run time.
#   cmake -DINPUT=<file> -DOUTPUT=<source.cpp> -DHEADER=<header> -DFUNCTION=<name>
#         -P EmbedResource.cmake
# The function is declared in HEADER, in namespace wigglet, as std::string_view FUNCTION().
foreach(required INPUT OUTPUT HEADER FUNCTION)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "EmbedResource.cmake needs -D${required}=...")
    endif()
endforeach()

file(READ "${INPUT}" hex HEX)
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

get_filename_component(input_name "${INPUT}" NAME)
set(source "// Generated from ${input_name} by EmbedResource.cmake; do not edit.
#include \"${HEADER}\"

namespace wigglet {

namespace {
constexpr char kBytes[] =
${lines}    \"\";
} // namespace

std::string_view ${FUNCTION}() {
    return std::string_view(kBytes, ${size});
}

} // namespace wigglet
")

file(WRITE "${OUTPUT}.new" "${source}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
