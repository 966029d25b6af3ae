// Draws the setup's four pictures and writes them in the formats the
// resource script embeds: three 4-bit icons and an 8-bit bitmap.
// Usage: artgen OUTPUT_DIRECTORY
#include <algorithm>
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

// A small rasteriser for the mascot: shaded ellipses, capsules and
// polygons, each drawn over a slightly larger dark copy of itself so that
// every shape gets a cartoon outline.
enum Ramp { Skin, Robe, Hat, Gold, Boot, Cheek, Mouth, Shadow, EyeWhite, RampCount };
const uint8_t kRampBase[RampCount][3] = {
    {246, 200, 160}, {84, 96, 214}, {44, 40, 128}, {250, 200, 40}, {132, 78, 40},
    {244, 140, 150}, {200, 50, 60}, {214, 214, 222}, {255, 255, 255}};
constexpr int kShades = 16;
constexpr uint8_t kOutline = 0;
constexpr uint8_t kWhite = 255;

uint8_t Shade(Ramp ramp, double light) {  // light 0 (dark) .. 1 (bright)
    int step = static_cast<int>(light * (kShades - 1) + 0.5);
    step = step < 0 ? 0 : (step >= kShades ? kShades - 1 : step);
    return static_cast<uint8_t>(1 + ramp * kShades + step);
}

void BuildPalette(uint8_t palette[256][3]) {
    for (int i = 0; i < 256; ++i) palette[i][0] = palette[i][1] = palette[i][2] = 255;
    palette[kOutline][0] = 40; palette[kOutline][1] = 30; palette[kOutline][2] = 50;
    for (int r = 0; r < RampCount; ++r)
        for (int k = 0; k < kShades; ++k) {
            double t = static_cast<double>(k) / (kShades - 1);  // 0 dark .. 1 light
            for (int c = 0; c < 3; ++c) {
                double base = kRampBase[r][c];
                double v = t < 0.6 ? base * (0.55 + 0.45 * t / 0.6) : base + (255 - base) * (t - 0.6) / 0.4 * 0.55;
                palette[1 + r * kShades + k][c] = static_cast<uint8_t>(v > 255 ? 255 : v);
            }
        }
}

struct Painter {
    Canvas8& canvas;
    void Put(int x, int y, uint8_t colour) {
        if (x >= 0 && y >= 0 && x < canvas.width && y < canvas.height) canvas.pixels[y * canvas.width + x] = colour;
    }
    // Light comes from the upper left.
    static double Lit(double nx, double ny) {
        double nz = std::sqrt(std::fmax(0.0, 1 - nx * nx - ny * ny));
        double l = (-0.5 * nx - 0.6 * ny + 0.62 * nz);
        return std::fmin(1.0, std::fmax(0.0, 0.25 + 0.85 * l));
    }
    void Ellipse(double cx, double cy, double rx, double ry, Ramp ramp, double outline = 2.5) {
        for (int pass = 0; pass < 2; ++pass) {
            double ex = rx + (pass == 0 ? outline : 0), ey = ry + (pass == 0 ? outline : 0);
            if (pass == 0 && outline <= 0) continue;
            for (int y = static_cast<int>(cy - ey); y <= cy + ey; ++y)
                for (int x = static_cast<int>(cx - ex); x <= cx + ex; ++x) {
                    double nx = (x - cx) / ex, ny = (y - cy) / ey;
                    if (nx * nx + ny * ny > 1) continue;
                    Put(x, y, pass == 0 ? kOutline : Shade(ramp, Lit(nx, ny)));
                }
        }
    }
    void Capsule(double x0, double y0, double x1, double y1, double r, Ramp ramp) {
        for (int pass = 0; pass < 2; ++pass) {
            double radius = r + (pass == 0 ? 2.5 : 0);
            int minX = static_cast<int>(std::fmin(x0, x1) - radius), maxX = static_cast<int>(std::fmax(x0, x1) + radius);
            int minY = static_cast<int>(std::fmin(y0, y1) - radius), maxY = static_cast<int>(std::fmax(y0, y1) + radius);
            double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
            for (int y = minY; y <= maxY; ++y)
                for (int x = minX; x <= maxX; ++x) {
                    double t = ((x - x0) * dx + (y - y0) * dy) / len2;
                    t = std::fmin(1, std::fmax(0, t));
                    double px = x - (x0 + t * dx), py = y - (y0 + t * dy);
                    double d = std::sqrt(px * px + py * py);
                    if (d > radius) continue;
                    // Shade across the limb, as for a cylinder.
                    double side = (px * -dy + py * dx) / std::sqrt(len2) / radius;
                    Put(x, y, pass == 0 ? kOutline : Shade(ramp, Lit(side * 0.9, -0.3)));
                }
        }
    }
    static bool Inside(const std::vector<std::pair<double, double>>& poly, double x, double y) {
        bool in = false;
        for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
            auto [xi, yi] = poly[i];
            auto [xj, yj] = poly[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
        }
        return in;
    }
    // A polygon shaded from its left (lit) to its right edge.
    void Polygon(const std::vector<std::pair<double, double>>& poly, Ramp ramp) {
        double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
        for (auto [x, y] : poly) { minX = std::fmin(minX, x); maxX = std::fmax(maxX, x); minY = std::fmin(minY, y); maxY = std::fmax(maxY, y); }
        for (int y = static_cast<int>(minY) - 3; y <= maxY + 3; ++y)
            for (int x = static_cast<int>(minX) - 3; x <= maxX + 3; ++x) {
                if (Inside(poly, x, y)) {
                    double t = (x - minX) / (maxX - minX);
                    Put(x, y, Shade(ramp, 0.85 - 0.6 * t - 0.15 * (y - minY) / (maxY - minY)));
                    continue;
                }
                bool near = false;
                for (int oy = -2; oy <= 2 && !near; ++oy)
                    for (int ox = -2; ox <= 2 && !near; ++ox)
                        if (ox * ox + oy * oy <= 6 && Inside(poly, x + ox, y + oy)) near = true;
                if (near) Put(x, y, kOutline);
            }
    }
    void Star(double cx, double cy, double r, Ramp ramp) {
        std::vector<std::pair<double, double>> points;
        const double pi = std::acos(-1.0);
        for (int i = 0; i < 10; ++i) {
            double a = -pi / 2 + i * pi / 5, rr = i % 2 ? r * 0.45 : r;
            points.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
        }
        Polygon(points, ramp);
    }
    void Arc(double cx, double cy, double rx, double ry, double from, double to, double thick, uint8_t colour) {
        for (double a = from; a <= to; a += 0.01)
            for (double t = -thick / 2; t <= thick / 2; t += 0.5)
                Put(static_cast<int>(cx + (rx + t) * std::cos(a)), static_cast<int>(cy + (ry + t) * std::sin(a)), colour);
    }
};

