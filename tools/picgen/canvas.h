// Drawing helpers shared by the picture generator's scenes: supersampled rendering, soft
// (blurred) layers, metal shading, film grain and the file writers.
#pragma once

#include <QColor>
#include <QGradient>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QTransform>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>

namespace picgen {

// A small deterministic generator (splitmix64), so every run draws the same pictures.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    double uniform(); // [0, 1)
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    double gauss(); // roughly normal, mean 0, deviation 1

  private:
    std::uint64_t state_;
};

QColor mix(const QColor& a, const QColor& b, double t);
QColor shade(const QColor& c, double factor); // factor < 1 darkens, > 1 lightens

using Stops = std::initializer_list<std::pair<double, QColor>>;
void setStops(QGradient& g, Stops stops);

// Shading across a cylinder (or a rounded edge) from one silhouette edge to the other, as a
// polished or painted surface reflects a studio: a bright soft box near the lit edge, the
// environment's colour in the middle, a faint bounce at the far edge.
enum class Finish { Chrome, BlackMetal, Brass, BlackEnamel };
void setMetalStops(QGradient& g, Finish finish, const QColor& environment);

// Fits a logical scene box into a device rectangle, centred, keeping its aspect.
QTransform fitTransform(const QSizeF& device, const QSizeF& scene);

// Three box passes approximate a gaussian blur; works on premultiplied ARGB.
void blur(QImage& image, double radius);

// Draws into a transparent layer of the painter's device size with the painter's current
// transform, blurs it by `radius` scene units and composites it with the given opacity.
void drawSoft(QPainter& p, double radius, const std::function<void(QPainter&)>& draw,
              double opacity = 1.0,
              QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver);

// A supersampled drawing surface: scenes draw at `factor` times the output size and the
// result is reduced with area averaging, which gives clean antialiased detail.
class Surface {
  public:
    Surface(QSize out, int factor, const QSizeF& scene);
    QImage& image() { return big_; }
    QSize deviceSize() const { return big_.size(); }
    QTransform sceneTransform() const { return scene_; }
    QImage result() const; // RGB32 at the output size

  private:
    QSize out_;
    QImage big_;
    QTransform scene_;
};

// Photographic grain: luminance noise that fades out in the deepest shadows, so a black
// ground stays black.
void addGrain(QImage& image, double amount, std::uint64_t seed);

// Darkens the corners the way a lens does.
void vignette(QImage& image, double strength);

bool writeBmp24(const QImage& image, const QString& path);
bool writeJpeg(const QImage& image, const QString& path, int quality);

} // namespace picgen
