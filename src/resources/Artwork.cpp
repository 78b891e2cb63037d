#include "resources/Artwork.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "game/Board.h"
#include "game/GameLayouts.h"
#include "game/Measures.h"
#include "game/Pieces.h"
#include "resources/BoardPicture.h"

// Everything is computed pixel by pixel into QImage scan lines: QPainter hands larger fills to
// a thread pool, which costs more here than the drawing itself. It only lays the miniature
// pieces on their trays, through PaintPieces, as plain copies.

namespace resources {
namespace {

using game::kCellPixels;
using game::kFramePixels;
using game::kStripHeightPixels;
using game::kThumbHeightPixels;
using game::kThumbWidthPixels;
using game::kTrayHeightPixels;
using game::kTrayWidthPixels;
constexpr QPoint kStartSlot{game::kStartSlotLeftPixels, game::kSlotTopPixels};
constexpr QPoint kFinishSlot{game::kFinishSlotLeftPixels, game::kSlotTopPixels};

constexpr float kTau = 6.2831853f;

// Integer hash; all texture noise derives from it, so every run draws the same pictures.
constexpr std::uint32_t Mix(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

constexpr float Noise01(std::uint32_t x) {
    return static_cast<float>(Mix(x) & 0xffffffu) / static_cast<float>(0x1000000);
}

struct WoodTone {
    QRgb light;  // early wood
    QRgb dark;   // late wood
    float ringPeriod;
    float figure;  // strength of the rings, 0..1
};

// Walnut for the tray and the strip, a darker and quieter cut for the floor, beech for the
// pieces.
constexpr WoodTone kFrameWood{qRgb(150, 94, 52), qRgb(70, 38, 18), 5.5f, 0.75f};
constexpr WoodTone kFloorWood{qRgb(104, 66, 38), qRgb(66, 40, 22), 7.0f, 0.45f};
constexpr WoodTone kPieceWood{qRgb(238, 200, 146), qRgb(186, 128, 72), 6.5f, 0.6f};

constexpr auto kEverywhere = [](int, int) { return true; };

// Paints a plank of wood over area of image, the grain along x or along y; only the pixels for
// which where(x, y) holds, in the plank's own coordinates.
void PaintWood(QImage& image, QRect area, bool grainAlongX, const WoodTone& tone,
               std::uint32_t seed, auto where) {
    constexpr int kMargin = 14;  // how far the grain lines wander, in pixels
    const int along = grainAlongX ? area.width() : area.height();
    const int across = grainAlongX ? area.height() : area.width();
    auto rnd = [seed](std::uint32_t k) { return Noise01(seed * 0x9e3779b9u + k * 0x85ebca6bu); };

    // The grain lines wander across the plank and bend a little along it.
    std::vector<float> shift(along);
    std::vector<float> bend(along);
    std::vector<int> tint(along);  // in 255ths, as the rings below
    const float f1 = 0.012f + 0.010f * rnd(1);
    const float f2 = 0.045f + 0.030f * rnd(2);
    const float f3 = 0.020f + 0.020f * rnd(3);
    const float p1 = kTau * rnd(4);
    const float p2 = kTau * rnd(5);
    const float p3 = kTau * rnd(6);
    const float p4 = kTau * rnd(7);
    for (int u = 0; u < along; ++u) {
        shift[u] = 7.0f * std::sin(u * f1 + p1) + 1.6f * std::sin(u * f2 + p2);
        bend[u] = 2.5f * std::sin(u * f3 + p3);
        tint[u] = static_cast<int>(13.0f * std::sin(u * 0.017f + p4));
    }
    std::vector<float> wave(across);
    const float p5 = kTau * rnd(8);
    for (int v = 0; v < across; ++v) {
        wave[v] = std::sin(v * 0.08f + p5);
    }

    // Profile across the grain in quarter pixels: the growth rings (light early wood darkening
    // into late wood, then a sharp edge) and fine fibres.
    const int samples = (across + 2 * kMargin) * 4;
    std::vector<int> profile(samples);
    const float p6 = kTau * rnd(9);
    const float p7 = kTau * rnd(10);
    const float offset = 500.0f * rnd(11);
    for (int i = 0; i < samples; ++i) {
        const float t = i * 0.25f - kMargin + offset;
        const float phase = t / tone.ringPeriod + 0.7f * std::sin(t * 0.045f + p6) +
                            0.25f * std::sin(t * 0.19f + p7);
        const float ring = std::floor(phase);
        const float f = phase - ring;
        const float strength =
            0.45f + 0.55f * Noise01(seed ^ static_cast<std::uint32_t>(ring + 100000.0f));
        const float late = f * f * f * f;
        const float ft = t * 1.3f;
        const float fi = std::floor(ft);
        const auto fibreIndex = static_cast<std::uint32_t>(fi + 100000.0f);
        const float fibreA = Noise01(seed + 7u * fibreIndex);
        const float fibreB = Noise01(seed + 7u * (fibreIndex + 1));
        const float fibre = fibreA + (fibreB - fibreA) * (ft - fi);
        profile[i] = static_cast<int>(
            255.0f * (0.12f + tone.figure * strength * late * 0.8f + 0.2f * fibre));
    }

    std::array<QRgb, 256> palette;
    for (int k = 0; k < 256; ++k) {
        const float a = k / 255.0f;
        auto channel = [a](int from, int to) { return static_cast<int>(from + (to - from) * a); };
        palette[k] = qRgb(channel(qRed(tone.light), qRed(tone.dark)),
                          channel(qGreen(tone.light), qGreen(tone.dark)),
                          channel(qBlue(tone.light), qBlue(tone.dark)));
    }

    auto paint = [&]<bool kAlongX>() {
        const int width = area.width();
        for (int y = 0; y < area.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(area.top() + y)) + area.left();
            for (int x = 0; x < width; ++x) {
                if (!where(x, y)) {
                    continue;
                }
                const int u = kAlongX ? x : y;
                const int v = kAlongX ? y : x;
                const int index = std::clamp(
                    static_cast<int>((v + kMargin + shift[u] + bend[u] * wave[v]) * 4.0f), 0,
                    samples - 1);
                std::uint32_t h = (static_cast<std::uint32_t>(x) * 0x9e3779b1u) ^
                                  (static_cast<std::uint32_t>(y) * 0x85ebca77u) ^ seed;
                h *= 0xc2b2ae3du;
                int k = profile[index] + tint[u] + (static_cast<int>(h >> 27) - 16) * 13 / 16;
                // Pores: short dark dashes along the grain.
                std::uint32_t pore = (static_cast<std::uint32_t>(u / 5) * 0x27d4eb2fu) ^
                                     (static_cast<std::uint32_t>(index / 3) * 0x165667b1u) ^ seed;
                pore *= 0x9e3779b1u;
                if ((pore >> 24) < 4) {
                    k += 41;
                }
                line[x] = palette[std::clamp(k, 0, 255)];
            }
        }
    };
    if (grainAlongX) {
        paint.template operator()<true>();
    } else {
        paint.template operator()<false>();
    }
}

// a + (b - a) t, channel by channel; t in 0..1.
inline QRgb Mixed(QRgb a, QRgb b, float t) {
    const int w = static_cast<int>(t * 256.0f);
    auto channel = [w](int x, int y) { return x + (((y - x) * w) >> 8); };
    return qRgba(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)),
                 channel(qBlue(a), qBlue(b)), channel(qAlpha(a), qAlpha(b)));
}

