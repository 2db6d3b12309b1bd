#include "packaging/icons/png_file.h"

#include <zlib.h>

#include <array>
#include <stdexcept>
#include <string_view>

namespace packaging {

namespace {

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>((value >> static_cast<unsigned>(shift)) & 0xFFU));
    }
}

// A chunk: length, type, data, and the CRC of type and data.
void put_chunk(std::vector<std::uint8_t>& out, std::string_view type,
               std::span<const std::uint8_t> data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t type_at = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + type_at, static_cast<uInt>(out.size() - type_at));
    put32(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::vector<std::uint8_t> png_file(int width, int height, std::span<const std::uint8_t> rgba) {
    const auto row_bytes = static_cast<std::size_t>(width) * 4;
    if (width <= 0 || height <= 0 || rgba.size() != row_bytes * static_cast<std::size_t>(height)) {
        throw std::invalid_argument("png_file: the pixels do not match the size");
    }
    // Each row starts with its filter type; none is used.
    std::vector<std::uint8_t> rows;
    rows.reserve((row_bytes + 1) * static_cast<std::size_t>(height));
    for (std::size_t offset = 0; offset < rgba.size(); offset += row_bytes) {
        rows.push_back(0);
        rows.insert(rows.end(), rgba.begin() + static_cast<std::ptrdiff_t>(offset),
                    rgba.begin() + static_cast<std::ptrdiff_t>(offset + row_bytes));
    }
    uLongf packed_size = compressBound(static_cast<uLong>(rows.size()));
    std::vector<std::uint8_t> packed(packed_size);
    if (compress2(packed.data(), &packed_size, rows.data(), static_cast<uLong>(rows.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        throw std::runtime_error("png_file: compression failed");
    }
    packed.resize(packed_size);

    std::vector<std::uint8_t> header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    constexpr std::array<std::uint8_t, 5> Format = {
        8,  // bits per channel
        6,  // colour with alpha
        0,  // deflate
        0,  // adaptive filtering
        0,  // not interlaced
    };
    header.insert(header.end(), Format.begin(), Format.end());

    constexpr std::array<std::uint8_t, 8> Signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> out(Signature.begin(), Signature.end());
    put_chunk(out, "IHDR", header);
    put_chunk(out, "IDAT", packed);
    put_chunk(out, "IEND", {});
    return out;
}

}  // namespace packaging
