# Writes OUTPUT, a C++ source defining `std::string_view NAMESPACE::FUNCTION()` over the exact
# bytes of INPUT (any bytes: the text is written as numbers, not as a string literal). A NUL
# after the last byte keeps the array from being empty; the view leaves it out.
# Run with -DINPUT= -DOUTPUT= -DSOURCE_NAME= -DNAMESPACE= -DFUNCTION= (see cmake/TovEmbed.cmake).
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
# Sixteen bytes a line.
string(REPEAT "[0-9a-f]" 32 line_of_hex)
string(REGEX REPLACE "(${line_of_hex})" "\\1\n    " hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
set(text "// Written from ${SOURCE_NAME} (${byte_count} bytes) by cmake/EmbedText.cmake at build time.
#include <string_view>

namespace ${NAMESPACE} {

namespace {
constexpr unsigned char bytes[] = {
    ${bytes}0x00};
}  // namespace

std::string_view ${FUNCTION}() {
    return {reinterpret_cast<const char*>(bytes), sizeof bytes - 1};
}

}  // namespace ${NAMESPACE}
")
file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
