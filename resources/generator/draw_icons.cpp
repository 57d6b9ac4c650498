// Draws the program's three icons and writes them as icon files, together with icon_data.cpp,
// which holds the bytes of the two icons that the program uses as data.
//
//   draw_icons <resources folder>
//
// Every picture is a stack of shapes given as signed distance functions (negative inside) in a
// unit square, painted with 8 x 8 samples per pixel so that the edges come out smooth.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// ---- geometry -------------------------------------------------------------------------------

struct Vec {
  double x = 0;
  double y = 0;
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

Vec Polar(Vec centre, double radius, double degrees) {
  const double a = degrees * std::numbers::pi / 180;
  return {centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)};
}

Vec Bezier(Vec a, Vec control, Vec b, double t) {
  return a * ((1 - t) * (1 - t)) + control * (2 * t * (1 - t)) + b * (t * t);
}

using Shape = std::function<double(Vec)>;

Shape Circle(Vec centre, double radius) {
  return [=](Vec p) { return Length(p - centre) - radius; };
}

// Close to the true distance near the outline, which is all that outlines and edges need.
Shape Ellipse(Vec centre, double rx, double ry) {
  return [=](Vec p) {
    const Vec q = p - centre;
    const double k0 = Length({q.x / rx, q.y / ry});
    const double k1 = Length({q.x / (rx * rx), q.y / (ry * ry)});
    return k1 == 0 ? -std::min(rx, ry) : k0 * (k0 - 1) / k1;
  };
}

Shape Polygon(std::vector<Vec> points) {
  return [points = std::move(points)](Vec p) {
    double nearest = 1e9;
    bool inside = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Vec a = points[j], b = points[i];
      const Vec edge = b - a;
      const double t = std::clamp(Dot(p - a, edge) / Dot(edge, edge), 0.0, 1.0);
      nearest = std::min(nearest, Length(p - (a + edge * t)));
      if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) / (b.y - a.y) * edge.x) {
        inside = !inside;
      }
    }
    return inside ? -nearest : nearest;
  };
}

Shape RoundedBox(Vec topLeft, Vec bottomRight, double radius) {
  const Vec centre = (topLeft + bottomRight) * 0.5;
  const Vec half = (bottomRight - topLeft) * 0.5;
  return [=](Vec p) {
    const Vec q = {std::abs(p.x - centre.x) - half.x + radius,
                   std::abs(p.y - centre.y) - half.y + radius};
    const Vec outside = {std::max(q.x, 0.0), std::max(q.y, 0.0)};
    return Length(outside) + std::min(std::max(q.x, q.y), 0.0) - radius;
  };
}

Shape Grow(Shape s, double by) {
  return [=](Vec p) { return s(p) - by; };
}
Shape Join(Shape a, Shape b) {
  return [=](Vec p) { return std::min(a(p), b(p)); };
}
Shape Cut(Shape a, Shape b) {
  return [=](Vec p) { return std::max(a(p), -b(p)); };
}
Shape Clip(Shape a, Shape b) {
  return [=](Vec p) { return std::max(a(p), b(p)); };
}

// ---- painting -------------------------------------------------------------------------------

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;  // straight alpha, 0 to 1
};

Rgba Rgb(int r, int g, int b, double a = 1) {
  return {r / 255.0, g / 255.0, b / 255.0, a};
}