// Light falls from the top left. light > 0 brightens towards a warm white, light < 0 darkens
// towards a brown black; 1 reaches them.
inline QRgb Shade(QRgb color, float light) {
    static constexpr QRgb kLightTint = qRgb(255, 246, 225);
    static constexpr QRgb kDarkTint = qRgb(20, 8, 0);
    if (light == 0) {
        return color;
    }
    if (light > 0) {
        return Mixed(color, kLightTint, std::min(light, 1.0f));
    }
    return Mixed(color, kDarkTint, std::min(-light, 1.0f));
}

// The light on pixel (x, y) from the edges of a w x h box: a raised edge is light at the top
// and left and dark at the bottom and right, a sunken edge the other way round. Each band is
// width pixels wide, mitred at the corners, and fades to a fifth inwards.
inline float BevelAt(int x, int y, int w, int h, float width, float light, float dark,
                     bool sunken) {
    const float left = x + 0.5f;
    const float top = y + 0.5f;
    const float right = w - left;
    const float bottom = h - top;
    const float nearest = std::min({left, top, right, bottom});
    if (nearest >= width) {
        return 0;
    }
    const float fade = 1.0f - 0.8f * (nearest / width);
    const bool topLeft = nearest == top || nearest == left;
    if (topLeft != sunken) {
        return light * fade;
    }
    return -dark * fade;
}

// Replaces every pixel of image by pixel(x, y, old value).
void ChangePixels(QImage& image, auto pixel) {
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            line[x] = pixel(x, y, line[x]);
        }
    }
}