// A cheerful star-gazer in a starry robe and a pointed hat, waving hello
// with one hand and holding a star wand in the other.
bool DrawMascot(const std::string& path) {
    static uint8_t palette[256][3];
    BuildPalette(palette);
    Canvas8 canvas(211, 416);
    std::fill(canvas.pixels.begin(), canvas.pixels.end(), kWhite);
    Painter p{canvas};
    const double pi = std::acos(-1.0);

    p.Ellipse(105, 392, 74, 11, Shadow, 0);                         // shadow on the ground
    p.Ellipse(82, 372, 22, 13, Boot);                                // boots
    p.Ellipse(130, 372, 22, 13, Boot);
    p.Capsule(150, 200, 170, 282, 9, Robe);                          // arm holding the wand
    p.Polygon({{76, 186}, {136, 186}, {172, 362}, {40, 362}}, Robe);  // robe
    p.Ellipse(106, 362, 66, 9, Robe);                                // hem
    for (auto [x, y] : std::vector<std::pair<double, double>>{{70, 250}, {128, 232}, {98, 300}, {146, 318}, {62, 334}, {112, 346}})
        p.Star(x, y, 9, Gold);                                       // stars on the robe
    p.Polygon({{66, 270}, {148, 270}, {150, 282}, {64, 282}}, Gold);  // belt
    p.Ellipse(106, 276, 9, 8, Gold);
    p.Capsule(70, 200, 34, 128, 9, Robe);                            // waving arm, sleeve
    p.Ellipse(31, 116, 13, 14, Skin);                                // waving hand
    for (int f = 0; f < 4; ++f) p.Capsule(24 + f * 5.5, 104, 19 + f * 7.0, 88 - (f == 0 || f == 3 ? -6 : 0), 3, Skin);
    p.Ellipse(22, 121, 6, 4, Skin);                                  // thumb
    p.Capsule(178, 286, 196, 206, 2.5, Boot);                        // wand
    p.Star(197, 196, 15, Gold);
    p.Ellipse(172, 287, 11, 11, Skin);                               // hand on the wand
    p.Ellipse(106, 186, 34, 10, Gold);                               // collar
    p.Ellipse(106, 142, 42, 44, Skin);                               // head
    p.Ellipse(64, 146, 7, 10, Skin);                                 // ears
    p.Ellipse(148, 146, 7, 10, Skin);
    for (double ex : {90.0, 122.0}) {                                // eyes
        p.Ellipse(ex, 140, 9, 12, EyeWhite, 2);
        p.Ellipse(ex + 2, 143, 5, 7, Hat, 0);
        p.Put(static_cast<int>(ex), 139, kWhite); p.Put(static_cast<int>(ex) + 1, 139, kWhite);
        p.Put(static_cast<int>(ex), 140, kWhite); p.Put(static_cast<int>(ex) + 1, 140, kWhite);
        p.Arc(ex, 126, 10, 5, pi * 1.15, pi * 1.85, 2, kOutline);    // brows
    }
    p.Ellipse(78, 160, 8, 5, Cheek, 0);                              // cheeks
    p.Ellipse(134, 160, 8, 5, Cheek, 0);
    p.Ellipse(106, 154, 5, 4, Skin, 1.5);                            // nose
    p.Ellipse(106, 166, 14, 8, Mouth, 2);                            // open smile
    p.Ellipse(106, 159, 17, 6, Skin, 0);                             // upper lip line
    p.Arc(106, 160, 16, 12, pi * 0.1, pi * 0.9, 2.5, kOutline);
    p.Polygon({{56, 108}, {154, 108}, {124, 40}, {112, 14}, {92, 32}}, Hat);  // hat
    p.Ellipse(106, 108, 62, 11, Hat);                                // brim
    p.Star(112, 12, 12, Gold);                                       // star on the tip
    p.Star(96, 74, 8, Gold);
    p.Star(126, 90, 6, Gold);
    p.Ellipse(114, 58, 3, 3, Gold, 1);
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
