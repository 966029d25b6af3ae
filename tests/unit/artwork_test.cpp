// The pictures drawn by the artwork generator, read back from the files it writes: the icon
// and bitmap headers the resource compiler relies on, the transparent rows of the flags, the
// wheel's shape and the mascot's white background, and that the output never changes.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

const char* const kPictures[] = {"app.ico", "flag_uk.ico", "flag_dk.ico", "mascot.bmp"};

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t U16(const Bytes& b, size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}
uint32_t U32(const Bytes& b, size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}
int32_t S32(const Bytes& b, size_t at) {
    return static_cast<int32_t>(U32(b, at));
}

bool RunGenerator(const fs::path& dir) {
    const std::string command = std::string("\"") + ARTGEN_PATH + "\" \"" + dir.string() + "\"";
    return std::system(command.c_str()) == 0;
}

// Draws the pictures twice, into two fresh directories.
class Artwork : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "artwork_test.XXXXXX").string();
        root_ = mkdtemp(pattern.data()) ? pattern : "";
        ASSERT_FALSE(root_.empty());
        generated_ = RunGenerator(root_ / "first") && RunGenerator(root_ / "second");
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        if (!root_.empty()) fs::remove_all(root_, ignored);
    }
    void SetUp() override { ASSERT_TRUE(generated_) << "artgen failed"; }

    static Bytes Picture(const char* name) { return ReadAll(root_ / "first" / name); }

    static fs::path root_;
    static bool generated_;
};

fs::path Artwork::root_;
bool Artwork::generated_ = false;

const uint8_t kStandardPalette[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
enum {
    Black = 0,
    Navy = 4,
    Red = 9,
    Lime = 10,
    Yellow = 11,
    Blue = 12,
    Magenta = 13,
    Cyan = 14,
    White = 15
};

// One image of an icon file, with rows counted from the top.
struct IconImage {
    int size = 0;
    std::vector<int> colour;
    std::vector<bool> transparent;
    int At(int x, int y) const { return colour[y * size + x]; }
    bool Clear(int x, int y) const { return transparent[y * size + x]; }
};

// Reads the directory and every image, checking the headers on the way.
std::vector<IconImage> ReadIcon(const Bytes& file) {
    std::vector<IconImage> images;
    EXPECT_GE(file.size(), 6u);
    if (file.size() < 6) return images;
    EXPECT_EQ(U16(file, 0), 0u);
    EXPECT_EQ(U16(file, 2), 1u) << "type must be icon";
    const uint32_t count = U16(file, 4);
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * i;
        const int size = file.at(entry);
        EXPECT_EQ(file.at(entry + 1), size);
        EXPECT_EQ(file.at(entry + 2), 16) << "colour count";
        EXPECT_EQ(U16(file, entry + 4), 1u) << "planes";
        EXPECT_EQ(U16(file, entry + 6), 4u) << "bits per pixel";
        const uint32_t length = U32(file, entry + 8), offset = U32(file, entry + 12);
        const size_t colourStride = (size * 4 + 31) / 32 * 4, maskStride = (size + 31) / 32 * 4;
        EXPECT_EQ(length, 40 + 64 + (colourStride + maskStride) * size);
        EXPECT_LE(offset + length, file.size());
        if (offset + length > file.size()) return images;

        EXPECT_EQ(U32(file, offset), 40u);
        EXPECT_EQ(S32(file, offset + 4), size);
        EXPECT_EQ(S32(file, offset + 8), 2 * size) << "height covers colour bits and mask";
        EXPECT_EQ(U16(file, offset + 12), 1u);
        EXPECT_EQ(U16(file, offset + 14), 4u);
        EXPECT_EQ(U32(file, offset + 16), 0u) << "uncompressed";
        EXPECT_TRUE(U32(file, offset + 32) == 16 || U32(file, offset + 32) == 0);
        for (int c = 0; c < 16; ++c) {
            const size_t at = offset + 40 + 4 * c;
            EXPECT_EQ(file[at + 2], kStandardPalette[c][0]) << "palette entry " << c;
            EXPECT_EQ(file[at + 1], kStandardPalette[c][1]) << "palette entry " << c;
            EXPECT_EQ(file[at], kStandardPalette[c][2]) << "palette entry " << c;
        }
        IconImage image;
        image.size = size;
        const size_t colourBits = offset + 40 + 64, maskBits = colourBits + colourStride * size;
        for (int y = 0; y < size; ++y) {
            const size_t row = size - 1 - y;  // stored bottom-up
            for (int x = 0; x < size; ++x) {
                const uint8_t pair = file[colourBits + row * colourStride + x / 2];
                image.colour.push_back(x % 2 ? pair & 0x0F : pair >> 4);
                image.transparent.push_back(file[maskBits + row * maskStride + x / 8] &
                                            (0x80 >> (x % 8)));
            }
        }
        images.push_back(image);
    }
    return images;
}