struct Vec {
    float x;
    float y;
};

Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
inline float Length(Vec a) {
    return std::sqrt(a.x * a.x + a.y * a.y);
}

// Signed distances, negative inside: a segment a-b thickened by r, a box with corners rounded
// by r, a polygon.
inline float Capsule(Vec p, Vec a, Vec b, float r) {
    const Vec pa = p - a;
    const Vec ba = b - a;
    const float h =
        std::clamp((pa.x * ba.x + pa.y * ba.y) / (ba.x * ba.x + ba.y * ba.y), 0.0f, 1.0f);
    return Length(pa - Vec{ba.x * h, ba.y * h}) - r;
}

inline float RoundedBox(Vec p, Vec topLeft, Vec bottomRight, float r) {
    const Vec half{(bottomRight.x - topLeft.x) / 2, (bottomRight.y - topLeft.y) / 2};
    const float qx = std::abs(p.x - topLeft.x - half.x) - (half.x - r);
    const float qy = std::abs(p.y - topLeft.y - half.y) - (half.y - r);
    return Length({std::max(qx, 0.0f), std::max(qy, 0.0f)}) + std::min(std::max(qx, qy), 0.0f) - r;
}

float Polygon(Vec p, std::span<const Vec> v) {
    float d = (p.x - v[0].x) * (p.x - v[0].x) + (p.y - v[0].y) * (p.y - v[0].y);
    float sign = 1;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
        const Vec e = v[j] - v[i];
        const Vec w = p - v[i];
        const float h = std::clamp((w.x * e.x + w.y * e.y) / (e.x * e.x + e.y * e.y), 0.0f, 1.0f);
        const Vec b{w.x - e.x * h, w.y - e.y * h};
        d = std::min(d, b.x * b.x + b.y * b.y);
        const bool c1 = p.y >= v[i].y;
        const bool c2 = p.y < v[j].y;
        const bool c3 = e.x * w.y > e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) {
            sign = -sign;
        }
    }
    return sign * std::sqrt(d);
}

// How much of the pixel whose centre lies at distance d a shape covers.
inline float Cover(float d) {
    return std::clamp(0.5f - d, 0.0f, 1.0f);
}

struct KnobColours {
    QRgb light;
    QRgb base;
    QRgb shadow;
    QRgb rim;
};

constexpr KnobColours kBlackKnob{qRgb(124, 124, 134), qRgb(34, 34, 38), qRgb(6, 6, 8),
                                 qRgb(0, 0, 0)};
constexpr KnobColours kYellowKnob{qRgb(255, 248, 180), qRgb(240, 186, 24), qRgb(150, 98, 0),
                                  qRgb(96, 60, 0)};
constexpr KnobColours kRedKnob{qRgb(255, 156, 136), qRgb(208, 34, 26), qRgb(106, 8, 6),
                               qRgb(66, 4, 2)};

// A glossy knob of radius r set into a turned recess; d is the pixel centre's offset from the
// knob's centre.
QRgb Knob(QRgb under, Vec d, float r, const KnobColours& colours) {
    if (std::abs(d.x) > r + 4.5f || std::abs(d.y) > r + 4.5f) {
        return under;
    }
    const float distance = Length(d);
    QRgb color =
        Shade(under, -0.43f * std::clamp((r + 4 - distance) / (0.3f * (r + 4)), 0.0f, 1.0f));
    color = Shade(color, -0.27f * Cover(Length(d - Vec{1.6f, 2.0f}) - r - 0.8f));
    const float cover = Cover(distance - r);
    if (cover <= 0) {
        return color;
    }
    const float t = Length(d + Vec{0.4f * r, 0.45f * r}) / (1.45f * r);
    QRgb body = t < 0.45f
                    ? Mixed(colours.light, colours.base, t / 0.45f)
                    : Mixed(colours.base, colours.shadow, std::min((t - 0.45f) / 0.55f, 1.0f));
    const float ex = (d.x + 0.35f * r) / (0.45f * r);
    const float ey = (d.y + 0.42f * r) / (0.32f * r);
    const float shine = 1 - (ex * ex + ey * ey);
    if (shine > 0) {
        body = Mixed(body, qRgb(255, 255, 255), 0.75f * shine);
    }
    body = Mixed(body, colours.rim, 0.9f * std::clamp(distance - r + 1.5f, 0.0f, 1.0f));
    return Mixed(color, body, cover);
}

