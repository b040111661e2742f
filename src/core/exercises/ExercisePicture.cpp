#include "exercises/ExercisePicture.h"

#include <algorithm>

#include "runtime/Translation.h"

namespace rp {
namespace {

// The smallest the pacer's circle gets, as a share of its largest.
constexpr double kSmallestBreath = 0.3;

DrawnShape Shape(DrawnShape::Kind kind, TwipsRect rect) {
  DrawnShape shape;
  shape.kind = kind;
  shape.rect = rect;
  return shape;
}

DrawnShape Round(DrawnShape::Kind kind, int x, int y, int r) { return Shape(kind, {x - r, y - r, 2 * r, 2 * r}); }

}  // namespace

std::vector<DrawnShape> ExercisePicture(const Exercise& exercise, int side, double breath) {
  if (!exercise.pictureFile.empty()) {
    DrawnShape image = Shape(DrawnShape::Kind::Image, {0, 0, side, side});
    image.text = exercise.pictureFile;
    return {image};
  }
  const auto at = [side](int units) { return units * side / 100; };
  const int pen = std::max(side / 40, 1);
  std::vector<DrawnShape> shapes;
  for (const Stroke& s : exercise.drawing) {
    DrawnShape shape;
    switch (s.shape) {
      case Stroke::Shape::Line:
        shape = Shape(DrawnShape::Kind::Stroke, {at(s.a), at(s.b), at(s.c) - at(s.a), at(s.d) - at(s.b)});
        break;
      case Stroke::Shape::Circle:
      case Stroke::Shape::Disc: {
        const bool disc = s.shape == Stroke::Shape::Disc;
        const double size = exercise.pacer ? kSmallestBreath + (1 - kSmallestBreath) * std::clamp(breath, 0.0, 1.0) : 1;
        if (exercise.pacer) shapes.push_back(Round(DrawnShape::Kind::Ellipse, at(s.a), at(s.b), at(s.c)));
        shape = Round(disc || exercise.pacer ? DrawnShape::Kind::Disc : DrawnShape::Kind::Ellipse, at(s.a), at(s.b),
                      static_cast<int>(at(s.c) * size));
        break;
      }
      case Stroke::Shape::Arc:
        shape = Round(DrawnShape::Kind::Arc, at(s.a), at(s.b), at(s.c));
        shape.start = s.d;
        shape.sweep = s.e;
        break;
    }
    shape.pen = pen;
    shapes.push_back(shape);
  }
  return shapes;
}

std::string ExerciseStepsText(const Exercise& exercise) {
  std::string text;
  for (const std::string& step : exercise.steps) text += (text.empty() ? "" : "\n") + (exercise.builtIn ? Tr(step) : step);
  return text;
}

}  // namespace rp
