// The drawn pictures, read back in the formats the resource compiler embeds.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}
uint32_t U32(const Bytes& b, size_t at) { uint32_t v; std::memcpy(&v, &b.at(at + 3) - 3, 4); return v; }
uint16_t U16(const Bytes& b, size_t at) { uint16_t v; std::memcpy(&v, &b.at(at + 1) - 1, 2); return v; }

std::string Draw(const std::string& dir) {
    std::string command = std::string(ARTGEN_PATH) + " " + dir;
    EXPECT_EQ(std::system(command.c_str()), 0);
    return dir;
}

struct IconImage {
    int size;
    Bytes bits;  // the image entry: header, palette, colour bits, mask
    bool Transparent(int x, int y) const {  // rows counted from the top
        size_t stride = ((size + 31) / 32) * 4;
        size_t colour = static_cast<size_t>(((size * 4 + 31) / 32) * 4) * size;
        size_t at = 40 + 64 + colour + stride * (size - 1 - y) + x / 8;
        return bits.at(at) & (0x80 >> (x % 8));
    }
    int Colour(int x, int y) const {
        size_t stride = ((size * 4 + 31) / 32) * 4;
        uint8_t byte = bits.at(40 + 64 + stride * (size - 1 - y) + x / 2);
        return x % 2 ? byte & 0x0F : byte >> 4;
    }
};

std::vector<IconImage> Icon(const Bytes& file) {
    EXPECT_EQ(U16(file, 0), 0);
    EXPECT_EQ(U16(file, 2), 1);  // an icon
    std::vector<IconImage> images;
    for (int i = 0; i < U16(file, 4); ++i) {
        size_t entry = 6 + 16 * i;
        uint32_t size = U32(file, entry + 8), offset = U32(file, entry + 12);
        IconImage image{file.at(entry), Bytes(file.begin() + offset, file.begin() + offset + size)};
        EXPECT_EQ(U32(image.bits, 0), 40u);
        EXPECT_EQ(static_cast<int>(U32(image.bits, 4)), image.size);
        EXPECT_EQ(static_cast<int>(U32(image.bits, 8)), 2 * image.size);  // colour and mask
        EXPECT_EQ(U16(image.bits, 14), 4);                                 // 16 colours
        EXPECT_EQ(U16(file, entry + 6), 4);
        images.push_back(image);
    }
    return images;
}

TEST(Artwork, FlagsHaveTheirRowsAndTransparentBands) {
    std::string dir = Draw(testing::TempDir() + "art_flags");
    for (const char* name : {"flag_uk.ico", "flag_dk.ico"}) {
        std::vector<IconImage> images = Icon(Read(dir + "/" + name));
        ASSERT_EQ(images.size(), 2u) << name;
        struct { int size, top, bottom; } bands[] = {{32, 6, 25}, {16, 3, 13}};
        for (int i = 0; i < 2; ++i) {
            const IconImage& image = images[i];
            ASSERT_EQ(image.size, bands[i].size);
            for (int y = 0; y < image.size; ++y)
                for (int x = 0; x < image.size; ++x) {
                    bool flagRow = y >= bands[i].top && y <= bands[i].bottom;
                    EXPECT_EQ(image.Transparent(x, y), !flagRow) << name << " " << x << "," << y;
                }
        }
    }
    // The Danish cross: white across the middle row, red in the corners.
    IconImage dk = Icon(Read(dir + "/flag_dk.ico"))[0];
    EXPECT_EQ(dk.Colour(31, 15), 15);
    EXPECT_EQ(dk.Colour(0, 6), 9);
    EXPECT_EQ(dk.Colour(31, 25), 9);
}

TEST(Artwork, WheelIsRoundWithABlackCross) {
    std::string dir = Draw(testing::TempDir() + "art_wheel");
    std::vector<IconImage> images = Icon(Read(dir + "/app.ico"));
    ASSERT_EQ(images.size(), 1u);
    const IconImage& wheel = images[0];
    ASSERT_EQ(wheel.size, 32);
    EXPECT_TRUE(wheel.Transparent(0, 0));
    EXPECT_TRUE(wheel.Transparent(31, 31));
    EXPECT_FALSE(wheel.Transparent(15, 0));  // the cross runs to the edge
    EXPECT_EQ(wheel.Colour(15, 0), 0);
    EXPECT_EQ(wheel.Colour(16, 16), 0);
    EXPECT_EQ(wheel.Colour(10, 10), 15);  // the white disc
}

TEST(Artwork, MascotIsAnUncompressed8BitBitmapMostlyWhite) {
    std::string dir = Draw(testing::TempDir() + "art_mascot");
    Bytes bmp = Read(dir + "/mascot.bmp");
    ASSERT_GT(bmp.size(), 1078u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(U32(bmp, 2), bmp.size());
    EXPECT_EQ(U32(bmp, 18), 211u);
    EXPECT_EQ(U32(bmp, 22), 416u);
    EXPECT_EQ(U16(bmp, 28), 8);
    EXPECT_EQ(U32(bmp, 30), 0u);  // BI_RGB
    EXPECT_EQ(U32(bmp, 46), 256u);
    EXPECT_EQ(bmp.size(), 1078u + 212u * 416u);  // rows padded to 4 bytes
    size_t white = 0, pixels = 0;
    for (size_t row = 0; row < 416; ++row)
        for (size_t x = 0; x < 211; ++x, ++pixels) {
            uint8_t index = bmp[1078 + row * 212 + x];
            const uint8_t* rgb = &bmp[54 + 4 * index];
            if (rgb[0] == 255 && rgb[1] == 255 && rgb[2] == 255) ++white;
        }
    EXPECT_GT(white * 2, pixels);
    EXPECT_LT(white * 10, pixels * 9);  // and there is a figure on it
}

TEST(Artwork, DrawingIsReproducible) {
    std::string a = Draw(testing::TempDir() + "art_a"), b = Draw(testing::TempDir() + "art_b");
    for (const char* name : {"app.ico", "flag_uk.ico", "flag_dk.ico", "mascot.bmp"}) {
        EXPECT_EQ(Read(a + "/" + name), Read(b + "/" + name)) << name;
    }
}

}  // namespace