// A beech block with rounded corners, chamfered edges and a dark rim, so that two pieces side
// by side stay apart; the knob in the middle.
QImage DrawPiece(QSize pictureSize, float knobRadius, const KnobColours& knob, std::uint32_t seed) {
    constexpr QRgb kRim = qRgb(48, 24, 8);
    const int width = pictureSize.width();
    const int height = pictureSize.height();
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    PaintWood(image, image.rect(), width >= height, kPieceWood, seed, kEverywhere);
    const Vec centre{width / 2.0f, height / 2.0f};
    const Vec size{static_cast<float>(width), static_cast<float>(height)};
    ChangePixels(image, [&](int x, int y, QRgb wood) -> QRgb {
        const Vec p{x + 0.5f, y + 0.5f};
        const float distance = RoundedBox(p, {0, 0}, size, 3.5f);
        const float cover = Cover(distance);
        if (cover <= 0) {
            return 0;
        }
        const float diagonal = p.x / width + p.y / height;  // 0..2
        float light = diagonal < 1 ? 0.16f * (1 - diagonal) : -0.18f * (diagonal - 1);
        light += BevelAt(x, y, width, height, 4.5f, 0.59f, 0.55f, false);
        if ((y == 1 && x >= 4 && x < width - 4) || (x == 1 && y >= 4 && y < height - 4)) {
            light += 0.45f;
        }
        QRgb color =
            Mixed(Shade(wood, light), kRim, 0.92f * std::clamp(1.7f + distance, 0.0f, 1.0f));
        color = Knob(color, p - centre, knobRadius, knob);
        if (cover < 1) {
            const int a = static_cast<int>(cover * 255.0f);
            color =
                qRgba(qRed(color) * a / 255, qGreen(color) * a / 255, qBlue(color) * a / 255, a);
        }
        return color;
    });
    return image;
}

// The tray: four mitred walnut boards round a recessed floor with engraved cell lines.
QImage DrawTable() {
    constexpr int w = kTrayWidthPixels;
    constexpr int h = kTrayHeightPixels;
    constexpr int f = kFramePixels;
    QImage image(w, h, QImage::Format_RGB32);
    PaintWood(image, QRect(f, f, w - 2 * f, h - 2 * f), false, kFloorWood, 31, kEverywhere);
    // Side boards first; the top and bottom boards then take their half of each mitre.
    PaintWood(image, QRect(0, 0, f, h), false, kFrameWood, 11, kEverywhere);
    PaintWood(image, QRect(w - f, 0, f, h), false, kFrameWood, 12, kEverywhere);
    PaintWood(image, QRect(0, 0, w, f), true, kFrameWood, 7,
              [](int x, int y) { return y <= x && y <= w - 1 - x; });
    PaintWood(image, QRect(0, h - f, w, f), true, kFrameWood, 8,
              [](int x, int y) { return f - 1 - y <= x && f - 1 - y <= w - 1 - x; });

    ChangePixels(image, [](int x, int y, QRgb wood) -> QRgb {
        const int fx = x - f;
        const int fy = y - f;
        if (fx >= 0 && fy >= 0 && fx < w - 2 * f && fy < h - 2 * f) {
            // The frame's shadow on the floor, strongest under the top board.
            float light = 0;
            if (fy < 9) {
                light -= 0.59f * (1 - (fy + 0.5f) / 9);
            }
            if (fx < 7) {
                light -= 0.47f * (1 - (fx + 0.5f) / 7);
            }
            if (fx % kCellPixels == kCellPixels - 1 || fy % kCellPixels == kCellPixels - 1) {
                light -= 0.24f;
            } else if ((fx % kCellPixels == 0 && fx > 0) || (fy % kCellPixels == 0 && fy > 0)) {
                light += 0.09f;
            }
            return Shade(wood, light);
        }
        const int left = x;
        const int top = y;
        const int right = w - 1 - x;
        const int bottom = h - 1 - y;
        const int nearest = std::min({left, top, right, bottom});
        float light = BevelAt(x, y, w, h, 4, 0.47f, 0.59f, false);
        if (nearest >= f - 3) {
            // The chamfer down to the floor faces away from the light at the top and left.
            light += BevelAt(x - (f - 3), y - (f - 3), w - 2 * f + 6, h - 2 * f + 6, 3, 0.27f,
                             0.67f, true);
        }
        if (nearest == 0) {
            light = -0.86f;
        } else if (nearest == f - 1) {
            light = -0.63f;
        } else if (std::min(left, right) == std::min(top, bottom)) {
            light -= 0.5f;  // the mitre joint
        }
        return Shade(wood, light);
    });
    return image;
}

