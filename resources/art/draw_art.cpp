// Draws Velomir's art with cairo: the clock faces and their overlays at four sizes, the window
// icons and the maker's logo. Every picture comes from vector paths drawn at its own pixel size,
// and the output is the same bytes on every run, so the committed files can be regenerated.
//
// Usage: draw_art OUTPUT_DIR

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The hands take their colour from the overlay's pivot pixel, so this one value is the hands'
// colour as well as the centre cap's.
constexpr std::uint32_t kHandArgb = 0xFF202830;

constexpr int kLargestFace = 255;
constexpr int kFacePercents[] = {50, 65, 80, 100};

constexpr int kLogoWidth = 203;
constexpr int kLogoHeight = 61;

struct Rgb {
  double r;
  double g;
  double b;
};

constexpr Rgb FromHex(std::uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

const Rgb kHand = FromHex(kHandArgb & 0xFFFFFF);
const Rgb kMarks = FromHex(0x2B3440);
const Rgb kFaceLight = FromHex(0xFFFCF4);
const Rgb kFaceEdge = FromHex(0xEAE2D2);
const Rgb kRimLight = FromHex(0x5A6A84);
const Rgb kRimBase = FromHex(0x243146);
const Rgb kRimDark = FromHex(0x0E141E);

void SetColour(cairo_t* cr, const Rgb& c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void AddStop(cairo_pattern_t* pattern, double offset, const Rgb& c, double alpha = 1.0) {
  cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, alpha);
}

// Fills the current path with the pattern and releases it.
void FillWith(cairo_t* cr, cairo_pattern_t* pattern) {
  cairo_set_source(cr, pattern);
  cairo_fill(cr);
  cairo_pattern_destroy(pattern);
}

void Circle(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
}

// ---------------------------------------------------------------------------------------------
// Clock face and overlay

// Where everything on one face size sits, in pixels. All radii are fractions of the pivot
// coordinate p because the hands' lengths are too; that keeps marks and hands in step.
struct Dial {
  int width;
  int pivot;
  double cx;  // the centre of pixel (p, p)
  double cy;
  double outer;  // the rim's outer edge
  double face;   // the rim's inner edge, where the light face begins
  double mark_outer;
  double hour_inner;    // beyond the minute hand's tip at 0.8 p
  double minute_inner;  // the second hand (0.84 p) may just touch these
};

Dial MakeDial(int width) {
  Dial d;
  d.width = width;
  d.pivot = (width >> 1) - 2;
  const double p = d.pivot;
  d.cx = p + 0.5;
  d.cy = p + 0.5;
  d.outer = 0.955 * p;
  d.face = 0.9 * p;
  d.mark_outer = 0.893 * p;
  d.hour_inner = 0.822 * p;
  d.minute_inner = 0.852 * p;
  return d;
}

// A soft shadow below-right of the dial: a disc whose edge fades out over a few pixels. A radial
// gradient gives the blur without a blur filter, and it stays within the picture on every size.
void DrawShadow(cairo_t* cr, const Dial& d) {
  const double offset = std::max(1.5, 0.014 * d.width);
  const double soft = std::max(2.5, 0.022 * d.width);
  const double x = d.cx + offset * 0.8;
  const double y = d.cy + offset;
  cairo_pattern_t* shadow = cairo_pattern_create_radial(x, y, d.outer - soft, x, y, d.outer + soft);
  const Rgb black{0, 0, 0};
  AddStop(shadow, 0.0, black, 0.30);
  AddStop(shadow, 0.35, black, 0.20);
  AddStop(shadow, 0.7, black, 0.06);
  AddStop(shadow, 1.0, black, 0.0);
  Circle(cr, x, y, d.outer + soft);
  FillWith(cr, shadow);
}

// The rim: a dark ring lit from the upper left on its outer half and from the lower right on its
// inner half, so it reads as a bevel that rises from the desktop and drops to the face.
void DrawRim(cairo_t* cr, const Dial& d) {
  const double r = d.outer;
  const double mid = d.face + 0.45 * (d.outer - d.face);

  Circle(cr, d.cx, d.cy, r);
  cairo_pattern_t* outer = cairo_pattern_create_linear(d.cx - r, d.cy - r, d.cx + r, d.cy + r);
  AddStop(outer, 0.0, kRimLight);
  AddStop(outer, 0.45, kRimBase);
  AddStop(outer, 1.0, kRimDark);
  FillWith(cr, outer);

  Circle(cr, d.cx, d.cy, mid);
  cairo_pattern_t* inner = cairo_pattern_create_linear(d.cx - r, d.cy - r, d.cx + r, d.cy + r);
  AddStop(inner, 0.0, kRimDark);
  AddStop(inner, 0.55, kRimBase);
  AddStop(inner, 1.0, kRimLight);
  FillWith(cr, inner);

  // A hairline at the very edge keeps the outline firm against light desktops.
  Circle(cr, d.cx, d.cy, r - 0.5);
  cairo_set_line_width(cr, 1.0);
  SetColour(cr, kRimDark, 0.6);
  cairo_stroke(cr);
}

// The face: warm off-white, brightest towards the upper left, with a faint inner shadow where
// it meets the rim so the face sits a little below it.
void DrawFaceDisc(cairo_t* cr, const Dial& d) {
  const double r = d.face;
  Circle(cr, d.cx, d.cy, r);
  cairo_pattern_t* light =
      cairo_pattern_create_radial(d.cx - 0.3 * r, d.cy - 0.35 * r, 0, d.cx, d.cy, 1.15 * r);
  AddStop(light, 0.0, kFaceLight);
  AddStop(light, 0.6, FromHex(0xF7F1E6));
  AddStop(light, 1.0, kFaceEdge);
  FillWith(cr, light);

  const double depth = std::max(1.5, 0.035 * d.pivot);
  Circle(cr, d.cx, d.cy, r);
  cairo_pattern_t* inset = cairo_pattern_create_radial(d.cx, d.cy, r - depth, d.cx, d.cy, r);
  AddStop(inset, 0.0, kRimDark, 0.0);
  AddStop(inset, 1.0, kRimDark, 0.22);
  FillWith(cr, inset);
}

// A radial tick from inner to outer radius at the given angle (0 = twelve, clockwise).
void Tick(cairo_t* cr, double cx, double cy, double angle, double inner, double outer,
          double width) {
  const double s = std::sin(angle);
  const double c = -std::cos(angle);
  cairo_move_to(cr, cx + s * inner, cy + c * inner);
  cairo_line_to(cr, cx + s * outer, cy + c * outer);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

// 60 thin minute marks, 12 longer hour marks, and the quarters broader still. Widths never drop
// below a pixel so the small face keeps every mark.
void DrawMarks(cairo_t* cr, const Dial& d) {
  const double p = d.pivot;
  const double minute_width = std::max(1.0, 0.011 * p);
  const double hour_width = std::max(1.6, 0.032 * p);
  const double quarter_width = std::max(2.6, 0.056 * p);
  SetColour(cr, kMarks);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  for (int i = 0; i < 60; ++i) {
    const double angle = i * kPi / 30;
    if (i % 15 == 0) {
      Tick(cr, d.cx, d.cy, angle, d.hour_inner, d.mark_outer, quarter_width);
    } else if (i % 5 == 0) {
      Tick(cr, d.cx, d.cy, angle, d.hour_inner, d.mark_outer, hour_width);
    } else {
      Tick(cr, d.cx, d.cy, angle, d.minute_inner, d.mark_outer, minute_width);
    }
  }
}

cairo_surface_t* NewCanvas(int width, int height) {
  return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
}

cairo_surface_t* DrawFace(const Dial& d) {
  cairo_surface_t* surface = NewCanvas(d.width, d.width);
  cairo_t* cr = cairo_create(surface);
  DrawShadow(cr, d);
  DrawRim(cr, d);
  DrawFaceDisc(cr, d);
  DrawMarks(cr, d);
  cairo_destroy(cr);
  return surface;
}

// A faint glass reflection: the part of the face's disc that a down-right shifted disc does not
// cover, a crescent hugging the upper left. It stays well away from the pivot.
void DrawGlassHighlight(cairo_t* cr, const Dial& d) {
  const double r = 0.94 * d.face;
  const double shift = 0.3 * r;
  cairo_save(cr);
  Circle(cr, d.cx, d.cy, r);
  cairo_clip(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  Circle(cr, d.cx, d.cy, r);
  Circle(cr, d.cx + 0.6 * shift, d.cy + shift, 1.05 * r);
  cairo_pattern_t* sheen = cairo_pattern_create_linear(d.cx - r, d.cy - r, d.cx, d.cy);
  const Rgb white{1, 1, 1};
  AddStop(sheen, 0.0, white, 0.12);
  AddStop(sheen, 0.6, white, 0.05);
  AddStop(sheen, 1.0, white, 0.0);
  FillWith(cr, sheen);
  cairo_restore(cr);
}

// The centre cap over the hands. Its radius is at least three pixels so the pivot pixel and its
// neighbours are always fully covered: exactly the hand colour, fully opaque. A thin lighter arc
// on its upper left rounds it off without touching those pixels.
void DrawCap(cairo_t* cr, const Dial& d) {
  const double r = std::max(3.0, 0.045 * d.width);
  SetColour(cr, kHand);
  Circle(cr, d.cx, d.cy, r);
  cairo_fill(cr);

  if (r >= 5.0) {
    const double ring = 0.68 * r;
    cairo_set_line_width(cr, std::max(1.0, 0.12 * r));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, FromHex(0x5C6878), 0.8);
    cairo_new_sub_path(cr);
    cairo_arc(cr, d.cx, d.cy, ring, 1.05 * kPi, 1.45 * kPi);
    cairo_stroke(cr);
  }
}

cairo_surface_t* DrawOverlay(const Dial& d) {
  cairo_surface_t* surface = NewCanvas(d.width, d.width);
  cairo_t* cr = cairo_create(surface);
  DrawGlassHighlight(cr, d);
  DrawCap(cr, d);
  cairo_destroy(cr);
  return surface;
}

// ---------------------------------------------------------------------------------------------
// Icons

// Each icon size is laid out by hand in pixels. The centre sits on a pixel corner and the marks
// and hands are whole pixels wide and long, so the upright and level ones cover whole pixels.
struct IconLayout {
  int size;
  double outer;  // the rim's outer radius
  double face;   // the light face's radius
  double quarter_inner;
  double quarter_outer;
  double quarter_width;
  double hour_inner;  // the eight other hour marks; none when zero
  double hour_width;
  double minute_tip;
  double hour_tip;
  double hand_width;
  double cap;  // the hands' round hub; none when zero
};

constexpr IconLayout kIcon32 = {32, 15.75, 13, 9, 12, 2, 10, 1.25, 8, 6, 2, 2.5};
// At 16 px the four marks sit a pixel clear of the rim; the twelve lies under the minute hand.
constexpr IconLayout kIcon16 = {16, 7.75, 6.25, 4, 5, 2, 0, 0, 5, 3, 2, 0};

// The icon: the same light face and dark rim as the clock, showing three o'clock.
cairo_surface_t* DrawIcon(const IconLayout& l) {
  cairo_surface_t* surface = NewCanvas(l.size, l.size);
  cairo_t* cr = cairo_create(surface);
  const double c = l.size / 2.0;

  Circle(cr, c, c, l.outer);
  cairo_pattern_t* ring = cairo_pattern_create_linear(0, 0, l.size, l.size);
  AddStop(ring, 0.0, kRimLight);
  AddStop(ring, 0.5, kRimBase);
  AddStop(ring, 1.0, kRimDark);
  FillWith(cr, ring);

  Circle(cr, c, c, l.face);
  cairo_pattern_t* light =
      cairo_pattern_create_radial(c - 0.3 * l.face, c - 0.35 * l.face, 0, c, c, 1.15 * l.face);
  AddStop(light, 0.0, kFaceLight);
  AddStop(light, 1.0, kFaceEdge);
  FillWith(cr, light);

  SetColour(cr, kMarks);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  for (int h = 0; h < 12; ++h) {
    const double angle = h * kPi / 6;
    if (h % 3 == 0) {
      Tick(cr, c, c, angle, l.quarter_inner, l.quarter_outer, l.quarter_width);
    } else if (l.hour_inner > 0) {
      Tick(cr, c, c, angle, l.hour_inner, l.quarter_outer, l.hour_width);
    }
  }

  // Minute hand straight up, hour hand to the right; both start a pixel behind the centre so
  // they meet in a clean corner.
  SetColour(cr, kHand);
  Tick(cr, c, c, 0, -1, l.minute_tip, l.hand_width);
  Tick(cr, c, c, kPi / 2, -1, l.hour_tip, l.hand_width);
  if (l.cap > 0) {
    Circle(cr, c, c, l.cap);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  return surface;
}

// ---------------------------------------------------------------------------------------------
// Logo

struct Pt {
  double x;
  double y;
};

// One letter: its advance width in units of the cap height, and the strokes that draw it.
struct Glyph {
  double width;
  void (*path)(cairo_t* cr, double w);
};

void Line(cairo_t* cr, std::initializer_list<Pt> points) {
  bool first = true;
  for (const Pt& pt : points) {
    if (first) {
      cairo_move_to(cr, pt.x, pt.y);
      first = false;
    } else {
      cairo_line_to(cr, pt.x, pt.y);
    }
  }
}

// Block capitals in a box one unit high and w wide, y downwards.
void PathT(cairo_t* cr, double w) {
  Line(cr, {{0, 0}, {w, 0}});
  Line(cr, {{w / 2, 0}, {w / 2, 1}});
}

void PathA(cairo_t* cr, double w) {
  Line(cr, {{0, 1}, {w / 2, 0}, {w, 1}});
  // The bar ends on the slanted strokes' centre lines so its round ends hide inside them.
  const double bar = 0.62;
  Line(cr, {{(1 - bar) * w / 2, bar}, {(1 + bar) * w / 2, bar}});
}

void PathV(cairo_t* cr, double w) {
  Line(cr, {{0, 0}, {w / 2, 1}, {w, 0}});
}

void PathR(cairo_t* cr, double w) {
  const double bowl = 0.26;  // radius of the bowl's round end
  Line(cr, {{0, 1}, {0, 0}, {w - bowl, 0}});
  cairo_arc(cr, w - bowl, bowl, bowl, -kPi / 2, kPi / 2);
  cairo_line_to(cr, 0, 2 * bowl);
  Line(cr, {{0.45 * w, 2 * bowl}, {w, 1}});
}

void PathI(cairo_t* cr, double w) {
  Line(cr, {{0, 0}, {w, 0}});
  Line(cr, {{w / 2, 0}, {w / 2, 1}});
  Line(cr, {{0, 1}, {w, 1}});
}

void PathX(cairo_t* cr, double w) {
  Line(cr, {{0, 0}, {w, 1}});
  Line(cr, {{w, 0}, {0, 1}});
}

const Glyph kTavrix[] = {{0.78, PathT}, {0.86, PathA}, {0.86, PathV},
                         {0.72, PathR}, {0.42, PathI}, {0.82, PathX}};
constexpr double kLetterGap = 0.3;  // between letters, in cap heights

double WordWidth() {
  double width = -kLetterGap;
  for (const Glyph& g : kTavrix) {
    width += g.width + kLetterGap;
  }
  return width;
}

// Builds the whole word as one path in pixels: letters of the given cap height, the word's top
// left corner at (x, y).
void WordPath(cairo_t* cr, double x, double y, double cap) {
  cairo_new_path(cr);
  double left = x;
  for (const Glyph& g : kTavrix) {
    cairo_save(cr);
    cairo_translate(cr, left, y);
    cairo_scale(cr, cap, cap);
    g.path(cr, g.width);
    cairo_restore(cr);
    left += (g.width + kLetterGap) * cap;
  }
}

cairo_pattern_t* NeonGradient(double x0, double x1) {
  cairo_pattern_t* g = cairo_pattern_create_linear(x0, 0, x1, 0);
  AddStop(g, 0.0, FromHex(0x00E5FF));
  AddStop(g, 0.34, FromHex(0x6CFF3C));
  AddStop(g, 0.66, FromHex(0xFFE81A));
  AddStop(g, 1.0, FromHex(0xFF2ED2));
  return g;
}

// Strokes the word's path at a width, with the given source.
void StrokeWord(cairo_t* cr, cairo_pattern_t* source, double width) {
  cairo_set_source(cr, source);
  cairo_set_line_width(cr, width);
  cairo_stroke_preserve(cr);
}

// "TAVRIX" as hollow neon letters on black. Each letter is a thick stroke drawn in the
// gradient, hollowed by a narrower black stroke, with a thin white-hot core line down the
// middle: a double outline. A wide faint stroke underneath gives a soft glow.
cairo_surface_t* DrawLogo() {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, kLogoWidth, kLogoHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);

  const double cap = 30;
  const double stroke = 8;
  const double width = WordWidth() * cap;
  const double x = std::round((kLogoWidth - width) / 2);
  const double y = 9;
  // Round ends and joins, like bent glass tubes; they also let a stroke that starts on another
  // stroke's centre line (the R's leg, the T's stem) end hidden inside it.
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

  cairo_pattern_t* neon = NeonGradient(x, x + width);
  cairo_pattern_t* black = cairo_pattern_create_rgb(0, 0, 0);
  cairo_pattern_t* core = cairo_pattern_create_rgba(1, 1, 1, 0.85);

  WordPath(cr, x, y, cap);
  cairo_push_group(cr);
  StrokeWord(cr, neon, stroke + 6);
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, 0.18);

  StrokeWord(cr, neon, stroke);
  StrokeWord(cr, black, stroke - 4);
  StrokeWord(cr, neon, 1.6);
  StrokeWord(cr, core, 0.7);
  cairo_new_path(cr);

  // A thin underline in the same colours ties the letters together.
  const double base = y + cap + 11;
  Line(cr, {{x, base}, {x + width, base}});
  StrokeWord(cr, neon, 2);
  cairo_new_path(cr);

  cairo_pattern_destroy(core);
  cairo_pattern_destroy(black);
  cairo_pattern_destroy(neon);
  cairo_destroy(cr);
  return surface;
}

// ---------------------------------------------------------------------------------------------
// File writers

// Little-endian bytes for the Windows file formats.
class Bytes {
 public:
  void U8(std::uint32_t v) {
    data_.push_back(static_cast<std::uint8_t>(v & 0xFF));
  }
  void U16(std::uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(std::uint32_t v) {
    U16(v);
    U16(v >> 16);
  }
  void Append(const std::vector<std::uint8_t>& more) {
    data_.insert(data_.end(), more.begin(), more.end());
  }
  std::size_t size() const {
    return data_.size();
  }
  const std::vector<std::uint8_t>& data() const {
    return data_;
  }

 private:
  std::vector<std::uint8_t> data_;
};

struct Straight {
  std::uint8_t b;
  std::uint8_t g;
  std::uint8_t r;
  std::uint8_t a;
};

// Cairo stores premultiplied alpha in native-endian 32-bit words; the files want it straight.
Straight ReadPixel(cairo_surface_t* surface, int x, int y) {
  const unsigned char* row =
      cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
  const std::uint32_t argb = reinterpret_cast<const std::uint32_t*>(row)[x];
  std::uint32_t a = argb >> 24;
  if (cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24) {
    a = 255;
  }
  auto unmultiply = [a](std::uint32_t c) -> std::uint8_t {
    return a == 0 ? 0 : static_cast<std::uint8_t>(std::min(255u, (c * 255 + a / 2) / a));
  };
  return {unmultiply(argb & 0xFF), unmultiply((argb >> 8) & 0xFF), unmultiply((argb >> 16) & 0xFF),
          static_cast<std::uint8_t>(a)};
}

// One icon image: BITMAPINFOHEADER, BGRA pixels bottom-up, then the AND mask bottom-up with
// rows padded to 32 bits. The mask marks fully transparent pixels for displays without alpha.
std::vector<std::uint8_t> IconImage(cairo_surface_t* surface) {
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const std::uint32_t mask_stride = ((w + 31) / 32) * 4;
  const std::uint32_t pixel_bytes = w * h * 4;
  const std::uint32_t mask_bytes = mask_stride * h;

  Bytes out;
  out.U32(40);
  out.U32(w);
  out.U32(2 * h);  // the colour image and the mask, stacked
  out.U16(1);
  out.U16(32);
  out.U32(0);  // BI_RGB
  out.U32(pixel_bytes + mask_bytes);
  out.U32(0);
  out.U32(0);
  out.U32(0);
  out.U32(0);

  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const Straight px = ReadPixel(surface, x, y);
      out.U8(px.b);
      out.U8(px.g);
      out.U8(px.r);
      out.U8(px.a);
    }
  }
  for (int y = h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(mask_stride, 0);
    for (int x = 0; x < w; ++x) {
      if (ReadPixel(surface, x, y).a == 0) {
        row[x / 8] |= 0x80 >> (x % 8);
      }
    }
    out.Append(row);
  }
  return out.data();
}

