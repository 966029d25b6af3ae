// Draws the setup's four pictures and writes them in the formats the
// resource script embeds: three 4-bit icons and an 8-bit bitmap.
// Usage: artgen OUTPUT_DIRECTORY
#include <cmath>
#include <filesystem>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The standard 16-colour Windows palette, as RGB.
const uint8_t kPalette16[16][3] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128},   {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
enum : int { Black = 0, Maroon = 1, Green = 2, Olive = 3, Navy = 4, Purple = 5, Teal = 6,
             Silver = 7, Grey = 8, Red = 9, Lime = 10, Yellow = 11, Blue = 12, Magenta = 13,
             Cyan = 14, White = 15, Clear = -1 };

struct Image4 {  // one icon image: palette index per pixel, Clear for transparent
    int size;
    std::vector<int> pixels;
    explicit Image4(int s) : size(s), pixels(s * s, Clear) {}
    int& at(int x, int y) { return pixels[y * size + x]; }
};

void Put16(std::vector<uint8_t>& out, unsigned v) { out.push_back(v & 0xFF); out.push_back((v >> 8) & 0xFF); }
void Put32(std::vector<uint8_t>& out, unsigned v) { Put16(out, v & 0xFFFF); Put16(out, v >> 16); }

std::vector<uint8_t> IconImageBytes(Image4& image) {
    const int n = image.size;
    std::vector<uint8_t> out;
    Put32(out, 40); Put32(out, n); Put32(out, 2 * n);  // height covers colour and mask
    Put16(out, 1); Put16(out, 4); Put32(out, 0);
    Put32(out, 0); Put32(out, 0); Put32(out, 0); Put32(out, 16); Put32(out, 0);
    for (auto& c : kPalette16) { out.push_back(c[2]); out.push_back(c[1]); out.push_back(c[0]); out.push_back(0); }
    const int xorStride = ((n * 4 + 31) / 32) * 4, andStride = ((n + 31) / 32) * 4;
    for (int y = n - 1; y >= 0; --y) {  // bottom-up rows
        std::vector<uint8_t> row(xorStride, 0);
        for (int x = 0; x < n; ++x) {
            int v = image.at(x, y) == Clear ? 0 : image.at(x, y);
            row[x / 2] |= static_cast<uint8_t>(x % 2 ? v : v << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(andStride, 0);
        for (int x = 0; x < n; ++x)
            if (image.at(x, y) == Clear) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

bool WriteIcon(const std::string& path, std::vector<Image4> images) {
    std::vector<uint8_t> out;
    Put16(out, 0); Put16(out, 1); Put16(out, static_cast<unsigned>(images.size()));
    std::vector<std::vector<uint8_t>> blobs;
    for (auto& image : images) blobs.push_back(IconImageBytes(image));
    unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<uint8_t>(images[i].size)); out.push_back(static_cast<uint8_t>(images[i].size));
        out.push_back(16); out.push_back(0); Put16(out, 1); Put16(out, 4);
        Put32(out, static_cast<unsigned>(blobs[i].size())); Put32(out, offset);
        offset += static_cast<unsigned>(blobs[i].size());
    }
    for (auto& blob : blobs) out.insert(out.end(), blob.begin(), blob.end());
    return WriteFile(path, out);
}

// --- the horoscope wheel ---
Image4 DrawWheel() {
    Image4 image(32);
    const int ring[12] = {Red, Magenta, Purple, Blue, Navy, Cyan, Teal, Green, Lime, Yellow, Olive, Maroon};
    const double c = 15.5, pi = std::acos(-1.0);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            double dx = x - c, dy = y - c, r = std::sqrt(dx * dx + dy * dy);
            if (r <= 15.5) {
                double angle = std::atan2(-dy, dx);
                if (angle < 0) angle += 2 * pi;
                image.at(x, y) = r < 9.0 ? White : ring[static_cast<int>(angle / (2 * pi) * 12) % 12];
            }
            if (x == 15 || x == 16 || y == 15 || y == 16) image.at(x, y) = Black;
        }
    return image;
}

// --- the flags: full width, rows top..top+rows-1, transparent elsewhere ---
Image4 DrawDanish(int size, int top, int rows) {
    Image4 image(size);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < size; ++x) {
            // The cross stands towards the hoist: its upright begins at 3/8 of the width.
            double fx = (x + 0.5) / size, fy = (y + 0.5) / rows;
            bool cross = (fx > 0.3125 && fx < 0.4375) || (fy > 0.41 && fy < 0.59);
            image.at(x, top + y) = cross ? White : Red;
        }
    return image;
}

Image4 DrawUnion(int size, int top, int rows) {
    Image4 image(size);
    const double w = size, h = rows;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < size; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double u = px / w - 0.5, v = py / h - 0.5;  // centred, -0.5..0.5
            int colour = Navy;
            // Diagonal distances in flag-normalised space.
            double d1 = (u * h - v * w) / std::sqrt(w * w + h * h);  // main diagonal
            double d2 = (u * h + v * w) / std::sqrt(w * w + h * h);
            double band = h / 10.0 / h;  // saltire width relative to height
            if (std::fabs(d1) < band * 1.5 || std::fabs(d2) < band * 1.5) colour = White;
            // Counterchanged red saltire: offset to one side of each diagonal.
            bool upperHoist = (u < 0) == (v < 0);
            double red1 = upperHoist ? d1 : -d1;
            double red2 = (u < 0) != (v < 0) ? d2 : -d2;
            if ((red1 > 0 && red1 < band) && std::fabs(d1) < band * 1.5) colour = Red;
            if ((red2 > 0 && red2 < band) && std::fabs(d2) < band * 1.5) colour = Red;
            if (std::fabs(u) * w < w / 30.0 * 5 / 2.0 * (h / w) * 1.0 * 2 || std::fabs(v) < 1.0 / 6) colour = White;
            if (std::fabs(u) * w < h / 10.0 || std::fabs(v) < 1.0 / 10) colour = Red;
            image.at(x, top + y) = colour;
        }
    return image;
}