constexpr std::array<Vec, 7> kArrowRight{
    {{77, 37}, {129, 37}, {129, 27}, {155, 43}, {129, 59}, {129, 49}, {77, 49}}};
constexpr QRect kSignArea(64, 18, 102, 52);  // between the slots, with room for the shadow

// A sign's signed distance at each pixel centre of kSignArea.
class SignField {
  public:
    explicit SignField(auto distance) : d_(kSignArea.width() * kSignArea.height()) {
        for (int y = 0; y < kSignArea.height(); ++y) {
            for (int x = 0; x < kSignArea.width(); ++x) {
                d_[y * kSignArea.width() + x] =
                    distance(Vec{kSignArea.left() + x + 0.5f, kSignArea.top() + y + 0.5f});
            }
        }
    }

    SignField Mirrored() const {
        SignField mirrored = *this;
        for (int y = 0; y < kSignArea.height(); ++y) {
            std::reverse(mirrored.d_.begin() + y * kSignArea.width(),
                         mirrored.d_.begin() + (y + 1) * kSignArea.width());
        }
        return mirrored;
    }

    // x, y in the strip; 100, far from any sign, outside the area.
    float At(int x, int y) const {
        x -= kSignArea.left();
        y -= kSignArea.top();
        if (x < 0 || y < 0 || x >= kSignArea.width() || y >= kSignArea.height()) {
            return 100;
        }
        return d_[y * kSignArea.width() + x];
    }

  private:
    std::vector<float> d_;
};

// A sign inlaid in the strip: a soft shadow, a vertical gradient with a highlight along its
// upper left edge, a dark rim.
QPixmap DrawStrip(QImage image, const SignField& sign, QRgb top, QRgb bottom, QRgb rim) {
    for (int y = kSignArea.top(); y <= kSignArea.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = kSignArea.left(); x <= kSignArea.right(); ++x) {
            const float d = sign.At(x, y);
            const float shadow = sign.At(x - 2, y - 2);
            if (d > 1 && shadow > 1.5f) {
                continue;
            }
            QRgb color = Shade(line[x], -0.5f * std::clamp((1.5f - shadow) / 3.0f, 0.0f, 1.0f));
            const float cover = Cover(d);
            if (cover > 0) {
                // The signs reach from about row 24 to row 62.
                QRgb fill = Mixed(top, bottom, std::clamp((y - 24) / 38.0f, 0.0f, 1.0f));
                const float inner = std::clamp(-d - 0.6f, 0.0f, 1.0f);
                fill = Mixed(fill, qRgb(255, 255, 245),
                             0.6f * inner * std::clamp(sign.At(x - 1, y - 1) + 0.6f, 0.0f, 1.0f));
                fill = Shade(fill,
                             -0.3f * inner * std::clamp(sign.At(x + 1, y + 1) + 0.6f, 0.0f, 1.0f));
                fill = Mixed(fill, rim, 0.9f * std::clamp(d + 1.6f, 0.0f, 1.0f));
                color = Mixed(color, fill, cover);
            }
            line[x] = color;
        }
    }
    return QPixmap::fromImage(std::move(image));
}

// The strip under the tray: a walnut board with two recessed slots for the thumbnails.
QImage DrawStripBase() {
    QImage image(kTrayWidthPixels, kStripHeightPixels, QImage::Format_RGB32);
    PaintWood(image, image.rect(), true, kFrameWood, 19, kEverywhere);
    ChangePixels(image, [](int x, int y, QRgb wood) -> QRgb {
        if (x == 0 || y == 0 || x == kTrayWidthPixels - 1 || y == kStripHeightPixels - 1) {
            return Shade(wood, -0.86f);
        }
        for (QPoint slot : {kStartSlot, kFinishSlot}) {
            const int sx = x - slot.x() + 2;
            const int sy = y - slot.y() + 2;
            if (sx >= 0 && sy >= 0 && sx < kThumbWidthPixels + 4 && sy < kThumbHeightPixels + 4) {
                return Shade(qRgb(44, 26, 12),
                             BevelAt(sx, sy, kThumbWidthPixels + 4, kThumbHeightPixels + 4, 2,
                                     0.35f, 0.67f, true));
            }
        }
        return Shade(wood,
                     BevelAt(x, y, kTrayWidthPixels, kStripHeightPixels, 4, 0.47f, 0.59f, false));
    });
    return image;
}