// ICONDIR, one ICONDIRENTRY per image, then the images in the same order.
std::vector<std::uint8_t> IconFile(const std::vector<cairo_surface_t*>& images) {
  std::vector<std::vector<std::uint8_t>> bodies;
  for (cairo_surface_t* image : images) {
    bodies.push_back(IconImage(image));
  }
  Bytes out;
  out.U16(0);
  out.U16(1);  // icon, not cursor
  out.U16(static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.U8(cairo_image_surface_get_width(images[i]));
    out.U8(cairo_image_surface_get_height(images[i]));
    out.U8(0);  // no palette
    out.U8(0);
    out.U16(1);
    out.U16(32);
    out.U32(static_cast<std::uint32_t>(bodies[i].size()));
    out.U32(offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const auto& body : bodies) {
    out.Append(body);
  }
  return out.data();
}

// BITMAPFILEHEADER, BITMAPINFOHEADER, then 24-bit BGR rows bottom-up, padded to 4 bytes.
std::vector<std::uint8_t> BmpFile(cairo_surface_t* surface) {
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const std::uint32_t stride = (w * 3 + 3) & ~3u;
  const std::uint32_t pixel_bytes = stride * h;
  const std::uint32_t header_bytes = 14 + 40;

  Bytes out;
  out.U8('B');
  out.U8('M');
  out.U32(header_bytes + pixel_bytes);
  out.U32(0);
  out.U32(header_bytes);
  out.U32(40);
  out.U32(w);
  out.U32(h);  // positive: bottom-up
  out.U16(1);
  out.U16(24);
  out.U32(0);  // BI_RGB
  out.U32(pixel_bytes);
  out.U32(2835);  // 72 dpi
  out.U32(2835);
  out.U32(0);
  out.U32(0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const Straight px = ReadPixel(surface, x, y);
      out.U8(px.b);
      out.U8(px.g);
      out.U8(px.r);
    }
    for (std::uint32_t pad = w * 3; pad < stride; ++pad) {
      out.U8(0);
    }
  }
  return out.data();
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

bool WritePng(const std::string& path, cairo_surface_t* surface) {
  return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool Report(bool ok, const std::string& path) {
  if (!ok) {
    std::fprintf(stderr, "draw_art: cannot write %s\n", path.c_str());
  }
  return ok;
}

bool WriteFaces(const std::string& dir) {
  for (int percent : kFacePercents) {
    const int width = static_cast<int>(std::lround(kLargestFace * percent / 100.0));
    const Dial dial = MakeDial(width);
    const std::string suffix = "_" + std::to_string(percent) + ".png";
    cairo_surface_t* face = DrawFace(dial);
    cairo_surface_t* overlay = DrawOverlay(dial);
    const std::string face_path = dir + "/face" + suffix;
    const std::string overlay_path = dir + "/overlay" + suffix;
    const bool ok = Report(WritePng(face_path, face), face_path) &&
                    Report(WritePng(overlay_path, overlay), overlay_path);
    cairo_surface_destroy(overlay);
    cairo_surface_destroy(face);
    if (!ok) {
      return false;
    }
  }
  return true;
}

bool WriteIcons(const std::string& dir) {
  cairo_surface_t* large = DrawIcon(kIcon32);
  cairo_surface_t* small = DrawIcon(kIcon16);
  cairo_surface_flush(large);
  cairo_surface_flush(small);
  const std::string clock_path = dir + "/clock.ico";
  const std::string small_path = dir + "/small.ico";
  const bool ok = Report(WriteBytes(clock_path, IconFile({large, small})), clock_path) &&
                  Report(WriteBytes(small_path, IconFile({small})), small_path);
  cairo_surface_destroy(small);
  cairo_surface_destroy(large);
  return ok;
}

bool WriteLogo(const std::string& dir) {
  cairo_surface_t* logo = DrawLogo();
  cairo_surface_flush(logo);
  const std::string path = dir + "/logo.bmp";
  const bool ok = Report(WriteBytes(path, BmpFile(logo)), path);
  cairo_surface_destroy(logo);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_art OUTPUT_DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  return WriteFaces(dir) && WriteIcons(dir) && WriteLogo(dir) ? 0 : 1;
}