TEST_F(Artwork, RepeatedRunsWriteTheSameBytes) {
    for (const char* name : kPictures) {
        const Bytes first = Picture(name);
        EXPECT_FALSE(first.empty()) << name;
        EXPECT_EQ(first, ReadAll(root_ / "second" / name)) << name;
    }
}

TEST_F(Artwork, TransparentPixelsHaveBlackColourBits) {
    // Windows draws an icon by AND with the mask, then XOR with the colour bits, so a
    // transparent pixel must carry black or it shows as a stray colour.
    for (const char* name : {"app.ico", "flag_uk.ico", "flag_dk.ico"}) {
        for (const IconImage& image : ReadIcon(Picture(name))) {
            for (int y = 0; y < image.size; ++y) {
                for (int x = 0; x < image.size; ++x) {
                    if (image.Clear(x, y)) {
                        ASSERT_EQ(image.At(x, y), Black) << name << " " << x << "," << y;
                    }
                }
            }
        }
    }
}

TEST_F(Artwork, WheelIsOneImageOfRingDiscAndCrossOnClear) {
    const std::vector<IconImage> images = ReadIcon(Picture("app.ico"));
    ASSERT_EQ(images.size(), 1u);
    const IconImage& wheel = images[0];
    ASSERT_EQ(wheel.size, 32);
    for (int i = 0; i < 32; ++i) {
        for (int line : {15, 16}) {  // the cross runs from edge to edge
            EXPECT_EQ(wheel.At(i, line), Black) << i;
            EXPECT_EQ(wheel.At(line, i), Black) << i;
            EXPECT_FALSE(wheel.Clear(i, line));
            EXPECT_FALSE(wheel.Clear(line, i));
        }
    }
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double dx = x + 0.5 - 16, dy = y + 0.5 - 16, r = std::sqrt(dx * dx + dy * dy);
            const bool onCross = x == 15 || x == 16 || y == 15 || y == 16;
            if (r > 16.5 && !onCross) {
                EXPECT_TRUE(wheel.Clear(x, y)) << x << "," << y;
            }
            if (r < 15) {
                EXPECT_FALSE(wheel.Clear(x, y)) << x << "," << y;
            }
            if (r < 7 && !onCross) {
                EXPECT_EQ(wheel.At(x, y), White) << x << "," << y;
            }
        }
    }
    for (int corner : {0, 31}) {
        EXPECT_TRUE(wheel.Clear(corner, 0));
        EXPECT_TRUE(wheel.Clear(corner, 31));
    }
}