// Miniature colours: an empty cell shows the dark floor, a cell that does not matter a lighter
// hatched floor; the pieces' knobs are dots.
constexpr QRgb kMiniFloor = qRgb(58, 36, 20);
constexpr QRgb kMiniAnyBack = qRgb(112, 86, 62);
constexpr QRgb kMiniAnyLine = qRgb(160, 132, 100);
constexpr QRgb kMiniBlackKnob = qRgb(20, 20, 24);
constexpr QRgb kMiniYellowKnob = qRgb(236, 184, 20);
constexpr QRgb kMiniRedKnob = qRgb(214, 34, 26);

// The piece whose anchor code is anchor in miniature, cell pixels to a cell: a flat beech block
// with a dark rim and a dot of radius pixels in its knob's colour.
QPixmap DrawMiniPiece(game::Cell anchor, int cell, QRgb knob, float radius) {
    const QSize size = PieceSize(anchor, cell);
    const int w = size.width();
    const int h = size.height();
    QImage image(size, QImage::Format_RGB32);
    const QRgb knobRim = qRgb(qRed(knob) / 2, qGreen(knob) / 2, qBlue(knob) / 2);
    ChangePixels(image, [&](int x, int y, QRgb) -> QRgb {
        if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
            return qRgb(50, 26, 10);
        }
        QRgb color = Mixed(qRgb(246, 218, 172), qRgb(206, 156, 100),
                           static_cast<float>(x + y) / (w + h - 4));
        if (x == 1 || y == 1) {
            color = Shade(color, 0.45f);
        } else if (x == w - 2 || y == h - 2) {
            color = Shade(color, -0.22f);
        }
        const float d = Length({x + 0.5f - w / 2.0f, y + 0.5f - h / 2.0f});
        const float cover = Cover(d - radius);
        if (cover > 0) {
            const QRgb dot = Mixed(knob, knobRim, std::clamp(d - radius + 1.2f, 0.0f, 1.0f));
            color = Mixed(color, dot, cover);
        }
        return color;
    });
    // Kept as drawn, so that painting it on a miniature copies its pixels.
    return QPixmap::fromImage(std::move(image), Qt::NoFormatConversion);
}

// A walnut tray in miniature, w x h with a frame of frame pixels, its floor empty.
QImage DrawMiniTray(int w, int h, int frame) {
    QImage tray(w, h, QImage::Format_RGB32);
    ChangePixels(tray, [&](int x, int y, QRgb) -> QRgb {
        if (x >= frame && y >= frame && x < w - frame && y < h - frame) {
            return kMiniFloor;
        }
        const std::uint32_t grain =
            Mix(static_cast<std::uint32_t>(x < frame || x >= w - frame ? x : y) * 97u);
        const QRgb wood = qRgb(116 + static_cast<int>(grain % 12), 70 + static_cast<int>(grain % 7),
                               36 + static_cast<int>(grain % 5));
        if (frame >= 2 && x >= frame - 1 && y >= frame - 1 && x <= w - frame && y <= h - frame) {
            return Shade(wood, BevelAt(x - frame + 1, y - frame + 1, w - 2 * frame + 2,
                                       h - 2 * frame + 2, 1, 0.35f, 0.78f, true));
        }
        return Shade(wood, BevelAt(x, y, w, h, 1, 0.59f, 0.67f, false));
    });
    return tray;
}

// Boards in miniature: a walnut tray with a frame of frame pixels round cells of cell pixels.
class MiniBoards {
  public:
    MiniBoards(int cell, int frame)
        : grid_{{frame, frame}, cell},
          pieces_{DrawMiniPiece(game::CellBig, cell, kMiniBlackKnob, 0.33f * cell),
                  DrawMiniPiece(game::CellHor, cell, kMiniYellowKnob, 0.23f * cell),
                  DrawMiniPiece(game::CellVer, cell, kMiniYellowKnob, 0.23f * cell),
                  DrawMiniPiece(game::CellSmall, cell, kMiniRedKnob, 0.23f * cell)},
          tray_(DrawMiniTray(game::BoardWidthPixels(frame, cell),
                             game::BoardHeightPixels(frame, cell), frame)) {}

    QImage Draw(const game::Board& board) const {
        QImage image = tray_.copy();
        for (int column = 1; column <= game::kColumns; ++column) {
            for (int row = 1; row <= game::kRows; ++row) {
                if (board(column, row) != game::CellAny) {
                    continue;
                }
                // Hatching that runs on from cell to cell.
                const QPoint place = CellTopLeft(column, row, grid_);
                for (int y = place.y(); y < place.y() + grid_.cell; ++y) {
                    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                    for (int x = place.x(); x < place.x() + grid_.cell; ++x) {
                        line[x] = (x + y) % 5 == 0 ? kMiniAnyLine : kMiniAnyBack;
                    }
                }
            }
        }
        QPainter painter(&image);
        PaintPieces(painter, board, pieces_, grid_);
        painter.end();
        return image;
    }