Rgba Mix(Rgba from, Rgba to, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

using Paint = std::function<Rgba(Vec)>;

Paint Solid(Rgba c) {
  return [=](Vec) { return c; };
}

// From `top` at height y0 to `bottom` at height y1.
Paint Vertical(Rgba top, Rgba bottom, double y0, double y1) {
  return [=](Vec p) { return Mix(top, bottom, (p.y - y0) / (y1 - y0)); };
}

struct Layer {
  Shape shape;
  Paint paint;
};

// A picture is a stack of layers, bottom first, drawn at a given size in pixels.
using Picture = std::vector<Layer>;

// The shape filled with `fill`, over the same shape grown by `outline` in `ink`.
void AddOutlined(Picture& picture, const Shape& shape, Paint fill, Rgba ink, double outline) {
  picture.push_back({Grow(shape, outline), Solid(ink)});
  picture.push_back({shape, std::move(fill)});
}

struct Image {
  int size = 0;
  std::vector<Rgba> pixels;  // rows top to bottom, straight alpha
  const Rgba& At(int x, int y) const { return pixels[y * size + x]; }
};

Image Render(const Picture& picture, int size) {
  constexpr int kSamples = 8;
  Image image{size, std::vector<Rgba>(size * size)};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      Rgba sum;  // premultiplied
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Vec p = {(x + (sx + 0.5) / kSamples) / size, (y + (sy + 0.5) / kSamples) / size};
          Rgba c;  // premultiplied
          for (const Layer& layer : picture) {
            if (layer.shape(p) >= 0) continue;
            const Rgba s = layer.paint(p);
            const double keep = 1 - s.a;
            c = {s.r * s.a + c.r * keep, s.g * s.a + c.g * keep, s.b * s.a + c.b * keep,
                 s.a + c.a * keep};
          }
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b, sum.a + c.a};
        }
      }
      const double n = kSamples * kSamples;
      const double a = sum.a / n;
      image.pixels[y * size + x] =
          a == 0 ? Rgba{} : Rgba{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, a};
    }
  }
  return image;
}

std::uint8_t Byte(double v) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

// ---- the pictures ---------------------------------------------------------------------------

// Outlines stay at least one pixel wide in the small images.
double Line(int size, double width) {
  return std::max(width, 1.0 / size);
}

// The pig redrawn on the 16-pixel grid: at that size every feature needs whole pixels.
Picture SmallPig() {
  const auto px = [](double x, double y) { return Vec{x / 16, y / 16}; };
  const Rgba ink = Rgb(150, 48, 88);
  Picture picture;
  for (double side : {-1.0, 1.0}) {
    const auto at = [&](double x, double y) { return px(8 + side * x, y); };
    const Shape ear = Polygon({at(6.8, 0.6), at(6.6, 7), at(1.8, 4.2)});
    AddOutlined(picture, Grow(ear, -0.9 / 16), Solid(Rgb(244, 138, 172)), ink, 0.9 / 16);
  }
  AddOutlined(picture, Ellipse(px(8, 9), 6 / 16.0, 5 / 16.0),
              Vertical(Rgb(255, 204, 220), Rgb(242, 140, 174), 0.25, 0.9), ink, 1 / 16.0);
  for (double x : {5, 10}) {
    picture.push_back({RoundedBox(px(x, 6), px(x + 1, 8), 0), Solid(Rgb(46, 24, 36))});
  }
  picture.push_back({RoundedBox(px(4, 9), px(12, 13), 1.6 / 16), Solid(Rgb(226, 96, 140))});
  for (double x : {6, 9}) {
    picture.push_back({RoundedBox(px(x, 10), px(x + 1, 12), 0), Solid(Rgb(130, 36, 74))});
  }
  return picture;
}

