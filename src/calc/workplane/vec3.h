#pragma once

#include <cmath>

namespace kandelor::workplane {

// A point or direction in the room, in feet: x along the length, y across, z up from
// the floor.
struct Vec3 {
  double x = 0;
  double y = 0;
  double z = 0;

  friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
  friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
  friend Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
  double operator[](int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }
  double& operator[](int axis) { return axis == 0 ? x : axis == 1 ? y : z; }
};

inline double dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

}  // namespace kandelor::workplane