  private:
    CellGrid grid_;
    PiecePictures pieces_;
    QImage tray_;
};

struct Segment {
    Vec from;
    Vec to;
};

// A hand cursor: white with a one-pixel black outline, black creases, transparent round about.
// hand is the signed distance of its outline.
QCursor DrawCursor(auto hand, std::span<const Segment> creases, QPoint hotSpot) {
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    ChangePixels(image, [&](int x, int y, QRgb) -> QRgb {
        const Vec p{x + 0.5f, y + 0.5f};
        const float d = hand(p);
        const float cover = Cover(d);
        if (cover <= 0) {
            return 0;
        }
        float ink = std::clamp(d + 1.5f, 0.0f, 1.0f);
        for (const Segment& crease : creases) {
            ink = std::max(ink,
                           std::clamp(1.15f - Capsule(p, crease.from, crease.to, 0), 0.0f, 1.0f));
        }
        const int a = static_cast<int>(cover * 255.0f);
        const int v = static_cast<int>((1 - ink) * a);
        return qRgba(v, v, v, a);
    });
    return QCursor(QPixmap::fromImage(std::move(image)), hotSpot.x(), hotSpot.y());
}

// Index finger up, its tip on the hot spot (12, 1). Straight edges lie on pixel borders, so
// that the outline stays one sharp pixel wide.
QCursor DrawHandPoint() {
    auto hand = [](Vec p) {
        return std::min(
            {Capsule(p, {12, 4}, {12, 18}, 3), Capsule(p, {17.5f, 12.5f}, {17.5f, 19}, 2.5f),
             Capsule(p, {22, 13}, {22, 19}, 2), Capsule(p, {26, 15}, {26, 20}, 2),
             RoundedBox(p, {9, 15}, {28, 28}, 3), Capsule(p, {6, 16.5f}, {11, 22.5f}, 2.5f),
             RoundedBox(p, {12, 25}, {25, 31}, 0.5f)});
    };
    static constexpr Segment kCreases[] = {{{14.5f, 11}, {14.5f, 19}},
                                           {{19.5f, 12}, {19.5f, 19}},
                                           {{23.5f, 14}, {23.5f, 19.5f}},
                                           {{9.5f, 20.5f}, {12, 24}},
                                           {{12, 27.5f}, {25, 27.5f}}};
    return DrawCursor(hand, kCreases, QPoint(12, 1));
}

// A closed hand seen from the back, the hot spot (16, 14) in its middle.
QCursor DrawHandMove() {
    auto hand = [](Vec p) {
        return std::min(
            {Capsule(p, {10, 10}, {10, 14}, 2), Capsule(p, {14.5f, 9.5f}, {14.5f, 14}, 2.5f),
             Capsule(p, {19.5f, 9.5f}, {19.5f, 14}, 2.5f), Capsule(p, {24, 11}, {24, 14}, 2),
             RoundedBox(p, {8, 11}, {26, 27}, 3.5f), Capsule(p, {6, 15}, {10.5f, 20.5f}, 2.5f),
             RoundedBox(p, {11, 25}, {23, 31}, 0.5f)});
    };
    // Creases between the knuckles, the curled finger tips, the thumb laid along the side, the
    // cuff.
    static constexpr Segment kCreases[] = {
        {{11.5f, 10}, {11.5f, 13}},    {{16.5f, 9}, {16.5f, 13}},     {{21.5f, 10}, {21.5f, 13}},
        {{9, 15.5f}, {10.5f, 15.5f}},  {{13, 15.5f}, {15.5f, 15.5f}}, {{18, 15.5f}, {20.5f, 15.5f}},
        {{23, 15.5f}, {24.5f, 15.5f}}, {{8.5f, 18.5f}, {12, 22.5f}},  {{11, 27.5f}, {23, 27.5f}}};
    return DrawCursor(hand, kCreases, QPoint(16, 14));
}

