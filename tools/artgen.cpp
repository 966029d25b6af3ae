// Draws the setup's four pictures and writes them in the formats the resource script embeds:
// three 16-colour icons with transparency masks and an 8-bit bitmap of the mascot.
// Everything is computed from fixed numbers, so every run writes the same bytes.
// Usage: artgen OUTPUT_DIRECTORY
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void Put32(Bytes& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutInfoHeader(Bytes& out, int width, int height, int bitsPerPixel, uint32_t imageSize,
                   uint32_t colours) {
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);  // planes
    Put16(out, static_cast<uint32_t>(bitsPerPixel));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dots per inch
    Put32(out, 2835);
    Put32(out, colours);
    Put32(out, 0);
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// ---------------------------------------------------------------------------------------------
// Icons: 4 bits per pixel in the standard 16-colour palette, with an AND mask.

const uint8_t kPalette16[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                   {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                   {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                   {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

enum Colour16 : int {
    Black = 0,
    Maroon = 1,
    Green = 2,
    Olive = 3,
    Navy = 4,
    Purple = 5,
    Teal = 6,
    Silver = 7,
    Grey = 8,
    Red = 9,
    Lime = 10,
    Yellow = 11,
    Blue = 12,
    Magenta = 13,
    Cyan = 14,
    White = 15,
    Clear = -1  // transparent: shows whatever lies behind the icon
};

struct IconImage {
    int size;
    std::vector<int> pixels;  // a Colour16 per pixel, rows from the top
    explicit IconImage(int side) : size(side), pixels(side * side, Clear) {}
    int& at(int x, int y) { return pixels[y * size + x]; }
    int at(int x, int y) const { return pixels[y * size + x]; }
};

// Colour bits and mask, both bottom-up with rows padded to whole 32-bit words.
Bytes IconImageBytes(const IconImage& image) {
    const int n = image.size;
    const int colourStride = (n * 4 + 31) / 32 * 4;
    const int maskStride = (n + 31) / 32 * 4;
    Bytes out;
    // The height counts the colour image and the mask stacked on each other.
    PutInfoHeader(out, n, 2 * n, 4, static_cast<uint32_t>((colourStride + maskStride) * n), 16);
    for (const auto& c : kPalette16) {
        out.insert(out.end(), {c[2], c[1], c[0], 0});
    }
    for (int y = n - 1; y >= 0; --y) {
        Bytes row(colourStride, 0);
        for (int x = 0; x < n; ++x) {
            const int index = image.at(x, y) == Clear ? Black : image.at(x, y);
            row[x / 2] |= static_cast<uint8_t>(x % 2 ? index : index << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = n - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < n; ++x) {
            if (image.at(x, y) == Clear) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool WriteIcon(const std::string& path, const std::vector<IconImage>& images) {
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, static_cast<uint32_t>(images.size()));
    std::vector<Bytes> bodies;
    for (const IconImage& image : images) bodies.push_back(IconImageBytes(image));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const auto side = static_cast<uint8_t>(images[i].size);
        out.insert(out.end(), {side, side, 16, 0});
        Put16(out, 1);  // planes
        Put16(out, 4);  // bits per pixel
        Put32(out, static_cast<uint32_t>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return WriteFile(path, out);
}

// The horoscope wheel: twelve houses around a white disc, quartered by a black cross.
// The houses run through the colour circle; the shades between two neighbouring primaries
// are a checkerboard of both, which the eye mixes at icon size.
IconImage DrawWheel() {
    struct House {
        int first, second;
    };
    const House houses[12] = {{Red, Red},   {Red, Magenta}, {Magenta, Magenta}, {Magenta, Blue},
                              {Blue, Blue}, {Blue, Cyan},   {Cyan, Cyan},       {Cyan, Lime},
                              {Lime, Lime}, {Lime, Yellow}, {Yellow, Yellow},   {Yellow, Red}};
    const double centre = 16.0, outer = 16.0, rim = 15.0, inner = 9.0, hub = 8.0;
    const double pi = std::acos(-1.0);
    IconImage image(32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
            const double r = std::sqrt(dx * dx + dy * dy);
            const bool onCross = x == 15 || x == 16 || y == 15 || y == 16;
            if (onCross) {
                image.at(x, y) = Black;
            } else if (r >= outer) {
                image.at(x, y) = Clear;
            } else if (r >= rim || (r >= hub && r < inner)) {
                image.at(x, y) = Black;  // the wheel's rims
            } else if (r < hub) {
                image.at(x, y) = White;
            } else {
                // Clockwise from twelve o'clock.
                double turn = std::atan2(dx, -dy) / (2 * pi);
                if (turn < 0) turn += 1;
                const House& house = houses[static_cast<int>(turn * 12) % 12];
                image.at(x, y) = (x + y) % 2 ? house.second : house.first;
            }
        }
    }
    return image;
}

// Both flags fill the full width of the icon and `rows` rows from `top`; the rest is clear.
struct FlagArea {
    int size, top, rows;
};

// Band widths in pixels, chosen per image size so that every band stays visible. The cross
// is measured from its centre lines; the saltire's stripes are measured down each column from
// the corner-to-corner diagonals, so that every column holds the same whole number of pixels
// of each stripe and the diagonals step evenly.
struct UnionJackBands {
    double georgeRedHalf, georgeWhiteHalf;  // the upright cross and its white border
    double broadWhite, red, narrowWhite;    // the saltire, from the diagonal outwards
};

int UnionJackColour(const FlagArea& area, const UnionJackBands& bands, double px, double py) {
    const double w = area.size, h = area.rows;
    const double u = px - w / 2, v = py - h / 2;
    if (std::fabs(u) < bands.georgeRedHalf || std::fabs(v) < bands.georgeRedHalf) return Red;
    if (std::fabs(u) < bands.georgeWhiteHalf || std::fabs(v) < bands.georgeWhiteHalf) return White;
    // The red of the saltire lies below the diagonals on the hoist side and above them on the
    // fly side, so the broad white is uppermost next to the hoist and the red arms turn the
    // same way around the centre.
    const double redSide = u < 0 ? 1 : -1;
    for (double below : {v - u * h / w, v + u * h / w}) {  // falling and rising diagonal
        const double t = below * redSide;
        if (t >= 0 && t < bands.red) return Red;
        if (t >= -bands.broadWhite && t < bands.red + bands.narrowWhite) return White;
    }
    return Navy;
}

IconImage DrawUnionJack(const FlagArea& area, const UnionJackBands& bands) {
    IconImage image(area.size);
    for (int y = 0; y < area.rows; ++y) {
        for (int x = 0; x < area.size; ++x) {
            image.at(x, area.top + y) = UnionJackColour(area, bands, x + 0.5, y + 0.5);
        }
    }
    return image;
}

// The Nordic cross: an upright nearer the hoist and a bar through the middle.
struct NordicCross {
    int uprightLeft, uprightWidth, barTop, barHeight;
};

IconImage DrawDanishFlag(const FlagArea& area, const NordicCross& cross) {
    IconImage image(area.size);
    for (int y = 0; y < area.rows; ++y) {
        for (int x = 0; x < area.size; ++x) {
            const bool upright =
                x >= cross.uprightLeft && x < cross.uprightLeft + cross.uprightWidth;
            const bool bar = y >= cross.barTop && y < cross.barTop + cross.barHeight;
            image.at(x, area.top + y) = upright || bar ? White : Red;
        }
    }
    return image;
}

// ---------------------------------------------------------------------------------------------
// The mascot: shapes given by signed distance (negative inside), painted back to front with a
// dark outline and a soft light from the upper left, on a three-times finer grid that is then
// averaged down and matched to a palette of colour ramps.

struct Vec {
    double x, y;
};
Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
Vec operator*(Vec a, double k) {
    return {a.x * k, a.y * k};
}
double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}
double Length(Vec a) {
    return std::sqrt(Dot(a, a));
}
double Clamp01(double v) {
    return std::min(1.0, std::max(0.0, v));
}

struct Rgb {
    double r, g, b;
};
Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

const Rgb kWhite = {255, 255, 255};
const Rgb kInk = {38, 26, 58};  // outlines and the darkest shadows: a deep violet

// Lambert light on a surface normal with the eye along +z; 0 is full shadow, 1 full light.
double LightOnNormal(double nx, double ny) {
    const double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
    const double lx = -0.45, ly = -0.55, lz = 0.70;  // from the upper left, towards the viewer
    return Clamp01(0.15 + 0.85 * (nx * lx + ny * ly + nz * lz));
}

struct Shape {
    std::function<double(Vec)> distance;
    std::function<double(Vec)> light;
    Vec low, high;  // bounding box
};

Shape Ellipse(Vec centre, double rx, double ry, double degrees = 0) {
    const double a = degrees * std::acos(-1.0) / 180, c = std::cos(a), s = std::sin(a);
    auto local = [=](Vec p) {
        const Vec d = p - centre;
        return Vec{(d.x * c + d.y * s) / rx, (-d.x * s + d.y * c) / ry};
    };
    Shape shape;
    shape.distance = [=](Vec p) {
        const Vec q = local(p);
        const double k0 = Length(q);
        const double k1 = std::sqrt(q.x * q.x / (rx * rx) + q.y * q.y / (ry * ry));
        return k1 < 1e-9 ? -std::min(rx, ry) : k0 * (k0 - 1) / k1;
    };
    shape.light = [=](Vec p) {
        const Vec q = local(p);
        return LightOnNormal(q.x * c - q.y * s, q.x * s + q.y * c);
    };
    const double reach = std::max(rx, ry);
    shape.low = centre - Vec{reach, reach};
    shape.high = centre + Vec{reach, reach};
    return shape;
}

// A limb or a stroke: a segment thickened to radius ra at a and rb at b, with round ends.
Shape Capsule(Vec a, Vec b, double ra, double rb) {
    auto nearest = [=](Vec p) {
        const Vec ab = b - a;
        const double t = Clamp01(Dot(p - a, ab) / Dot(ab, ab));
        return std::make_pair(a + ab * t, ra + (rb - ra) * t);
    };
    Shape shape;
    shape.distance = [=](Vec p) {
        const auto [axis, radius] = nearest(p);
        return Length(p - axis) - radius;
    };
    shape.light = [=](Vec p) {
        const auto [axis, radius] = nearest(p);
        const Vec n = (p - axis) * (1 / radius);
        return LightOnNormal(n.x, n.y);
    };
    const double reach = std::max(ra, rb);
    shape.low = Vec{std::min(a.x, b.x) - reach, std::min(a.y, b.y) - reach};
    shape.high = Vec{std::max(a.x, b.x) + reach, std::max(a.y, b.y) + reach};
    return shape;
}

// A flat piece of cloth: lit more towards its upper left corner.
Shape Polygon(const std::vector<Vec>& points) {
    Shape shape;
    shape.low = shape.high = points[0];
    for (Vec p : points) {
        shape.low = {std::min(shape.low.x, p.x), std::min(shape.low.y, p.y)};
        shape.high = {std::max(shape.high.x, p.x), std::max(shape.high.y, p.y)};
    }
    shape.distance = [points](Vec p) {
        double best = Dot(p - points[0], p - points[0]);
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Vec e = points[j] - points[i], w = p - points[i];
            const Vec gap = w - e * Clamp01(Dot(w, e) / Dot(e, e));
            best = std::min(best, Dot(gap, gap));
            const bool crosses = (points[i].y > p.y) != (points[j].y > p.y);
            if (crosses && p.x < points[i].x + e.x * (p.y - points[i].y) / e.y) inside = !inside;
        }
        return inside ? -std::sqrt(best) : std::sqrt(best);
    };
    const Vec low = shape.low, size = shape.high - shape.low;
    shape.light = [=](Vec p) {
        const double across = (p.x - low.x) / size.x, down = (p.y - low.y) / size.y;
        return Clamp01(0.85 - 0.45 * across - 0.25 * down);
    };
    return shape;
}

Shape Star(Vec centre, double outer, double inner, double degrees = 0) {
    std::vector<Vec> points;
    const double pi = std::acos(-1.0);
    for (int i = 0; i < 10; ++i) {
        const double a = degrees * pi / 180 + i * pi / 5;
        const double r = i % 2 ? inner : outer;
        points.push_back(centre + Vec{std::sin(a) * r, -std::cos(a) * r});
    }
    Shape star = Polygon(points);
    star.light = [=](Vec p) {
        return Clamp01(0.75 - 0.4 * (p.x - centre.x + p.y - centre.y) / outer);
    };
    return star;
}

// A line of even width through the given points, e.g. a smile or an eyebrow.
Shape Stroke(const std::vector<Vec>& points, double radius) {
    std::vector<Shape> pieces;
    for (size_t i = 1; i < points.size(); ++i) {
        pieces.push_back(Capsule(points[i - 1], points[i], radius, radius));
    }
    Shape stroke = pieces[0];
    for (const Shape& piece : pieces) {
        stroke.low = {std::min(stroke.low.x, piece.low.x), std::min(stroke.low.y, piece.low.y)};
        stroke.high = {std::max(stroke.high.x, piece.high.x),
                       std::max(stroke.high.y, piece.high.y)};
    }
    stroke.distance = [pieces](Vec p) {
        double best = 1e9;
        for (const Shape& piece : pieces) best = std::min(best, piece.distance(p));
        return best;
    };
    return stroke;
}

// Points along a circular arc, angles in degrees clockwise from three o'clock.
std::vector<Vec> Arc(Vec centre, double radius, double fromDegrees, double toDegrees) {
    std::vector<Vec> points;
    const int steps = 16;
    for (int i = 0; i <= steps; ++i) {
        const double a =
            (fromDegrees + (toDegrees - fromDegrees) * i / steps) * std::acos(-1.0) / 180;
        points.push_back(centre + Vec{std::cos(a) * radius, std::sin(a) * radius});
    }
    return points;
}

// The part of `shape` that lies inside `mask`, e.g. a pattern on a garment.
Shape Within(Shape shape, const Shape& mask) {
    auto own = shape.distance;
    auto outside = mask.distance;
    shape.distance = [=](Vec p) { return std::max(own(p), outside(p)); };
    return shape;
}

// Points along a quadratic curve from a to b, pulled towards control.
std::vector<Vec> Curve(Vec a, Vec control, Vec b, int steps = 12) {
    std::vector<Vec> points;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        points.push_back(a * ((1 - t) * (1 - t)) + control * (2 * t * (1 - t)) + b * (t * t));
    }
    return points;
}

// The colours the mascot is made of. Each becomes a ramp in the palette, from a deep shadow
// through the colour itself to a pale highlight.
enum Material : int {
    Skin,
    Blush,
    Hair,
    NightBlue,
    Gold,
    Violet,
    Sea,
    Leather,
    Crimson,
    kMaterials
};
const Rgb kMaterialColours[kMaterials] = {
    {250, 196, 150},  // Skin
    {240, 120, 135},  // Blush
    {205, 105, 45},   // Hair
    {48, 62, 165},    // NightBlue: hat and stockings
    {255, 196, 40},   // Gold: stars, moon and trims
    {125, 62, 175},   // Violet: the cape
    {30, 165, 150},   // Sea: the tunic
    {135, 78, 40},    // Leather: boots and belt
    {190, 35, 60},    // Crimson: the mouth
};
const int kRampSteps = 24;
const int kGreySteps = 256 - kMaterials * kRampSteps;

Rgb RampColour(Material material, double light) {
    const Rgb base = kMaterialColours[material];
    const Rgb shadow = Mix(base, kInk, 0.6);
    const Rgb highlight = Mix(base, kWhite, 0.55);
    return light < 0.6 ? Mix(shadow, base, light / 0.6) : Mix(base, highlight, (light - 0.6) / 0.4);
}

struct Palette {
    Rgb colours[256];
};

// Greys from ink to pure white first, for outlines, shadows and the background; then the ramps.
Palette MascotPalette() {
    Palette palette;
    for (int i = 0; i < kGreySteps; ++i) {
        palette.colours[i] = Mix(kInk, kWhite, static_cast<double>(i) / (kGreySteps - 1));
    }
    for (int m = 0; m < kMaterials; ++m) {
        for (int i = 0; i < kRampSteps; ++i) {
            palette.colours[kGreySteps + m * kRampSteps + i] =
                RampColour(static_cast<Material>(m), static_cast<double>(i) / (kRampSteps - 1));
        }
    }
    return palette;
}

struct Canvas {
    static const int kFine = 3;  // samples per pixel along each axis
    int width, height;
    std::vector<Rgb> samples;
    Canvas(int w, int h) : width(w), height(h), samples(w * h * kFine * kFine, kWhite) {}
};

// The figure is laid out in its own units and shown a little smaller about the picture's
// centre: the dialog clips the bitmap evenly on opposite sides, and this keeps the hat's star
// and the boots inside the frame.
const Vec kFigureCentre = {105.5, 208};
const double kFigureScale = 0.88;

Vec FigureToPixel(Vec figure) {
    return kFigureCentre + (figure - kFigureCentre) * kFigureScale;
}
Vec PixelToFigure(Vec pixel) {
    return kFigureCentre + (pixel - kFigureCentre) * (1 / kFigureScale);
}

// Paints the shape's outline, `outline` pixels wide, and its fill over it.
void Paint(Canvas& canvas, const Shape& shape, const std::function<Rgb(double)>& fill,
           double outline) {
    const int fine = Canvas::kFine, columns = canvas.width * fine, rows = canvas.height * fine;
    const Vec low = FigureToPixel(shape.low), high = FigureToPixel(shape.high);
    const int x0 = std::max(0, static_cast<int>((low.x - outline - 1) * fine));
    const int y0 = std::max(0, static_cast<int>((low.y - outline - 1) * fine));
    const int x1 = std::min(columns, static_cast<int>((high.x + outline + 1) * fine));
    const int y1 = std::min(rows, static_cast<int>((high.y + outline + 1) * fine));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Vec p = PixelToFigure({(x + 0.5) / fine, (y + 0.5) / fine});
            const double d = shape.distance(p) * kFigureScale;  // in pixels
            Rgb& sample = canvas.samples[y * columns + x];
            if (d < 0) {
                sample = fill(shape.light(p));
            } else if (d < outline) {
                sample = kInk;
            }
        }
    }
}

const double kLine = 2.2;    // outline of the body's parts
const double kDetail = 1.4;  // outline of small details

void PaintShaded(Canvas& canvas, const Shape& shape, Material material, double outline = kLine) {
    Paint(
        canvas, shape, [material](double light) { return RampColour(material, light); }, outline);
}

void PaintFlat(Canvas& canvas, const Shape& shape, Rgb colour, double outline = 0) {
    Paint(
        canvas, shape, [colour](double) { return colour; }, outline);
}

void DrawCape(Canvas& canvas) {
    const std::vector<Vec> cape = {{72, 214},  {136, 214}, {160, 262}, {178, 330}, {168, 344},
                                   {150, 336}, {134, 348}, {104, 340}, {74, 348},  {56, 336},
                                   {36, 344},  {28, 330},  {48, 262}};
    const Shape outside = Polygon(cape);
    PaintShaded(canvas, outside, Violet);
    const Vec stars[] = {{44, 318}, {166, 318}, {60, 290}, {152, 288}, {40, 336}, {170, 337}};
    for (Vec at : stars) PaintShaded(canvas, Within(Star(at, 6, 2.6, 12), outside), Gold, 0);
}

void DrawLegs(Canvas& canvas) {
    PaintShaded(canvas, Capsule({88, 318}, {86, 360}, 11, 10), NightBlue);
    PaintShaded(canvas, Capsule({118, 318}, {120, 360}, 11, 10), NightBlue);
    PaintShaded(canvas, Ellipse({78, 368}, 21, 12, -8), Leather);
    PaintShaded(canvas, Ellipse({128, 368}, 21, 12, 8), Leather);
    // The boots' turned-down cuffs.
    PaintShaded(canvas, Ellipse({86, 355}, 13, 6), Gold, kDetail);
    PaintShaded(canvas, Ellipse({120, 355}, 13, 6), Gold, kDetail);
}

void DrawTunic(Canvas& canvas) {
    std::vector<Vec> outline = {{62, 250}, {78, 214}, {128, 214}, {144, 250}, {156, 320}};
    const std::vector<Vec> hem = Curve({156, 320}, {104, 346}, {50, 320});
    outline.insert(outline.end(), hem.begin() + 1, hem.end());
    PaintShaded(canvas, Polygon(outline), Sea);
    const Shape belt = Polygon({{58, 268}, {148, 268}, {150, 282}, {56, 282}});
    PaintShaded(canvas, belt, Leather, kDetail);
    PaintShaded(canvas, Star({103, 275}, 11, 4.8), Gold, kDetail);
    for (double y : {236.0, 254.0, 300.0}) {
        PaintShaded(canvas, Ellipse({103, y}, 3.6, 3.6), Gold, 1.0);  // buttons
    }
    PaintShaded(canvas, Ellipse({103, 214}, 30, 9), Gold);  // the collar, under the chin
}

void DrawRestingArm(Canvas& canvas) {
    // The left arm hangs at the side and holds a star-tipped wand.
    PaintShaded(canvas, Capsule({40, 300}, {29, 240}, 3, 3), Leather, kDetail);
    PaintShaded(canvas, Star({29, 230}, 15, 6.5, -10), Gold);
    PaintShaded(canvas, Capsule({70, 226}, {50, 292}, 12, 10), Sea);
    PaintShaded(canvas, Ellipse({46, 300}, 11, 11), Skin);
    PaintShaded(canvas, Capsule({37, 296}, {44, 296}, 4.5, 4.5), Skin, kDetail);  // curled fingers
}

void DrawWavingArm(Canvas& canvas) {
    // The right arm is raised high in a wave, the open hand turned to the viewer.
    const Vec shoulder = {134, 228}, elbow = {162, 216}, wrist = {168, 172}, palm = {168, 150};
    PaintShaded(canvas, Capsule(shoulder, elbow, 12, 10.5), Sea);
    PaintShaded(canvas, Capsule(elbow, wrist, 10.5, 9), Sea);
    const Vec fingers[][2] = {
        {{-7, -7}, {-15, -33}}, {{-2, -10}, {-4, -38}}, {{3, -10}, {8, -37}}, {{7, -7}, {17, -29}}};
    for (const auto& finger : fingers) {
        PaintShaded(canvas, Capsule(palm + finger[0], palm + finger[1], 4.6, 4.0), Skin, kDetail);
    }
    PaintShaded(canvas, Capsule(palm + Vec{-8, 3}, palm + Vec{-23, -6}, 5, 4.3), Skin, kDetail);
    PaintShaded(canvas, Ellipse(palm, 12, 14, 8), Skin);
    PaintShaded(canvas, Ellipse(wrist + Vec{0, 2}, 12, 5, 8), Gold, kDetail);  // the cuff
    // Little marks beside the hand show it moving.
    PaintFlat(canvas, Stroke(Arc(palm, 25, -45, -10), 1.3), kInk);
    PaintFlat(canvas, Stroke(Arc(palm, 31, -40, -15), 1.3), kInk);
}

void DrawHead(Canvas& canvas) {
    // Curls of hair stand out behind the ears and under the brim.
    const Vec sideCurls[] = {{60, 150}, {146, 150}, {56, 164}, {150, 164}};
    for (Vec at : sideCurls) PaintShaded(canvas, Ellipse(at, 10, 10), Hair, kDetail);
    PaintShaded(canvas, Ellipse({59, 176}, 8, 11), Skin);
    PaintShaded(canvas, Ellipse({147, 176}, 8, 11), Skin);
    PaintShaded(canvas, Ellipse({103, 168}, 44, 42), Skin);
    const Vec fringe[] = {{72, 146}, {88, 146}, {103, 147}, {118, 146}, {134, 146}};
    for (Vec at : fringe) PaintShaded(canvas, Ellipse(at, 9, 8), Hair, kDetail);
    const Rgb cheeks = Mix(kMaterialColours[Blush], kWhite, 0.3);
    PaintFlat(canvas, Ellipse({76, 190}, 8, 5), cheeks);
    PaintFlat(canvas, Ellipse({130, 190}, 8, 5), cheeks);
}

void DrawFace(Canvas& canvas) {
    for (double x : {87.0, 119.0}) {
        PaintFlat(canvas, Ellipse({x, 168}, 8.5, 11), kWhite, kDetail);
        PaintFlat(canvas, Ellipse({x + 1.5, 170}, 5.5, 7.5), kInk);
        PaintFlat(canvas, Ellipse({x + 3.2, 166.5}, 2.2, 2.4), kWhite);
        PaintFlat(canvas, Stroke(Arc({x, 162}, 12, 235, 305), 1.6), kInk);  // eyebrow
    }
    PaintShaded(canvas, Ellipse({103, 182}, 5, 4), Skin, 1.0);  // nose
    // A wide open smile with a bit of tongue.
    const Shape smile = Within(Ellipse({103, 192}, 17, 14),
                               Polygon({{80, 192}, {126, 192}, {126, 210}, {80, 210}}));
    PaintFlat(canvas, smile, Mix(kMaterialColours[Crimson], kInk, 0.35), kDetail);
    PaintFlat(canvas, Within(Ellipse({105, 205}, 10, 6), smile), kMaterialColours[Blush]);
    PaintFlat(canvas, Stroke({{84, 190}, {122, 190}}, 1.0), kInk);
}

void DrawHat(Canvas& canvas) {
    // A tall pointed hat whose tip leans over to one side under its golden star.
    const Vec tip = {134, 52};
    std::vector<Vec> outline = Curve({56, 136}, {84, 92}, tip);
    const std::vector<Vec> back = Curve(tip, {130, 100}, {150, 136});
    outline.insert(outline.end(), back.begin() + 1, back.end());
    const Shape hat = Polygon(outline);
    PaintShaded(canvas, hat, NightBlue);
    const Shape band = Polygon({{40, 118}, {170, 118}, {170, 130}, {40, 130}});
    PaintShaded(canvas, Within(band, hat), Gold, 0);
    const Vec stars[] = {{98, 100}, {118, 82}, {82, 112}, {130, 108}};
    for (Vec at : stars) PaintShaded(canvas, Within(Star(at, 6.5, 2.8, 8), hat), Gold, 0);
    // A crescent moon: a gold disc with a bite in the hat's own colour and light.
    PaintShaded(canvas, Ellipse({110, 104}, 7, 7), Gold, 0);
    Shape bite = Ellipse({114, 101}, 6, 6);
    bite.light = hat.light;
    PaintShaded(canvas, bite, NightBlue, 0);
    PaintShaded(canvas, Ellipse({103, 136}, 64, 12), NightBlue);  // the brim
    PaintShaded(canvas, Star(tip + Vec{6, -4}, 15, 6.5, 15), Gold);
}

void DrawSparkles(Canvas& canvas) {
    // Four-pointed twinkles around the figure.
    const struct {
        Vec at;
        double size;
    } sparkles[] = {{{22, 196}, 7}, {{188, 84}, 8}, {{46, 70}, 6}, {{182, 254}, 6}};
    for (const auto& s : sparkles) {
        const double k = s.size * 0.28;
        const Vec c = s.at;
        PaintShaded(
            canvas,
            Polygon({c + Vec{0, -s.size}, c + Vec{k, -k}, c + Vec{s.size, 0}, c + Vec{k, k},
                     c + Vec{0, s.size}, c + Vec{-k, k}, c + Vec{-s.size, 0}, c + Vec{-k, -k}}),
            Gold, 1.0);
    }
}

int NearestIndex(const Palette& palette, Rgb colour) {
    int best = 0;
    double bestDistance = 1e18;
    for (int i = 0; i < 256; ++i) {
        const Rgb p = palette.colours[i];
        const double dr = p.r - colour.r, dg = p.g - colour.g, db = p.b - colour.b;
        const double distance = 2 * dr * dr + 4 * dg * dg + 3 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// Averages the fine samples of each pixel and picks the palette entry closest to the result.
std::vector<uint8_t> Quantise(const Canvas& canvas, const Palette& palette) {
    const int fine = Canvas::kFine, columns = canvas.width * fine;
    std::vector<uint8_t> indices(canvas.width * canvas.height);
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            Rgb sum = {0, 0, 0};
            for (int sy = 0; sy < fine; ++sy) {
                for (int sx = 0; sx < fine; ++sx) {
                    const Rgb s = canvas.samples[(y * fine + sy) * columns + x * fine + sx];
                    sum = {sum.r + s.r, sum.g + s.g, sum.b + s.b};
                }
            }
            const double n = fine * fine;
            indices[y * canvas.width + x] =
                static_cast<uint8_t>(NearestIndex(palette, {sum.r / n, sum.g / n, sum.b / n}));
        }
    }
    return indices;
}

uint8_t ToByte(double v) {
    return static_cast<uint8_t>(std::lround(std::min(255.0, std::max(0.0, v))));
}

bool WriteBitmap8(const std::string& path, int width, int height,
                  const std::vector<uint8_t>& indices, const Palette& palette) {
    const int stride = (width + 3) & ~3;
    const auto imageSize = static_cast<uint32_t>(stride * height);
    const uint32_t bitsOffset = 14 + 40 + 256 * 4;
    Bytes out = {'B', 'M'};
    Put32(out, bitsOffset + imageSize);
    Put32(out, 0);  // reserved
    Put32(out, bitsOffset);
    PutInfoHeader(out, width, height, 8, imageSize, 256);
    for (const Rgb& c : palette.colours)
        out.insert(out.end(), {ToByte(c.b), ToByte(c.g), ToByte(c.r), 0});
    for (int y = height - 1; y >= 0; --y) {  // bottom-up rows
        out.insert(out.end(), indices.begin() + y * width, indices.begin() + (y + 1) * width);
        out.insert(out.end(), stride - width, 0);
    }
    return WriteFile(path, out);
}

bool WriteMascot(const std::string& path) {
    const int width = 211, height = 416;
    Canvas canvas(width, height);
    PaintFlat(canvas, Ellipse({104, 380}, 70, 9), Mix(kInk, kWhite, 0.85));  // shadow on the floor
    DrawCape(canvas);
    DrawLegs(canvas);
    DrawTunic(canvas);
    DrawRestingArm(canvas);
    DrawWavingArm(canvas);
    DrawHead(canvas);
    DrawFace(canvas);
    DrawHat(canvas);
    DrawSparkles(canvas);
    const Palette palette = MascotPalette();
    return WriteBitmap8(path, width, height, Quantise(canvas, palette), palette);
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

    const FlagArea large = {32, 6, 20}, small = {16, 3, 11};
    const UnionJackBands largeBands = {2.0, 3.2, 2, 2, 1}, smallBands = {1.0, 2.0, 1.5, 1, 0.5};
    const NordicCross largeCross = {10, 4, 8, 4}, smallCross = {5, 2, 4, 3};
    const bool ok =
        WriteIcon(dir + "/app.ico", {DrawWheel()}) &&
        WriteIcon(dir + "/flag_uk.ico",
                  {DrawUnionJack(large, largeBands), DrawUnionJack(small, smallBands)}) &&
        WriteIcon(dir + "/flag_dk.ico",
                  {DrawDanishFlag(large, largeCross), DrawDanishFlag(small, smallCross)}) &&
        WriteMascot(dir + "/mascot.bmp");
    if (!ok) std::fprintf(stderr, "artgen: could not write the pictures into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
