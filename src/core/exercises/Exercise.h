#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace rp {

// What an exercise works on; an eye break takes eye exercises only.
enum class ExerciseKind { Eyes, NeckShoulders, HandsWrists, BackLegs, Breathing };

// One stroke of a line drawing in a 100 by 100 box, y growing downwards, so that the windows
// can draw it crisp at any size. Angles in degrees, counter-clockwise from three o'clock.
struct Stroke {
  enum class Shape : std::uint8_t { Line, Circle, Disc, Arc };
  Shape shape;
  std::int16_t a, b, c, d, e;  // Line: x1 y1 x2 y2; Circle, Disc: x y radius; Arc: x y radius start sweep
  bool operator==(const Stroke&) const = default;
};

constexpr Stroke Line(int x1, int y1, int x2, int y2) {
  return {Stroke::Shape::Line, std::int16_t(x1), std::int16_t(y1), std::int16_t(x2), std::int16_t(y2), 0};
}
constexpr Stroke Circle(int x, int y, int r) { return {Stroke::Shape::Circle, std::int16_t(x), std::int16_t(y), std::int16_t(r), 0, 0}; }
constexpr Stroke Disc(int x, int y, int r) { return {Stroke::Shape::Disc, std::int16_t(x), std::int16_t(y), std::int16_t(r), 0, 0}; }
constexpr Stroke Arc(int x, int y, int r, int start, int sweep) {
  return {Stroke::Shape::Arc, std::int16_t(x), std::int16_t(y), std::int16_t(r), std::int16_t(start), std::int16_t(sweep)};
}

inline constexpr int kMaxSteps = 3;

// One exercise: its title, one to three short steps, how long it takes, and its picture: the
// built-in ones a drawing, the user's own a picture file (or none). The built-in texts are in
// English and translated where shown; the user's are shown as written.
struct Exercise {
  ExerciseKind kind = ExerciseKind::BackLegs;
  std::string title;
  std::vector<std::string> steps;
  int seconds = 30;
  std::span<const Stroke> drawing;
  std::string pictureFile;  // the user's own, as a full path; empty: none
  bool builtIn = false;
  bool pacer = false;  // the breathing pacer: its drawing grows and shrinks with the breath
};

}  // namespace rp