TEST_F(Artwork, WheelRingGoesRoundTheColourCircle) {
    const IconImage wheel = ReadIcon(Picture("app.ico")).at(0);
    // Walk once round the ring and note the primaries where a 2x2 block is all one colour;
    // the shades between them are a checkerboard of both neighbours.
    std::vector<int> seen;
    for (int step = 0; step < 360; ++step) {
        const double a = (step + 0.5) * std::acos(-1.0) / 180;
        const int x = static_cast<int>(16 + 12 * std::cos(a)) & ~1;
        const int y = static_cast<int>(16 + 12 * std::sin(a)) & ~1;
        const int c = wheel.At(x, y);
        const bool uniform =
            wheel.At(x + 1, y) == c && wheel.At(x, y + 1) == c && wheel.At(x + 1, y + 1) == c;
        const bool primary =
            c == Red || c == Magenta || c == Blue || c == Cyan || c == Lime || c == Yellow;
        if (uniform && primary && (seen.empty() || seen.back() != c)) seen.push_back(c);
    }
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    while (seen.size() > 1 && seen.front() == seen.back()) seen.pop_back();
    ASSERT_EQ(seen.size(), 6u) << "each primary once, in one run each";
    std::vector<int> order = {Red, Magenta, Blue, Cyan, Lime, Yellow};
    const auto red = std::find(seen.begin(), seen.end(), Red);
    ASSERT_NE(red, seen.end());
    std::rotate(seen.begin(), red, seen.end());
    std::vector<int> reverse = {Red, Yellow, Lime, Cyan, Blue, Magenta};
    EXPECT_TRUE(seen == order || seen == reverse);
}

struct FlagCase {
    const char* file;
    size_t image;
    int size, top, rows;
};

const FlagCase kFlags[] = {{"flag_uk.ico", 0, 32, 6, 20},
                           {"flag_uk.ico", 1, 16, 3, 11},
                           {"flag_dk.ico", 0, 32, 6, 20},
                           {"flag_dk.ico", 1, 16, 3, 11}};

TEST_F(Artwork, FlagsFillTheirRowsAcrossAndLeaveTheOthersClear) {
    for (const FlagCase& flag : kFlags) {
        const std::vector<IconImage> images = ReadIcon(Picture(flag.file));
        ASSERT_EQ(images.size(), 2u) << flag.file;
        const IconImage& image = images.at(flag.image);
        ASSERT_EQ(image.size, flag.size);
        for (int y = 0; y < flag.size; ++y) {
            const bool inFlag = y >= flag.top && y < flag.top + flag.rows;
            for (int x = 0; x < flag.size; ++x) {
                EXPECT_EQ(image.Clear(x, y), !inFlag)
                    << flag.file << " " << flag.size << " row " << y;
            }
        }
    }
}

TEST_F(Artwork, UnionJackIsNavyRedWhiteAndTurnsOnlyByHalfATurn) {
    for (const FlagCase& flag : kFlags) {
        if (std::string(flag.file) != "flag_uk.ico") continue;
        const IconImage image = ReadIcon(Picture(flag.file)).at(flag.image);
        int navy = 0;
        bool mirrorSymmetric = true;
        for (int y = flag.top; y < flag.top + flag.rows; ++y) {
            for (int x = 0; x < flag.size; ++x) {
                const int c = image.At(x, y);
                EXPECT_TRUE(c == Navy || c == Red || c == White) << x << "," << y;
                navy += c == Navy;
                // The counterchanged saltire makes the flag the same after a half turn ...
                const int turnedY = 2 * flag.top + flag.rows - 1 - y;
                EXPECT_EQ(c, image.At(flag.size - 1 - x, turnedY)) << x << "," << y;
                // ... but not in a mirror.
                if (c != image.At(flag.size - 1 - x, y)) mirrorSymmetric = false;
            }
        }
        EXPECT_FALSE(mirrorSymmetric) << flag.size;
        EXPECT_GT(navy, flag.size * flag.rows / 5) << flag.size;
        EXPECT_EQ(image.At(flag.size / 2, flag.top + flag.rows / 2), Red) << "St George's cross";
    }
}

TEST_F(Artwork, UnionJackHasTheBroadWhiteUppermostAtTheHoist) {
    const IconImage image = ReadIcon(Picture("flag_uk.ico")).at(0);
    // Down a column near the hoist, the diagonal shows its broad white before its red.
    for (int x : {2, 4, 6}) {
        std::vector<int> stripes;
        for (int y = 6; y < 16; ++y) {
            const int c = image.At(x, y);
            if (c != Navy && (stripes.empty() || stripes.back() != c)) stripes.push_back(c);
        }
        ASSERT_GE(stripes.size(), 2u) << x;
        EXPECT_EQ(stripes[0], White) << x;
        EXPECT_EQ(stripes[1], Red) << x;
    }
}