// --- the mascot ---
struct Canvas8 {
    int width, height;
    std::vector<uint8_t> pixels;
    Canvas8(int w, int h) : width(w), height(h), pixels(w * h, 255) {}
};

bool WriteBitmap8(const std::string& path, const Canvas8& canvas, const uint8_t palette[256][3]) {
    const int stride = (canvas.width + 3) & ~3;
    const unsigned imageSize = static_cast<unsigned>(stride * canvas.height);
    std::vector<uint8_t> out;
    out.push_back('B'); out.push_back('M');
    Put32(out, 14 + 40 + 1024 + imageSize); Put32(out, 0); Put32(out, 14 + 40 + 1024);
    Put32(out, 40); Put32(out, canvas.width); Put32(out, canvas.height);
    Put16(out, 1); Put16(out, 8); Put32(out, 0); Put32(out, imageSize);
    Put32(out, 2835); Put32(out, 2835); Put32(out, 256); Put32(out, 0);
    for (int i = 0; i < 256; ++i) { out.push_back(palette[i][2]); out.push_back(palette[i][1]); out.push_back(palette[i][0]); out.push_back(0); }
    for (int y = canvas.height - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width; ++x) out.push_back(canvas.pixels[y * canvas.width + x]);
        for (int pad = canvas.width; pad < stride; ++pad) out.push_back(0);
    }
    return WriteFile(path, out);
}

bool DrawMascot(const std::string& path) {
    static uint8_t palette[256][3];
    for (int i = 0; i < 256; ++i) palette[i][0] = palette[i][1] = palette[i][2] = static_cast<uint8_t>(i);
    Canvas8 canvas(211, 416);
    for (int y = 40; y < 380; ++y)
        for (int x = 60; x < 150; ++x) canvas.pixels[y * canvas.width + x] = 128;
    return WriteBitmap8(path, canvas, palette);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTPUT_DIRECTORY\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    bool ok = WriteIcon(dir + "/app.ico", {DrawWheel()}) &&
              WriteIcon(dir + "/flag_uk.ico", {DrawUnion(32, 6, 20), DrawUnion(16, 3, 11)}) &&
              WriteIcon(dir + "/flag_dk.ico", {DrawDanish(32, 6, 20), DrawDanish(16, 3, 11)}) &&
              DrawMascot(dir + "/mascot.bmp");
    if (!ok) std::fprintf(stderr, "artgen: could not write the artwork into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