// An opaque picture in the middle of a transparent size x size square, shrunk by area
// averaging when it is larger.
QPixmap IconImage(const QImage& source, int size) {
    const int longer = std::max(source.width(), source.height());
    const int w = longer > size ? std::max(1, source.width() * size / longer) : source.width();
    const int h = longer > size ? std::max(1, source.height() * size / longer) : source.height();
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    for (int y = 0; y < h; ++y) {
        const int y0 = y * source.height() / h;
        const int y1 = std::max(y0 + 1, (y + 1) * source.height() / h);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y + (size - h) / 2)) + (size - w) / 2;
        for (int x = 0; x < w; ++x) {
            const int x0 = x * source.width() / w;
            const int x1 = std::max(x0 + 1, (x + 1) * source.width() / w);
            int sum[3] = {0, 0, 0};
            for (int sy = y0; sy < y1; ++sy) {
                const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
                for (int sx = x0; sx < x1; ++sx) {
                    sum[0] += qRed(from[sx]);
                    sum[1] += qGreen(from[sx]);
                    sum[2] += qBlue(from[sx]);
                }
            }
            const int count = (y1 - y0) * (x1 - x0);
            line[x] = qRgb(sum[0] / count, sum[1] / count, sum[2] / count);
        }
    }
    return QPixmap::fromImage(std::move(image));
}

// The classic start in miniature, drawn afresh for each size so that it stays sharp; at 16 px
// only the big piece in a square tray.
QIcon DrawProgramIcon() {
    const game::Board& start = game::GetGameLayout(game::ClassicGame).start;
    QIcon icon;
    icon.addPixmap(IconImage(MiniBoards(11, 3).Draw(start), 64));
    icon.addPixmap(IconImage(MiniBoards(8, 3).Draw(start), 48));
    icon.addPixmap(IconImage(MiniBoards(6, 1).Draw(start), 32));
    game::Board bigAlone{};
    game::PutPiece(bigAlone, *game::PieceOf(game::CellBig), 1, 1);
    PiecePictures bigOnly;
    bigOnly.Big = DrawMiniPiece(game::CellBig, 5, kMiniBlackKnob, 2.0f);
    QImage small = DrawMiniTray(16, 16, 2);
    QPainter painter(&small);
    PaintPieces(painter, bigAlone, bigOnly, {{3, 3}, 5});
    painter.end();
    icon.addPixmap(IconImage(small, 16));
    return icon;
}

}  // namespace

Artwork DrawArtwork() {
    Artwork art;
    art.Table = QPixmap::fromImage(DrawTable());
    auto piece = [](game::Cell anchor, float knobRadius, const KnobColours& knob,
                    std::uint32_t seed) {
        return QPixmap::fromImage(
            DrawPiece(PieceSize(anchor, kCellPixels), knobRadius, knob, seed));
    };
    art.PawnBig = piece(game::CellBig, 15, kBlackKnob, 101);
    art.PawnHor = piece(game::CellHor, 10, kYellowKnob, 202);
    art.PawnVer = piece(game::CellVer, 10, kYellowKnob, 303);
    art.PawnSmall = piece(game::CellSmall, 9.5f, kRedKnob, 404);

    QImage strip = DrawStripBase();
    constexpr QRgb kBrassTop = qRgb(255, 230, 140);
    constexpr QRgb kBrassBottom = qRgb(180, 122, 30);
    constexpr QRgb kBrassRim = qRgb(84, 52, 12);
    const SignField arrow([](Vec p) { return Polygon(p, kArrowRight); });
    const SignField tick([](Vec p) {
        return std::min(Capsule(p, {94, 45}, {108, 59}, 5.5f),
                        Capsule(p, {108, 59}, {138, 26}, 5.5f));
    });
    art.ExtraArrow = DrawStrip(strip, arrow, kBrassTop, kBrassBottom, kBrassRim);
    art.ExtraArrowBack = DrawStrip(strip, arrow.Mirrored(), kBrassTop, kBrassBottom, kBrassRim);
    art.ExtraTick =
        DrawStrip(std::move(strip), tick, qRgb(150, 235, 110), qRgb(30, 130, 40), qRgb(12, 60, 16));

    const MiniBoards thumbnails(game::kThumbCellPixels, game::kThumbFramePixels);
    for (int i = 0; i < game::kGameCount; ++i) {
        art.Start[i] = QPixmap::fromImage(thumbnails.Draw(game::GetGameLayout(i).start));
        art.Finish[i] = QPixmap::fromImage(thumbnails.Draw(game::GetGameLayout(i).goal));
    }
    art.HandPoint = DrawHandPoint();
    art.HandMove = DrawHandMove();
    art.ProgramIcon = DrawProgramIcon();
    return art;
}

}  // namespace resources
