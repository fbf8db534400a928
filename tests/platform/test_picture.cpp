#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>

#include "platform/picture.h"
#include "platform/runtime.h"
#include "support/test_support.h"

using namespace kv::platform;

namespace {

using kvtest::bmp;

const std::vector<uint32_t> three_by_two = {0xFF0000, 0x00FF00, 0x0000FF,  // top row
                                            0x123456, 0xFFFFFF, 0x000000};

TEST(Picture, LoadsA24BitBmpEitherWayUp) {
    kvtest::TempFolder dir;
    for (int height : {2, -2}) {
        kvtest::write_file(dir / "p.bmp", bmp(3, height, three_by_two));
        auto picture = Picture::load(dir / "p.bmp");
        ASSERT_EQ(picture.width_px(), 3);
        ASSERT_EQ(picture.height_px(), 2);
        EXPECT_EQ(picture.file(), (dir / "p.bmp").string());
        std::vector<uint32_t> expected;
        for (uint32_t p : three_by_two) expected.push_back(0xFF000000 | p);
        EXPECT_EQ(picture.data()->argb, expected) << "height " << height;
    }
}

TEST(Picture, RefusesTruncatedBmp) {
    kvtest::TempFolder dir;
    const std::string whole = bmp(3, 2, three_by_two);
    for (size_t keep : {whole.size() - 1, size_t{60}, size_t{54}, size_t{30}, size_t{3}}) {
        kvtest::write_file(dir / "p.bmp", whole.substr(0, keep));
        EXPECT_THROW(Picture::load(dir / "p.bmp"), Failure) << keep << " bytes";
    }
}

TEST(Picture, ALoadedBitmapKeepsItsPixelsWhateverBecomesOfItsFile) {
    kvtest::TempFolder dir;
    kvtest::write_file(dir / "p.bmp", bmp(3, 2, three_by_two));
    const Picture picture = Picture::load(dir / "p.bmp");
    const Picture copy = picture;
    // Its pixels are first asked for after the file is gone, then through a copy.
    std::filesystem::remove(dir / "p.bmp");
    EXPECT_EQ(picture.width_px(), 3);
    EXPECT_EQ(picture.height_px(), 2);
    ASSERT_NE(copy.data(), nullptr);
    EXPECT_EQ(copy.data()->argb.size(), 6u);
    EXPECT_EQ(copy.data()->argb[1], 0xFF00FF00);
    EXPECT_EQ(picture.data(), copy.data());
}

TEST(Picture, ABitmapIsRefusedWhenLoadedNotWhenDrawn) {
    kvtest::TempFolder dir;
    // Bit fields whose masks the file ends before.
    std::string masked = bmp(1, 1, {0});
    masked[30] = 3;
    masked[28] = 16;
    kvtest::write_file(dir / "masks.bmp", masked.substr(0, 58));
    EXPECT_THROW(Picture::load(dir / "masks.bmp"), Failure);
    // A run-length stream cut inside a run of single pixels.
    std::string rle = bmp(4, 1, {});
    rle[28] = 8;
    rle[30] = 1;
    kvtest::write_file(dir / "rle.bmp", rle.substr(0, 54) + std::string("\x00\x04\x01\x02", 4));
    EXPECT_THROW(Picture::load(dir / "rle.bmp"), Failure);
}

TEST(Picture, RefusesImpossibleSizes) {
    kvtest::TempFolder dir;
    for (auto [w, h] : {std::pair{max_picture_side + 1, 1}, std::pair{1, -(max_picture_side + 1)},
                        std::pair{0, 1}, std::pair{-5, 1}}) {
        // Only the header: the declared size alone must be refused.
        kvtest::write_file(dir / "p.bmp", bmp(0, 0, {}).substr(0, 18) + bmp(w, h, {}).substr(18, 36));
        EXPECT_THROW(Picture::load(dir / "p.bmp"), Failure) << w << "x" << h;
    }
    // A PNG header declaring 20000 x 20000 pixels.
    std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x4e\x20\0\0\x4e\x20\x08\x02\0\0\0\0\0\0\0", 33);
    kvtest::write_file(dir / "p.png", png);
    EXPECT_THROW(Picture::load(dir / "p.png"), Failure);
}

TEST(Picture, RefusesMissingEmptyAndGarbageFiles) {
    kvtest::TempFolder dir;
    kvtest::write_file(dir / "empty.bmp", "");
    kvtest::write_file(dir / "text.bmp", "this is not a picture at all, just some words\n");
    EXPECT_THROW(Picture::load(dir / "missing.bmp"), Failure);
    EXPECT_THROW(Picture::load(dir / "empty.bmp"), Failure);
    EXPECT_THROW(Picture::load(dir / "text.bmp"), Failure);
    EXPECT_THROW(Picture::load(dir.path()), Failure);
}

TEST(Picture, FromDataChecksItsSize) {
    auto picture = Picture::from_data({2, 1, {0xFF000000, 0xFFFFFFFF}}, "made");
    EXPECT_FALSE(picture.empty());
    EXPECT_EQ(picture.width_px(), 2);
    EXPECT_EQ(picture.file(), "made");
    EXPECT_TRUE(Picture().empty());
    EXPECT_THROW(Picture::from_data({2, 2, {0}}), Failure);
}

long peak_memory_kb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A sparse file costs nothing to make: its size alone, far past what any picture needs, refuses it
// before a byte is read, so neither time nor memory goes into it.
TEST(Picture, FilesLargerThanAnyPictureNeedsAreRefusedUnread) {
    kvtest::TempFolder dir;
    const long peak_before = peak_memory_kb();
    for (uintmax_t size : {uintmax_t{3} << 30, static_cast<uintmax_t>(max_picture_file_size) + 1}) {
        kvtest::write_file(dir / "preview.bmp", bmp(1, 1, {0xFF0000}));
        std::filesystem::resize_file(dir / "preview.bmp", size);
        try {
            Picture::load(dir / "preview.bmp");
            ADD_FAILURE() << size << " bytes loaded";
        } catch (const Failure& failure) {
            EXPECT_EQ(std::string(failure.what()).rfind("picture file too large", 0), 0u) << failure.what();
        }
    }
    EXPECT_LT(peak_memory_kb() - peak_before, 64 * 1024);
    // Trailing bytes below the limit are no reason to refuse a picture.
    std::filesystem::resize_file(dir / "preview.bmp", 1 << 20);
    EXPECT_EQ(Picture::load(dir / "preview.bmp").data()->argb, std::vector<uint32_t>{0xFFFF0000});
}

// Where the program guards a file's reading, running out of memory on it fails that step like any
// unreadable file, instead of ending the program.
TEST(Picture, RunningOutOfMemoryOnAPictureIsAFailedStep) {
    if (!kvtest::address_space_can_be_limited)
        GTEST_SKIP() << "no address space limit under AddressSanitizer";
    kvtest::TempFolder dir;
    kvtest::write_file(dir / "big.bmp", bmp(1, 1, {0xFF0000}));
    std::filesystem::resize_file(dir / "big.bmp", 256 << 20);  // below the size limit
    EXPECT_EQ(kvtest::exit_code_in_child([&] {
                  if (!kvtest::limit_address_space(64 << 20)) return 2;
                  return skip_failure([&] { Picture::load(dir / "big.bmp"); }) ? 0 : 3;
              }),
              0);
}

}  // namespace
