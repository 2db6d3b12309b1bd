# Writes a C++ source that holds a file's bytes: cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=...
# The source names INPUT: give it relative to the sources, so that no build path is in it.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    "
       bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.
#include <cstdint>
#include <span>

namespace varnel {

namespace {
constexpr std::uint8_t Bytes[${size}] = {
    ${bytes}
};
}  // namespace

std::span<const std::uint8_t> ${SYMBOL}() { return Bytes; }

}  // namespace varnel
")