// DEFAULT_ICON: a pink cartoon pig's face.
Picture Pig(int size) {
  if (size <= 16) return SmallPig();
  const bool detailed = size >= 32;
  const bool glossy = size >= 48;
  const Rgba ink = Rgb(150, 48, 88);
  const double outline = Line(size, 0.024);
  const Rgba earPink = Rgb(244, 138, 172);
  const Rgba innerEar = Rgb(226, 96, 140);
  Picture picture;

  for (double side : {-1.0, 1.0}) {
    const auto at = [side](double x, double y) { return Vec{0.5 + side * x, y}; };
    const Shape ear = Grow(Polygon({at(0.30, 0.40), at(0.37, 0.10), at(0.13, 0.26)}), 0.045);
    AddOutlined(picture, ear, Vertical(earPink, Rgb(236, 120, 158), 0.06, 0.4), ink, outline);
    if (detailed) {
      picture.push_back(
          {Grow(Polygon({at(0.29, 0.33), at(0.34, 0.16), at(0.20, 0.27)}), 0.02), Solid(innerEar)});
    }
  }

  const Shape head = Ellipse({0.5, 0.57}, 0.41, 0.36);
  AddOutlined(picture, head, Vertical(Rgb(255, 204, 220), Rgb(242, 140, 174), 0.22, 0.93), ink,
              outline);
  if (detailed) {
    // A soft sheen on the forehead and rosy cheeks.
    picture.push_back({Ellipse({0.38, 0.34}, 0.15, 0.07), Solid(Rgb(255, 255, 255, 0.35))});
    for (double x : {0.22, 0.78}) {
      picture.push_back({Circle({x, 0.66}, 0.075), Solid(Rgb(255, 92, 138, 0.35))});
    }
  }

  for (double x : {0.34, 0.66}) {
    const double eyeHeight = detailed ? 0.062 : 0.075;
    picture.push_back(
        {Ellipse({x, 0.46}, detailed ? 0.048 : 0.065, eyeHeight), Solid(Rgb(46, 24, 36))});
    if (glossy) picture.push_back({Circle({x + 0.016, 0.44}, 0.019), Solid(Rgb(255, 255, 255))});
  }

  const Shape snout = Ellipse({0.5, 0.67}, 0.2, 0.135);
  AddOutlined(picture, snout, Vertical(Rgb(255, 176, 200), Rgb(238, 118, 158), 0.54, 0.8), ink,
              outline);
  for (double x : {0.43, 0.57}) {
    picture.push_back({Ellipse({x, 0.67}, detailed ? 0.032 : 0.05, detailed ? 0.055 : 0.07),
                       Solid(Rgb(150, 48, 88))});
  }
  if (detailed) {
    // A small smile under the snout.
    const Shape smile = Clip(Cut(Circle({0.5, 0.76}, 0.1), Circle({0.5, 0.76}, 0.1 - outline)),
                             Polygon({{0.4, 0.83}, {0.6, 0.83}, {0.6, 0.9}, {0.4, 0.9}}));
    picture.push_back({smile, Solid(ink)});
  }
  return picture;
}

// The main window's icon: four orange pointed blades in a ring, like a pinwheel.
Picture Pinwheel(int size) {
  const Vec centre = {0.5, 0.5};
  const Rgba ink = Rgb(168, 60, 0);
  const bool small = size <= 16;
  const double outline = small ? 0.8 / size : Line(size, 0.022);
  Picture picture;
  for (int blade = 0; blade < 4; ++blade) {
    const double a = blade * 90.0 - 45;
    // One straight edge from the hub to the tip, then a curved edge back to the hub that bulges
    // towards the next blade; the small image keeps clear gaps between the blades.
    const Vec tip = Polar(centre, 0.47, a);
    const Vec control = small ? Polar(centre, 0.36, a + 56) : Polar(centre, 0.40, a + 62);
    const Vec end = Polar(centre, 0.08, a + (small ? 80 : 88));
    std::vector<Vec> points = {Polar(centre, 0.08, a), tip};
    for (int i = 1; i <= 16; ++i) points.push_back(Bezier(tip, control, end, i / 16.0));
    // The paper is folded along a line from the hub to the tip: the half beside the straight
    // edge catches the light, the curled half lies in shadow.
    const Paint paint = [=](Vec p) {
      const Vec d = p - centre;
      const double along = Length(d) / 0.47;
      const double turn = std::remainder(std::atan2(d.y, d.x) * 180 / std::numbers::pi - a, 360);
      const Rgba light = Mix(Rgb(255, 200, 100), Rgb(255, 150, 30), along);
      const Rgba shade = Mix(Rgb(246, 120, 10), Rgb(214, 78, 0), along);
      return Mix(light, shade, (turn - 20) / 6);
    };
    AddOutlined(picture, Polygon(points), paint, ink, outline);
  }
  const double hub = small ? 0.09 : 0.075;
  AddOutlined(picture, Circle(centre, hub),
              Vertical(Rgb(255, 244, 214), Rgb(250, 196, 120), 0.5 - hub, 0.5 + hub), ink, outline);
  return picture;
}

