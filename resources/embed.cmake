# Turns the files listed in resources.txt into a C++ source that defines them as byte arrays and
# the table findResource searches.  cmake -DLIST=<resources.txt> -DOUTPUT=<file.cpp> -P embed.cmake
get_filename_component(dir "${LIST}" DIRECTORY)
file(STRINGS "${LIST}" lines)
set(arrays "")
set(table "")
set(count 0)
foreach(line ${lines})
    if(line MATCHES "^[ \t]*([0-9]+)[ \t]+([^ \t#]+)")
        set(number ${CMAKE_MATCH_1})
        set(name ${CMAKE_MATCH_2})
        file(READ "${dir}/${name}" hex HEX)
        string(LENGTH "${hex}" hexLength)
        math(EXPR size "${hexLength} / 2")
        string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
        string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n" bytes "${bytes}")
        string(APPEND arrays "const unsigned char kResource${number}[${size}] = {\n${bytes}};\n")
        string(APPEND table "    {${number}, kResource${number}, ${size}},\n")
        math(EXPR count "${count} + 1")
    endif()
endforeach()
file(WRITE "${OUTPUT}.tmp"
"// Generated from resources.txt: the bitmaps built into the library.
#include \"toolkit/platform/resources.h\"

namespace {
${arrays}
const CEmbeddedResource kResources[${count}] = {
${table}};
} // namespace

const CEmbeddedResource* findResource(int number) {
    for (const CEmbeddedResource& resource : kResources) {
        if (resource.number == number) {
            return &resource;
        }
    }
    return nullptr;
}
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
