// The picture formats users' files hold (BMP in all its kinds, JPEG, PNG, GIF) and the ones refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "platform/runtime.h"
#include "support/test_support.h"

using namespace kv::platform;

namespace {

using Pixels = std::vector<uint32_t>;

constexpr uint32_t black = 0xFF000000, red = 0xFFFF0000, green = 0xFF00FF00, blue = 0xFF0000FF,
                   white = 0xFFFFFFFF;

using kvtest::put16;
using kvtest::put32;

// A BMP with a 40-byte header, the palette (0xRRGGBB) and the pixel bytes as given.
std::string bmp_file(int32_t width, int32_t height, uint32_t bits, uint32_t compression,
                     const Pixels& palette, const std::string& pixels) {
    const uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
    std::string b = "BM";
    put32(b, offset + static_cast<uint32_t>(pixels.size()));
    put32(b, 0);
    put32(b, offset);
    put32(b, 40);
    put32(b, static_cast<uint32_t>(width));
    put32(b, static_cast<uint32_t>(height));
    put16(b, 1);
    put16(b, bits);
    put32(b, compression);
    put32(b, static_cast<uint32_t>(pixels.size()));
    put32(b, 0);
    put32(b, 0);
    put32(b, static_cast<uint32_t>(palette.size()));
    put32(b, 0);
    for (uint32_t colour : palette) put32(b, colour & 0xFFFFFF);
    return b + pixels;
}

const Pixels four_colours = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

Pixels decoded(const std::string& bytes) {
    return Picture::decode(bytes, "test").data()->argb;
}

std::string failure_of(const std::string& bytes) {
    try {
        Picture::decode(bytes, "test");
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "decoded";
}

TEST(PictureFormats, RunLengthBmpDecodesRunsRowsAndSkips) {
    using namespace std::string_literals;
    // RLE8, 4 x 2, bottom row first: three red and an end of row (the fourth pixel is never drawn),
    // then three pixels given one by one (padded to an even count) and one green, and the end.
    const std::string rle8 = "\x03\x01\x00\x00"s + "\x00\x03\x02\x03\x01\x00"s + "\x01\x02\x00\x01"s;
    EXPECT_EQ(decoded(bmp_file(4, 2, 8, 1, four_colours, rle8)),
              (Pixels{green, blue, red, green, red, red, red, black}));
    // RLE4, 5 x 1: a run alternates its two nibbles; then three pixels one by one, the last past the end.
    const std::string rle4 = "\x03\x12\x00\x03\x30\x00\x00\x01"s;
    EXPECT_EQ(decoded(bmp_file(5, 1, 4, 2, four_colours, rle4)), (Pixels{red, green, red, blue, black}));
    // A move right and up lands in the middle of 3 x 3.
    const std::string moved = "\x00\x02\x01\x01\x01\x03\x00\x01"s;
    EXPECT_EQ(decoded(bmp_file(3, 3, 8, 1, four_colours, moved)),
              (Pixels{black, black, black, black, blue, black, black, black, black}));
    // Runs past a row's end and rows past the top are dropped; indexes past the palette are black.
    const std::string overrun = "\xFF\x01\x00\x00\x02\x09\x00\x00\x05\x02"s;
    EXPECT_EQ(decoded(bmp_file(4, 1, 8, 1, four_colours, overrun)), (Pixels{red, red, red, red}));
    const std::string beyond_palette = "\x02\x09"s;
    EXPECT_EQ(decoded(bmp_file(2, 1, 8, 1, four_colours, beyond_palette)), (Pixels{black, black}));
}

TEST(PictureFormats, MalformedRunLengthBmpIsRefused) {
    using namespace std::string_literals;
    // Cut inside a run of single pixels, and inside a pair.
    EXPECT_THROW(decoded(bmp_file(4, 1, 8, 1, four_colours, "\x00\x04\x01\x02"s)), Failure);
    EXPECT_THROW(decoded(bmp_file(4, 1, 8, 1, four_colours, "\x02\x01\x03"s)), Failure);
    // Run-length with the wrong bits per pixel, or stored from the top.
    EXPECT_THROW(decoded(bmp_file(4, 1, 4, 1, four_colours, "\x02\x01"s)), Failure);
    EXPECT_THROW(decoded(bmp_file(4, -1, 8, 1, four_colours, "\x02\x01"s)), Failure);
    // Pixel data said to start past the file's end.
    std::string far = bmp_file(2, 1, 8, 1, four_colours, "\x02\x01"s);
    far[10] = '\x7F';
    EXPECT_THROW(decoded(far), Failure);
    EXPECT_THROW(decoded(bmp_file(2, 1, 8, 9, four_colours, "\x02\x01"s)),
                 Failure);  // unknown compression
}

TEST(PictureFormats, PalettedAndMaskedBmp) {
    using namespace std::string_literals;
    // 1 bit: white, black, white; rows padded to four bytes.
    EXPECT_EQ(decoded(bmp_file(3, 1, 1, 0, {0x000000, 0xFFFFFF}, "\xA0\x00\x00\x00"s)),
              (Pixels{white, black, white}));
    // 4 bits, two rows, bottom first.
    EXPECT_EQ(decoded(bmp_file(2, 2, 4, 0, four_colours, "\x12\x00\x00\x00\x30\x00\x00\x00"s)),
              (Pixels{blue, black, red, green}));
    // 8 bits stored from the top, one index past the short palette: that pixel is black.
    EXPECT_EQ(decoded(bmp_file(3, -2, 8, 0, four_colours, "\x01\x02\x07\x00\x03\x00\x01\x00"s)),
              (Pixels{red, green, black, blue, black, red}));
    // 16 bits, five per channel: pure red and pure blue.
    EXPECT_EQ(decoded(bmp_file(2, 1, 16, 0, {}, "\x00\x7C\x1F\x00"s)), (Pixels{red, blue}));
    // 32 bits: a fourth byte of zero everywhere means opaque; otherwise it is the alpha.
    EXPECT_EQ(decoded(bmp_file(2, 1, 32, 0, {}, "\x00\x00\xFF\x00\xFF\x00\x00\x00"s)), (Pixels{red, blue}));
    EXPECT_EQ(decoded(bmp_file(2, 1, 32, 0, {}, "\x00\x00\xFF\x80\xFF\x00\x00\x00"s)),
              (Pixels{0x80FF0000, 0x000000FF}));
    // Bit fields after the header: 5-6-5.
    std::string masked = bmp_file(1, 1, 16, 3, {}, "");
    std::string masks;
    put32(masks, 0xF800);
    put32(masks, 0x07E0);
    put32(masks, 0x001F);
    masked.insert(54, masks);
    masked[10] = static_cast<char>(54 + 12);
    masked += "\xE0\x07\x00\x00"s;
    EXPECT_EQ(decoded(masked), (Pixels{green}));
    // Unsupported depths are refused.
    EXPECT_THROW(decoded(bmp_file(1, 1, 7, 0, {}, "\x00\x00\x00\x00"s)), Failure);
}

TEST(PictureFormats, JpegPngAndGifAreToldByContentNotName) {
    kvtest::TempFolder dir;
    const std::string png(
        "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x02\0\0\0\x01\x08\x02\0\0\0\x7b\x40\xe8\xdd"
        "\0\0\0\x0dIDAT\x78\x9c\x63\xf8\xcf\x00\x04\xff\x01\x07\x00\x01\xff\xe2\x23\x9e\x59"
        "\0\0\0\0IEND\xae\x42\x60\x82",
        70);
    const std::string gif(
        "GIF89a\x01\0\x01\0\x80\0\0\xff\0\0\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;", 35);
    // Skins hold JPEG and GIF data under .bmp names.
    kvtest::write_file(dir / "png.bmp", png);
    kvtest::write_file(dir / "gif.bmp", gif);
    kvtest::write_file(dir / "jpeg.bmp", kvtest::blue_jpeg());
    EXPECT_EQ(Picture::load(dir / "png.bmp").data()->argb, (Pixels{red, blue}));
    EXPECT_EQ(Picture::load(dir / "gif.bmp").data()->argb, (Pixels{red}));
    const Picture jpeg = Picture::load(dir / "jpeg.bmp");
    ASSERT_EQ(jpeg.width_px(), 8);
    ASSERT_EQ(jpeg.height_px(), 8);
    const uint32_t pixel = jpeg.data()->argb[27];
    EXPECT_LT(pixel >> 16 & 0xFF, 16u);
    EXPECT_GT(pixel & 0xFF, 235u);
}

TEST(PictureFormats, OtherFormatsAreRefusedWhateverTheirName) {
    using namespace std::string_literals;
    // A 16-bit PPM (the heap overflow in the old decoder), a TGA of 13117 x 11570 in 102 bytes, PSD,
    // Radiance HDR, PIC and a JPEG name over a text.
    const std::string ppm = "P6\n2 2\n1000\n"s + std::string(24, '\x03');
    std::string tga("\0\0\x0a\0\0\0\0\0\0\0\0\0\x3d\x33\x32\x2d\x18\0"s);
    tga += std::string(84, '\x7F');
    const std::string psd =
        "8BPS\0\x01\0\0\0\0\0\0\0\x03\0\0\0\x01\0\0\0\x01\0\x08\0\x03"s + std::string(40, '\0');
    const std::string hdr = "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 1 +X 1\n\x01\x01\x01\x80"s;
    const std::string pic = "\x53\x80\xF6\x34"s + std::string(100, '\0');
    for (const auto& bytes : {ppm, tga, psd, hdr, pic, "just some words"s})
        EXPECT_EQ(failure_of(bytes).rfind("not a BMP, JPEG, PNG or GIF picture", 0), 0u)
            << bytes.substr(0, 4);
}

// Pictures whose header declares more than 40 million pixels, or a side over 16384, are refused
// before any pixel is decoded: the message says so, not that the data ran out.
TEST(PictureFormats, SizeLimitsAreCheckedBeforeDecoding) {
    using namespace std::string_literals;
    const auto png_header = [](uint32_t width, uint32_t height) {
        std::string b("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR"s);
        for (uint32_t v : {width, height})
            for (int shift : {24, 16, 8, 0}) b += static_cast<char>((v >> shift) & 0xFF);
        return b + "\x08\x02\0\0\0\0\0\0\0"s;
    };
    const auto gif_header = [](uint32_t width, uint32_t height) {
        std::string b = "GIF89a";
        put16(b, width);
        put16(b, height);
        return b + "\x80\0\0\xff\0\0\0\0\0,\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;"s;
    };
    for (const auto& bytes : {png_header(8000, 8000), png_header(16384, 16384), gif_header(16384, 16384),
                              gif_header(7000, 6000), bmp_file(7000, 6000, 8, 1, four_colours, "\x00\x01"s),
                              bmp_file(1, -16385, 24, 0, {}, ""), bmp_file(40'000'001, 1, 8, 1, {}, "")})
        EXPECT_EQ(failure_of(bytes).rfind("picture size out of range", 0), 0u) << failure_of(bytes);
    // Right at the limit a picture still loads: 40 million pixels, RLE8 all skipped.
    const Picture edge = Picture::decode(bmp_file(8000, 5000, 8, 1, four_colours, "\x00\x01"s), "edge");
    EXPECT_EQ(edge.width_px(), 8000);
    EXPECT_EQ(edge.height_px(), 5000);
}

// Tables and lengths are taken only when the file gave them: a scan coded with Huffman tables no DHT
// defined read uninitialised memory, and a PNG chunk longer than the file grew the buffer to 2 GiB.
TEST(PictureFormats, WhatAFileNeverGaveIsRefused) {
    using namespace std::string_literals;
    std::string jpeg = kvtest::blue_jpeg();
    const std::string scan = "\xff\xda\x00\x0c\x03\x01\x00\x02\x11\x03\x11"s;
    ASSERT_NE(jpeg.find(scan), std::string::npos);
    for (char selectors : {'\x22', '\x12', '\x21', '\x33'}) {
        std::string undefined = jpeg;
        undefined[undefined.find(scan) + 8] = selectors;  // the second component's DC and AC tables
        EXPECT_NE(failure_of(undefined).find("undefined huffman table"), std::string::npos)
            << failure_of(undefined);
    }
    // 70 bytes: a first IDAT of 16 bytes, then one that claims 2 GiB where one byte is left.
    const std::string png =
        "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0\0\0\0\0"
        "\0\0\0\x10IDAT\x78\x9c"s +
        std::string(18, '\0') + "\x7f\xff\xf0\0IDAT\0"s;
    ASSERT_EQ(png.size(), 70u);
    EXPECT_NE(failure_of(png).find("chunk too long"), std::string::npos) << failure_of(png);
}

// A progressive JPEG names tables in each scan that the scan does not use, and encoders leave them
// undefined: a DC scan names AC table 2, the DC refinement tables 3, the AC scan DC table 1.
TEST(PictureFormats, ProgressiveJpegScansNeedOnlyTheTablesTheyUse) {
    using namespace std::string_literals;
    const std::string one_code = "\x01"s + std::string(15, '\0') + "\0"s;  // one 1-bit code: symbol 0
    const std::string jpeg = "\xff\xd8\xff\xdb\0\x43\0"s + std::string(64, '\x01') +
                             "\xff\xc2\0\x0b\x08\0\x08\0\x08\x01\x01\x11\0"s +     // 8 x 8, one component
                             "\xff\xc4\0\x14\0"s + one_code +                      // DC table 0
                             "\xff\xda\0\x08\x01\x01\x02\0\0\x01\x7f"s +           // DC, first pass
                             "\xff\xda\0\x08\x01\x01\x33\0\0\x10\x7f"s +           // DC, refined
                             "\xff\xc4\0\x14\x10"s + one_code +                    // AC table 0
                             "\xff\xda\0\x08\x01\x01\x10\x01\x3f\0\x7f\xff\xd9"s;  // AC, all 63
    EXPECT_EQ(decoded(jpeg), Pixels(64, 0xFF808080));
}

}  // namespace