// The tray icon: a golden padlock with a keyhole, drawn on a 32-pixel grid.
Picture Padlock() {
  const auto px = [](double x, double y) { return Vec{x / 32, y / 32}; };
  const double outline = 1.1 / 32;
  const Rgba ink = Rgb(104, 64, 0);
  Picture picture;

  const Shape arch = Cut(Circle(px(16, 12.5), 8.5 / 32), Circle(px(16, 12.5), 4.5 / 32));
  const Shape upperHalf = Polygon({px(0, 0), px(32, 0), px(32, 12.5), px(0, 12.5)});
  const Shape shackle = Join(
      Clip(arch, upperHalf),
      Join(RoundedBox(px(7.5, 12), px(11.5, 17), 0), RoundedBox(px(20.5, 12), px(24.5, 17), 0)));
  AddOutlined(picture, shackle, Vertical(Rgb(255, 236, 160), Rgb(196, 136, 18), 0.1, 0.5), ink,
              outline);

  const Shape body = RoundedBox(px(4.5, 15), px(27.5, 30), 3.5 / 32);
  AddOutlined(picture, body, Vertical(Rgb(255, 232, 120), Rgb(214, 150, 10), 0.47, 0.94), ink,
              outline);
  picture.push_back(
      {RoundedBox(px(6.5, 16.5), px(25.5, 18.5), 1 / 32.0), Solid(Rgb(255, 250, 210, 0.7))});

  const Shape keyhole =
      Join(Circle(px(16, 21.5), 2.6 / 32),
           Polygon({px(14.9, 22.5), px(17.1, 22.5), px(17.9, 27.2), px(14.1, 27.2)}));
  picture.push_back({keyhole, Solid(Rgb(70, 40, 0))});
  return picture;
}

// ---- icon files -----------------------------------------------------------------------------