TEST_F(Artwork, DanishFlagIsAWhiteCrossOnRedNearerTheHoist) {
    for (const FlagCase& flag : kFlags) {
        if (std::string(flag.file) != "flag_dk.ico") continue;
        const IconImage image = ReadIcon(Picture(flag.file)).at(flag.image);
        std::vector<int> uprightColumns;
        for (int x = 0; x < flag.size; ++x) {
            if (image.At(x, flag.top) == White) uprightColumns.push_back(x);
        }
        ASSERT_FALSE(uprightColumns.empty()) << flag.size;
        // The upright is one band, left of the middle, with red on both sides.
        EXPECT_EQ(uprightColumns.back() - uprightColumns.front() + 1,
                  static_cast<int>(uprightColumns.size()));
        EXPECT_GT(uprightColumns.front(), 0);
        EXPECT_LT(uprightColumns.back(), flag.size / 2 - 1);
        bool barFound = false;
        for (int y = flag.top; y < flag.top + flag.rows; ++y) {
            bool allWhite = true;
            for (int x = 0; x < flag.size; ++x) {
                const int c = image.At(x, y);
                EXPECT_TRUE(c == Red || c == White);
                allWhite = allWhite && c == White;
            }
            barFound = barFound || allWhite;
        }
        EXPECT_TRUE(barFound) << flag.size;
        EXPECT_EQ(image.At(0, flag.top), Red);
        EXPECT_EQ(image.At(flag.size - 1, flag.top + flag.rows - 1), Red);
    }
}

TEST_F(Artwork, MascotIsAnUncompressedBottomUp8BitBitmapOnWhite) {
    const Bytes file = Picture("mascot.bmp");
    ASSERT_GE(file.size(), 14u + 40 + 1024);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32(file, 2), file.size());
    const uint32_t bits = U32(file, 10);
    EXPECT_EQ(U32(file, 14), 40u);
    EXPECT_EQ(S32(file, 18), 211);
    EXPECT_EQ(S32(file, 22), 416) << "positive height: bottom-up";
    EXPECT_EQ(U16(file, 26), 1u);
    EXPECT_EQ(U16(file, 28), 8u);
    EXPECT_EQ(U32(file, 30), 0u) << "BI_RGB";
    EXPECT_TRUE(U32(file, 46) == 256 || U32(file, 46) == 0);
    const size_t stride = 212;  // 211 rounded up to whole 32-bit words
    EXPECT_EQ(bits, 14u + 40 + 256 * 4);
    ASSERT_EQ(file.size(), bits + stride * 416);

    auto colour = [&](int x, int y) {  // rows from the top
        const uint8_t index = file[bits + (415 - y) * stride + x];
        const size_t entry = 14 + 40 + 4 * index;
        return std::vector<int>{file[entry + 2], file[entry + 1], file[entry]};
    };
    int white = 0, coloured = 0, dark = 0, top = 416, bottom = -1;
    for (int y = 0; y < 416; ++y) {
        for (int x = 0; x < 211; ++x) {
            const std::vector<int> c = colour(x, y);
            const int high = std::max({c[0], c[1], c[2]}), low = std::min({c[0], c[1], c[2]});
            if (low == 255) {
                ++white;
                continue;
            }
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            coloured += high - low > 100;
            dark += high < 70;
        }
    }
    const int pixels = 211 * 416;
    EXPECT_GT(white, pixels / 2) << "white covers most of the picture";
    EXPECT_LT(white, pixels * 9 / 10) << "a figure is drawn";
    EXPECT_GT(coloured, pixels / 10) << "in colour";
    EXPECT_GT(dark, pixels / 50) << "with dark outlines";
    EXPECT_GT(bottom - top, 416 * 3 / 4) << "full length";
    for (int x = 0; x < 211; ++x) {  // the border rows stay white
        EXPECT_EQ(colour(x, 0), std::vector<int>({255, 255, 255}));
        EXPECT_EQ(colour(x, 415), std::vector<int>({255, 255, 255}));
    }
}

}  // namespace
