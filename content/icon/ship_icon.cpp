// The game's icon: the player's fighter climbing out of a night-sky badge, engines lit.
// Drawn from shapes at any size, with 4 x 4 samples per pixel for smooth edges, and written
// as PNG files: ship_icon OUTPUT_FOLDER SIZE... writes OUTPUT_FOLDER/SIZE/zorvane2.png.
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Point {
  double X, Y;
};

// Straight (not premultiplied) colour, each part 0..1.
struct Colour {
  double R = 0, G = 0, B = 0, A = 0;
};

Colour Rgb(int rgb, double a = 1.0) {
  return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, a};
}

Colour Mix(const Colour& a, const Colour& b, double t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t, a.A + (b.A - a.A) * t};
}

// Paints `top` over `under`.
Colour Over(const Colour& top, const Colour& under) {
  double a = top.A + under.A * (1 - top.A);
  if (a <= 0) return {};
  auto part = [&](double t, double u) { return (t * top.A + u * under.A * (1 - top.A)) / a; };
  return {part(top.R, under.R), part(top.G, under.G), part(top.B, under.B), a};
}

bool InPolygon(const std::vector<Point>& poly, double x, double y) {
  bool in = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Point &a = poly[i], &b = poly[j];
    if ((a.Y > y) != (b.Y > y) && x < (b.X - a.X) * (y - a.Y) / (b.Y - a.Y) + a.X) in = !in;
  }
  return in;
}

bool InEllipse(double x, double y, double cx, double cy, double rx, double ry) {
  double dx = (x - cx) / rx, dy = (y - cy) / ry;
  return dx * dx + dy * dy <= 1;
}