void PutU16(Bytes& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back(v >> 8 & 0xFF);
}
void PutU32(Bytes& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

struct IconEntry {
  int size = 0;
  int colourCount = 0;
  int bitsPerPixel = 0;
  Bytes image;
};

int Stride(int pixels, int bits) {
  return (pixels * bits + 31) / 32 * 4;
}

// The bitmap header of an icon image: its height counts the colour rows and the mask rows.
Bytes BitmapHeader(int size, int bitsPerPixel) {
  Bytes out;
  PutU32(out, 40);
  PutU32(out, size);
  PutU32(out, size * 2);
  PutU16(out, 1);
  PutU16(out, bitsPerPixel);
  PutU32(out, 0);  // uncompressed
  PutU32(out, (Stride(size, bitsPerPixel) + Stride(size, 1)) * size);
  for (int i = 0; i < 4; ++i) PutU32(out, 0);  // resolution and colour counts: the defaults
  return out;
}

// The 1-bit mask, bottom row first: 1 where the screen shows through.
void PutMask(Bytes& out, int size, const std::function<bool(int x, int y)>& transparent) {
  for (int y = size - 1; y >= 0; --y) {
    Bytes row(Stride(size, 1), 0);
    for (int x = 0; x < size; ++x) {
      if (transparent(x, y)) row[x / 8] |= 0x80 >> (x % 8);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

IconEntry TrueColourEntry(const Image& image) {
  IconEntry entry{image.size, 0, 32, BitmapHeader(image.size, 32)};
  for (int y = image.size - 1; y >= 0; --y) {
    for (int x = 0; x < image.size; ++x) {
      const Rgba& c = image.At(x, y);
      for (double v : {c.b, c.g, c.r}) entry.image.push_back(c.a == 0 ? 0 : Byte(v));
      entry.image.push_back(Byte(c.a));
    }
  }
  PutMask(entry.image, image.size, [&](int x, int y) { return Byte(image.At(x, y).a) == 0; });
  return entry;
}

// ---- 256 colours ----------------------------------------------------------------------------

using Colour = std::array<int, 3>;

// Median cut: the box with the widest channel is split at its median until there are `most`.
std::vector<Colour> ReducedPalette(std::vector<Colour> colours, std::size_t most) {
  struct Box {
    std::vector<Colour> colours;
    int channel = 0;
    int range = 0;
  };
  const auto measure = [](Box& box) {
    box.range = -1;
    for (int c = 0; c < 3; ++c) {
      const auto [lo, hi] = std::minmax_element(box.colours.begin(), box.colours.end(),
                                                [c](auto& l, auto& r) { return l[c] < r[c]; });
      if ((*hi)[c] - (*lo)[c] > box.range) {
        box.channel = c;
        box.range = (*hi)[c] - (*lo)[c];
      }
    }
  };
  std::vector<Box> boxes(1);
  boxes[0].colours = std::move(colours);
  measure(boxes[0]);
  while (boxes.size() < most) {
    auto widest = std::max_element(boxes.begin(), boxes.end(),
                                   [](auto& l, auto& r) { return l.range < r.range; });
    if (widest->range <= 0) break;
    const int c = widest->channel;
    auto& v = widest->colours;
    std::sort(v.begin(), v.end(), [c](auto& l, auto& r) { return l[c] < r[c]; });
    Box upper;
    upper.colours.assign(v.begin() + v.size() / 2, v.end());
    v.resize(v.size() / 2);
    measure(*widest);
    measure(upper);
    boxes.push_back(std::move(upper));
  }
  std::vector<Colour> palette;
  for (const Box& box : boxes) {
    Colour sum = {0, 0, 0};
    for (const Colour& colour : box.colours) {
      for (int c = 0; c < 3; ++c) sum[c] += colour[c];
    }
    const int n = static_cast<int>(box.colours.size());
    palette.push_back({(sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n});
  }
  return palette;
}

// An 8-bit image with a 1-bit mask: pixels at least half covered become opaque; colour 0 is
// the black that transparent pixels carry.
IconEntry PaletteEntry(const Image& image) {
  const auto opaque = [&](int x, int y) { return image.At(x, y).a >= 0.5; };
  const auto colourAt = [&](int x, int y) {
    const Rgba& c = image.At(x, y);
    return Colour{Byte(c.r), Byte(c.g), Byte(c.b)};
  };
  std::vector<Colour> colours;
  for (int y = 0; y < image.size; ++y) {
    for (int x = 0; x < image.size; ++x) {
      if (opaque(x, y)) colours.push_back(colourAt(x, y));
    }
  }
  std::vector<Colour> palette = {{0, 0, 0}};
  for (const Colour& c : ReducedPalette(std::move(colours), 255)) palette.push_back(c);
  const auto nearest = [&](const Colour& colour) {
    std::size_t best = 1;
    int bestDistance = 1 << 30;
    for (std::size_t i = 1; i < palette.size(); ++i) {
      int distance = 0;
      for (int c = 0; c < 3; ++c)
        distance += (palette[i][c] - colour[c]) * (palette[i][c] - colour[c]);
      if (distance < bestDistance) {
        best = i;
        bestDistance = distance;
      }
    }
    return static_cast<std::uint8_t>(best);
  };

  IconEntry entry{image.size, 0, 8, BitmapHeader(image.size, 8)};
  for (int i = 0; i < 256; ++i) {
    const Colour c = i < static_cast<int>(palette.size()) ? palette[i] : Colour{0, 0, 0};
    entry.image.insert(entry.image.end(),
                       {static_cast<std::uint8_t>(c[2]), static_cast<std::uint8_t>(c[1]),
                        static_cast<std::uint8_t>(c[0]), 0});
  }
  for (int y = image.size - 1; y >= 0; --y) {
    for (int x = 0; x < image.size; ++x) {
      entry.image.push_back(opaque(x, y) ? nearest(colourAt(x, y)) : 0);
    }
  }
  PutMask(entry.image, image.size, [&](int x, int y) { return !opaque(x, y); });
  return entry;
}

Bytes IconFile(const std::vector<IconEntry>& entries) {
  Bytes out;
  PutU16(out, 0);
  PutU16(out, 1);  // icon
  PutU16(out, entries.size());
  std::uint32_t offset = 6 + 16 * entries.size();
  for (const IconEntry& e : entries) {
    out.push_back(e.size);  // 128 fits; only 256 would be written as 0
    out.push_back(e.size);
    out.push_back(e.colourCount);
    out.push_back(0);
    PutU16(out, 1);
    PutU16(out, e.bitsPerPixel);
    PutU32(out, e.image.size());
    PutU32(out, offset);
    offset += e.image.size();
  }
  for (const IconEntry& e : entries) out.insert(out.end(), e.image.begin(), e.image.end());
  return out;
}

Bytes TrueColourIcon(const std::function<Picture(int)>& draw) {
  std::vector<IconEntry> entries;
  for (int size : {128, 64, 48, 32, 16})
    entries.push_back(TrueColourEntry(Render(draw(size), size)));
  return IconFile(entries);
}

// ---- output ---------------------------------------------------------------------------------

bool Write(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (!out) std::cerr << "cannot write " << path << "\n";
  return static_cast<bool>(out);
}

std::string AsText(const Bytes& bytes) {
  return {bytes.begin(), bytes.end()};
}

// A constant array laid out as clang-format lays it out, so that formatting leaves it alone.
std::string ArrayDefinition(const char* name, const Bytes& bytes) {
  std::string text = "constexpr std::uint8_t " + std::string(name) + "[] = {\n";
  constexpr std::size_t kPerLine = 16;
  for (std::size_t i = 0; i < bytes.size(); i += kPerLine) {
    text += "   ";
    for (std::size_t j = i; j < std::min(bytes.size(), i + kPerLine); ++j) {
      char hex[8];
      std::snprintf(hex, sizeof hex, " 0x%02X%s", bytes[j], j + 1 < bytes.size() ? "," : "");
      text += hex;
    }
    text += i + kPerLine < bytes.size() ? "\n" : "};\n";
  }
  return text;
}

std::string IconDataSource(const Bytes& mainWindow, const Bytes& tray) {
  return "// Written by resources/generator/draw_icons.cpp: redraw with scripts/draw-icons.sh.\n"
         "#include \"resources/icons.h\"\n\n"
         "namespace quorvane {\nnamespace {\n\n" +
         ArrayDefinition("kMainWindowIcon", mainWindow) + "\n" +
         ArrayDefinition("kTrayIcon", tray) +
         "\n}  // namespace\n\n"
         "std::span<const std::uint8_t> MainWindowIconFile() {\n  return kMainWindowIcon;\n}\n\n"
         "std::span<const std::uint8_t> TrayIconFile() {\n  return kTrayIcon;\n}\n\n"
         "}  // namespace quorvane\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: draw_icons <resources folder>\n";
    return 2;
  }
  const std::string folder = argv[1];
  const Bytes app = TrueColourIcon(Pig);
  const Bytes mainWindow = TrueColourIcon(Pinwheel);
  const Bytes tray = IconFile({PaletteEntry(Render(Padlock(), 32))});
  const bool written = Write(folder + "/app.ico", AsText(app)) &&
                       Write(folder + "/main_window.ico", AsText(mainWindow)) &&
                       Write(folder + "/tray_icon.ico", AsText(tray)) &&
                       Write(folder + "/icon_data.cpp", IconDataSource(mainWindow, tray));
  return written ? 0 : 1;
}