bool InRoundedSquare(double x, double y, double lo, double hi, double r) {
  if (x < lo || y < lo || x > hi || y > hi) return false;
  double cx = std::clamp(x, lo + r, hi - r), cy = std::clamp(y, lo + r, hi - r);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// The ship, in a unit square with y down, nose up.
const std::vector<Point> Hull = {{0.50, 0.08}, {0.56, 0.24}, {0.59, 0.44}, {0.60, 0.80},
                                 {0.40, 0.80}, {0.41, 0.44}, {0.44, 0.24}};
const std::vector<Point> Wings = {{0.50, 0.34}, {0.70, 0.52}, {0.88, 0.70}, {0.87, 0.79}, {0.62, 0.74},
                                  {0.38, 0.74}, {0.13, 0.79}, {0.12, 0.70}, {0.30, 0.52}};
const std::vector<Point> LeftFin = {{0.12, 0.56}, {0.155, 0.56}, {0.16, 0.79}, {0.12, 0.80}};
const std::vector<Point> RightFin = {{0.845, 0.56}, {0.88, 0.56}, {0.88, 0.80}, {0.84, 0.79}};
const std::vector<Point> LeftStripe = {{0.20, 0.655}, {0.25, 0.62}, {0.27, 0.665}, {0.22, 0.70}};
const std::vector<Point> RightStripe = {{0.80, 0.655}, {0.75, 0.62}, {0.73, 0.665}, {0.78, 0.70}};

bool InShip(double x, double y) {
  return InPolygon(Hull, x, y) || InPolygon(Wings, x, y) || InPolygon(LeftFin, x, y) ||
         InPolygon(RightFin, x, y);
}

// One engine flame: a teardrop hanging from the hull's tail, white-hot at the nozzle.
Colour Flame(double x, double y, double cx) {
  const double top = 0.78, length = 0.16;
  if (y < top || y > top + length) return {};
  double t = (y - top) / length;               // 0 at the nozzle, 1 at the tip
  double half = 0.045 * (1 - t * t) * (1 - t * 0.3);
  double d = std::abs(x - cx);
  if (d > half) return {};
  double core = 1 - d / half;
  Colour c = Mix(Rgb(0xFF5A10), Rgb(0xFFE070), core * (1 - t));
  c = Mix(c, Rgb(0xFFFFFF), std::max(0.0, core - 0.5) * (1 - t));
  c.A = std::min(1.0, 0.35 + core) * (1 - t * 0.6);
  return c;
}

Colour Sample(double x, double y) {
  Colour out;
  // The badge: a rounded square of deep night with a thin bright rim.
  if (InRoundedSquare(x, y, 0.03, 0.97, 0.18)) {
    Colour sky = Mix(Rgb(0x0A1838), Rgb(0x24103F), y);
    bool inner = InRoundedSquare(x, y, 0.05, 0.95, 0.16);
    out = inner ? sky : Rgb(0x4E78C8);
    // A few stars, not under the ship.
    static const Point stars[] = {{0.18, 0.18}, {0.80, 0.22}, {0.27, 0.40}, {0.86, 0.42},
                                  {0.70, 0.14}, {0.12, 0.88}, {0.88, 0.90}, {0.33, 0.12}};
    for (const Point& s : stars)
      if (inner && InEllipse(x, y, s.X, s.Y, 0.011, 0.011)) out = Over(Rgb(0xFFFFFF, 0.9), out);
  }
  out = Over(Flame(x, y, 0.455), out);
  out = Over(Flame(x, y, 0.545), out);
  // The dark outline: anything within a short reach of the ship that is not the ship.
  const double reach = 0.018;
  bool ship = InShip(x, y);
  if (!ship) {
    for (int k = 0; k < 8 && !ship; ++k) {
      double a = k * 3.14159265358979 / 4;
      if (InShip(x + reach * std::cos(a), y + reach * std::sin(a))) {
        out = Over(Rgb(0x0B0E18), out);
        break;
      }
    }
    return out;
  }
  // Wings and fins: steel blue, lit from the upper left.
  if (!InPolygon(Hull, x, y)) {
    Colour steel = Mix(Rgb(0x6F9AD8), Rgb(0x2C4A86), std::clamp((x - 0.12) / 0.76 * 0.7 + (y - 0.5) * 0.9, 0.0, 1.0));
    if (InPolygon(LeftStripe, x, y) || InPolygon(RightStripe, x, y)) steel = Rgb(0xE23A3A);
    return Over(steel, out);
  }
  // The hull: silver, rounded by shading across its width, with a bright ridge down the middle.
  double across = (x - 0.5) / 0.1;  // -1 .. 1
  Colour hull = Mix(Rgb(0xF2F5FA), Rgb(0x7D8797), std::clamp(0.35 + across * 0.55, 0.0, 1.0));
  if (std::abs(x - 0.49) < 0.006 && y > 0.14 && y < 0.76) hull = Mix(hull, Rgb(0xFFFFFF), 0.6);
  // The cockpit canopy, with a glint.
  if (InEllipse(x, y, 0.5, 0.36, 0.038, 0.085)) {
    hull = Mix(Rgb(0x7FE6FF), Rgb(0x1A4F9A), std::clamp((y - 0.28) / 0.17, 0.0, 1.0));
    if (InEllipse(x, y, 0.488, 0.325, 0.011, 0.03)) hull = Rgb(0xFFFFFF);
  } else if (InEllipse(x, y, 0.5, 0.36, 0.048, 0.097)) {
    hull = Rgb(0x1B2233);
  }
  // Twin nozzles at the tail.
  if (y > 0.755 && (std::abs(x - 0.455) < 0.03 || std::abs(x - 0.545) < 0.03)) hull = Rgb(0x3A3F4C);
  return Over(hull, out);
}

bool WriteIcon(const std::filesystem::path& folder, int size) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_RGBA32);
  if (!s) return false;
  const int n = 4;  // samples per pixel along each axis
  for (int py = 0; py < size; ++py) {
    auto* row = static_cast<Uint8*>(s->pixels) + py * s->pitch;
    for (int px = 0; px < size; ++px) {
      double r = 0, g = 0, b = 0, a = 0;  // premultiplied sums
      for (int sy = 0; sy < n; ++sy)
        for (int sx = 0; sx < n; ++sx) {
          Colour c = Sample((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size);
          r += c.R * c.A;
          g += c.G * c.A;
          b += c.B * c.A;
          a += c.A;
        }
      Uint8* p = row + px * 4;
      auto byte = [](double v) { return Uint8(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
      p[0] = a > 0 ? byte(r / a) : 0;
      p[1] = a > 0 ? byte(g / a) : 0;
      p[2] = a > 0 ? byte(b / a) : 0;
      p[3] = byte(a / (n * n));
    }
  }
  std::error_code ec;
  std::filesystem::create_directories(folder / std::to_string(size), ec);
  std::string path = (folder / std::to_string(size) / "zorvane2.png").string();
  // Written beside the target and renamed, so an install never picks up half a file.
  std::string temporary = path + ".part";
  bool ok = IMG_SavePNG(s, temporary.c_str()) == 0;
  SDL_FreeSurface(s);
  if (ok) std::filesystem::rename(temporary, path, ec);
  if (!ok || ec) std::fprintf(stderr, "ship_icon: cannot write %s\n", path.c_str());
  return ok && !ec;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: ship_icon OUTPUT_FOLDER SIZE...\n");
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    int size = std::atoi(argv[i]);
    if (size < 16 || size > 1024) {
      std::fprintf(stderr, "ship_icon: %s is not an icon size (16 to 1024)\n", argv[i]);
      return 2;
    }
    if (!WriteIcon(argv[1], size)) return 1;
  }
  return 0;
}
