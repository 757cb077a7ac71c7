#include "calc/workplane/radiosity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>

#include "calc/workplane/fast_atan.h"
#include "calc/workplane/gauss_legendre.h"
#include "calc/workplane/offset_sum.h"

namespace kandelor::workplane {

namespace {

int normalAxis(const AxisRect& r) {
  return 3 - r.axis1 - r.axis2;
}

Vec3 normalOf(const AxisRect& r) {
  Vec3 n;
  const bool cyclic = (r.axis1 + 1) % 3 == r.axis2;
  n[normalAxis(r)] = cyclic ? 1 : -1;
  return n;
}

// The distance from `point` to the nearest point of the rectangle.
double distanceTo(const AxisRect& r, Vec3 point) {
  Vec3 nearest = point;
  nearest[normalAxis(r)] = r.origin[normalAxis(r)];
  nearest[r.axis1] = std::clamp(point[r.axis1], r.origin[r.axis1], r.origin[r.axis1] + r.length1);
  nearest[r.axis2] = std::clamp(point[r.axis2], r.origin[r.axis2], r.origin[r.axis2] + r.length2);
  const Vec3 d = point - nearest;
  return std::sqrt(dot(d, d));
}

// How finely a patch's mean irradiance is integrated: Gauss-Legendre points per side,
// `perRadian` for each radian the patch spans seen from the source plus `added`, and
// never fewer than `fewest`. The patches' rule keeps each patch within 1e-4 of its exact
// mean, even beside a source; fewer points lose a shipped distribution's sharp cut-offs
// and with them a tenth of a per cent of the room's lumens.
struct Integration {
  double perRadian = 6;
  int added = 1;
  int fewest = 2;
};

// The mean irradiance on a patch from one source: a Gauss-Legendre rule per side with
// more points the larger the patch looks from the source.
double meanIrradiance(const AxisRect& patch, Vec3 normal, const PointSource& source,
                      Integration integration = {}) {
  const double distance = distanceTo(patch, source.position);
  if (distance <= 0) return 0;
  // A source in the patch's plane or behind it lights none of it.
  if (dot(patch.origin - source.position, normal) >= 0) return 0;
  const double size = std::max(patch.length1, patch.length2);
  const int n = std::clamp(
      static_cast<int>(std::ceil(integration.perRadian * size / distance)) + integration.added,
      integration.fewest, kMaxGaussPoints);
  const GaussRule rule = gaussRule(n);
  // The patch's sides as vectors, so that each point is plain arithmetic.
  Vec3 side1, side2;
  side1[patch.axis1] = patch.length1;
  side2[patch.axis2] = patch.length2;
  double sum = 0;
  for (std::size_t a = 0; a < rule.nodes.size(); ++a) {
    const Vec3 row = patch.origin + rule.nodes[a] * side1;
    for (std::size_t b = 0; b < rule.nodes.size(); ++b) {
      sum += rule.weights[a] * rule.weights[b] *
             illuminance(source, row + rule.nodes[b] * side2, normal);
    }
  }
  return sum;
}

// The patches of `g` as receivers, each at its centre.
ReceiverLattice patchCentres(const PatchGrid& g) {
  ReceiverLattice lattice{g.rect.axis1, {}, g.rect.axis2, {}, g.rect.origin[normalAxis(g.rect)]};
  for (int i1 = 0; i1 < g.count1; ++i1) {
    lattice.along1.push_back(g.rect.origin[g.rect.axis1] + (i1 + 0.5) * g.step1());
  }
  for (int i2 = 0; i2 < g.count2; ++i2) {
    lattice.along2.push_back(g.rect.origin[g.rect.axis2] + (i2 + 0.5) * g.step2());
  }
  return lattice;
}

// The mean irradiance from the sources on the patches of `g` whose centres `lattice`
// holds (index i1 * along2.size() + i2), integrated with `integration`.
std::vector<double> directOn(const PatchGrid& g, const ReceiverLattice& lattice,
                             std::span<const PointSource> sources, Integration integration) {
  const Vec3 normal = normalOf(g.rect);
  auto value = [&](const PointSource& source, Vec3 centre) {
    AxisRect patch = g.rect;
    patch.length1 = g.step1();
    patch.length2 = g.step2();
    patch.origin = centre;
    patch.origin[patch.axis1] -= patch.length1 / 2;
    patch.origin[patch.axis2] -= patch.length2 / 2;
    return meanIrradiance(patch, normal, source, integration);
  };
  // Sources in the surface's plane or behind it (the fixtures at the ceiling, seen from
  // the ceiling) light none of it: they are left out rather than found dark patch by patch.
  std::vector<PointSource> facing;
  for (const PointSource& s : sources) {
    if (dot(g.rect.origin - s.position, normal) < 0) facing.push_back(s);
  }
  return sumOverSources(lattice, std::span<const PointSource>(facing), value);
}

// How a pair of surfaces' patches are told apart along one axis of the room. Where both
// surfaces are divided along it in equal steps, only the difference of the patches'
// indices matters: the exchange between patches repeats with their offset.
struct AxisKey {
  int countS = 1;
  int countT = 1;
  bool inS = false;
  bool inT = false;
  bool difference = false;

  int range() const {
    if (inS && inT) return difference ? countS + countT - 1 : countS * countT;
    return inS ? countS : inT ? countT : 1;
  }
  int value(int iS, int iT) const {
    if (inS && inT) return difference ? iT - iS + countS - 1 : iS * countT + iT;
    return inS ? iS : inT ? iT : 0;
  }
  // Indices of one pair of patches with this value.
  std::array<int, 2> example(int value) const {
    if (inS && inT) {
      if (!difference) return {value / countT, value % countT};
      const int offset = value - (countS - 1);
      const int iS = std::max(0, -offset);
      return {iS, iS + offset};
    }
    return inS ? std::array{value, 0} : std::array{0, value};
  }
};

struct AxisOfGrid {
  bool in = false;
  int count = 1;
  double step = 0;
};

AxisOfGrid axisOfGrid(const PatchGrid& g, int axis) {
  if (axis == g.rect.axis1) return {true, g.count1, g.step1()};
  if (axis == g.rect.axis2) return {true, g.count2, g.step2()};
  return {};
}

// Per axis, the patch's index along it.
std::array<int, 3> axisIndices(const PatchGrid& g, int i1, int i2) {
  std::array<int, 3> index{};
  index[static_cast<std::size_t>(g.rect.axis1)] = i1;
  index[static_cast<std::size_t>(g.rect.axis2)] = i2;
  return index;
}

using Matrix = std::vector<float>;

// Fills the exchange areas between the patches of two surfaces into the matrix's rows
// of the first, computing each distinct offset once.
void fillExchange(const PatchGrid& s, const PatchGrid& t, std::size_t n, Matrix& matrix) {
  std::array<AxisKey, 3> keys;
  std::array<int, 3> stride{};
  int size = 1;
  for (int k = 0; k < 3; ++k) {
    const AxisOfGrid as = axisOfGrid(s, k), at = axisOfGrid(t, k);
    AxisKey& key = keys[static_cast<std::size_t>(k)];
    key = {as.count, at.count, as.in, at.in, as.in && at.in && as.step == at.step};
    stride[static_cast<std::size_t>(k)] = size;
    size *= key.range();
  }

  // Where both surfaces have as many patches along an axis, the pair mirrored about the
  // room's centre across it exchanges the same: its offset is the opposite.
  auto mirroredCode = [&](int code) {
    int mirrored = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      const AxisKey& key = keys[k];
      int v = code / stride[k] % key.range();
      if (key.difference && key.countS == key.countT) v = std::min(v, 2 * (key.countS - 1) - v);
      mirrored += v * stride[k];
    }
    return mirrored;
  };
  std::vector<double> table(static_cast<std::size_t>(size));
  for (int code = 0; code < size; ++code) {
    if (const int mirrored = mirroredCode(code); mirrored < code) {
      table[static_cast<std::size_t>(code)] = table[static_cast<std::size_t>(mirrored)];
      continue;
    }
    std::array<int, 3> is{}, it{};
    for (std::size_t k = 0; k < 3; ++k) {
      const auto pair = keys[k].example(code / stride[k] % keys[k].range());
      is[k] = pair[0];
      it[k] = pair[1];
    }
    const auto sIndex = [&](const PatchGrid& g, const std::array<int, 3>& idx) {
      return g.patch(idx[static_cast<std::size_t>(g.rect.axis1)],
                     idx[static_cast<std::size_t>(g.rect.axis2)]);
    };
    table[static_cast<std::size_t>(code)] = exchangeArea(sIndex(s, is), sIndex(t, it));
  }

  for (int i1 = 0; i1 < s.count1; ++i1) {
    for (int i2 = 0; i2 < s.count2; ++i2) {
      const auto is = axisIndices(s, i1, i2);
      const auto p = static_cast<std::size_t>(s.indexOf(i1, i2));
      for (int j1 = 0; j1 < t.count1; ++j1) {
        for (int j2 = 0; j2 < t.count2; ++j2) {
          const auto it = axisIndices(t, j1, j2);
          int code = 0;
          for (std::size_t k = 0; k < 3; ++k) code += keys[k].value(is[k], it[k]) * stride[k];
          const auto q = static_cast<std::size_t>(t.indexOf(j1, j2));
          matrix[p * n + q] = static_cast<float>(table[static_cast<std::size_t>(code)]);
        }
      }
    }
  }
}

// out = exchange x, of a symmetric exchange held on and above its diagonal. Each row
// gives its patch's sum and adds its share to the patches after it, so the matrix is
// read once, in order.
void multiply(const Matrix& matrix, const std::vector<double>& x, std::vector<double>& out) {
  const std::size_t n = x.size();
  std::fill(out.begin(), out.end(), 0.0);
  for (std::size_t p = 0; p < n; ++p) {
    const float* row = &matrix[p * n];
    const double xp = x[p];
    // Four sums side by side, so that each addition need not wait for the one before.
    std::array<double, 4> sums{};
    std::size_t q = p + 1;
    for (; q + 4 <= n; q += 4) {
      for (std::size_t k = 0; k < 4; ++k) {
        sums[k] += row[q + k] * x[q + k];
        out[q + k] += row[q + k] * xp;
      }
    }
    for (; q < n; ++q) {
      sums[0] += row[q] * x[q];
      out[q] += row[q] * xp;
    }
    out[p] += row[p] * xp + ((sums[0] + sums[1]) + (sums[2] + sums[3]));
  }
}

// Solves (A / rho) B - S B = A E, the exchange written symmetric (A_p F_pq = A_q F_qp),
// by conjugate gradients with the diagonal as preconditioner.
int solveExitance(const Matrix& exchange, const std::vector<double>& diagonal,
                  const std::vector<double>& rhs, std::vector<double>& x) {
  const std::size_t n = rhs.size();
  std::vector<double> r(n), z(n), p(n), mp(n);
  for (std::size_t i = 0; i < n; ++i) x[i] = rhs[i] / diagonal[i];
  multiply(exchange, x, mp);
  for (std::size_t i = 0; i < n; ++i) r[i] = rhs[i] - (diagonal[i] * x[i] - mp[i]);
  // A residual of a ten-millionth of the sources' light: far below any figure shown.
  const double target = 1e-14 * std::inner_product(rhs.begin(), rhs.end(), rhs.begin(), 0.0);
  for (std::size_t i = 0; i < n; ++i) z[i] = r[i] / diagonal[i];
  p = z;
  double rz = std::inner_product(r.begin(), r.end(), z.begin(), 0.0);
  int iteration = 0;
  for (; iteration < 1000; ++iteration) {
    if (std::inner_product(r.begin(), r.end(), r.begin(), 0.0) <= target) break;
    multiply(exchange, p, mp);
    for (std::size_t i = 0; i < n; ++i) mp[i] = diagonal[i] * p[i] - mp[i];
    const double alpha = rz / std::inner_product(p.begin(), p.end(), mp.begin(), 0.0);
    for (std::size_t i = 0; i < n; ++i) {
      x[i] += alpha * p[i];
      r[i] -= alpha * mp[i];
      z[i] = r[i] / diagonal[i];
    }
    const double next = std::inner_product(r.begin(), r.end(), z.begin(), 0.0);
    for (std::size_t i = 0; i < n; ++i) p[i] = z[i] + next / rz * p[i];
    rz = next;
  }
  return iteration;
}

// The patch that mirrors `p` about the room's centre line across x and/or y.
int mirroredPatch(const std::vector<PatchGrid>& surfaces, const AxisRect& patch, Vec3 size,
                  bool mirrorX, bool mirrorY) {
  Vec3 centre = patch.origin;
  centre[patch.axis1] += patch.length1 / 2;
  centre[patch.axis2] += patch.length2 / 2;
  if (mirrorX) centre.x = size.x - centre.x;
  if (mirrorY) centre.y = size.y - centre.y;
  for (const PatchGrid& g : surfaces) {
    const AxisRect& r = g.rect;
    const int normal = normalAxis(r);
    if (normal != normalAxis(patch) || r.origin[normal] != centre[normal]) continue;
    const double u = (centre[r.axis1] - r.origin[r.axis1]) / g.step1();
    const double v = (centre[r.axis2] - r.origin[r.axis2]) / g.step2();
    if (u < 0 || v < 0 || u > g.count1 || v > g.count2) continue;
    return g.indexOf(static_cast<int>(u), static_cast<int>(v));
  }
  return -1;
}

// Per mirror image of the box (across x, across y, both), each patch's image.
using PatchImages = std::array<std::vector<int>, 3>;

PatchImages patchImages(const std::vector<PatchGrid>& surfaces, std::size_t n) {
  const AxisRect& floor = surfaces.front().rect;
  const Vec3 size{floor.length1, floor.length2, 0};
  PatchImages image;
  for (std::size_t m = 0; m < 3; ++m) {
    image[m].resize(n);
    for (const PatchGrid& g : surfaces) {
      for (int i1 = 0; i1 < g.count1; ++i1) {
        for (int i2 = 0; i2 < g.count2; ++i2) {
          image[m][static_cast<std::size_t>(g.indexOf(i1, i2))] =
              mirroredPatch(surfaces, g.patch(i1, i2), size, (m + 1) & 1, (m + 1) & 2);
        }
      }
    }
  }
  return image;
}

// Fills the exchange areas between the patches of every pair of surfaces that face each
// other, above the matrix's diagonal only (the exchange is symmetric). The box is
// symmetric about its two centre lines: a pair whose mirror image has been filled takes
// its values from there, patch by mirrored patch.
void fillExchanges(const std::vector<PatchGrid>& surfaces, std::size_t n, const PatchImages& image,
                   Matrix& matrix) {
  auto surfaceOf = [&](int patch) {
    std::size_t k = 0;
    while (surfaces[k].first + surfaces[k].size() <= patch) ++k;
    return k;
  };
  const std::size_t count = surfaces.size();
  std::vector<char> filled(count * count, 0);
  for (std::size_t a = 0; a < count; ++a) {
    for (std::size_t b = a + 1; b < count; ++b) {
      const AxisRect& ra = surfaces[a].rect;
      const AxisRect& rb = surfaces[b].rect;
      const int axis = normalAxis(ra);
      if (axis == normalAxis(rb) && ra.origin[axis] == rb.origin[axis]) continue;  // coplanar
      const std::vector<int>* mirror = nullptr;
      for (const std::vector<int>& m : image) {
        const std::size_t ma = surfaceOf(m[static_cast<std::size_t>(surfaces[a].first)]);
        const std::size_t mb = surfaceOf(m[static_cast<std::size_t>(surfaces[b].first)]);
        if (filled[ma * count + mb] && !(ma == a && mb == b)) mirror = &m;
      }
      if (mirror == nullptr) {
        fillExchange(surfaces[a], surfaces[b], n, matrix);
      } else {
        for (int p = surfaces[a].first; p < surfaces[a].first + surfaces[a].size(); ++p) {
          const auto mp = static_cast<std::size_t>((*mirror)[static_cast<std::size_t>(p)]);
          for (int q = surfaces[b].first; q < surfaces[b].first + surfaces[b].size(); ++q) {
            const auto mq = static_cast<std::size_t>((*mirror)[static_cast<std::size_t>(q)]);
            matrix[static_cast<std::size_t>(p) * n + static_cast<std::size_t>(q)] =
                matrix[std::min(mp, mq) * n + std::max(mp, mq)];
          }
        }
      }
      filled[a * count + b] = filled[b * count + a] = 1;
    }
  }
}

// Whether the direct light on every patch equals that on its image `m`.
bool directMirrors(const std::vector<int>& m, const std::vector<double>& direct) {
  const double largest = *std::max_element(direct.begin(), direct.end());
  for (std::size_t p = 0; p < direct.size(); ++p) {
    if (m[p] < 0) return false;
    if (std::abs(direct[static_cast<std::size_t>(m[p])] - direct[p]) > 1e-12 * largest) {
      return false;
    }
  }
  return true;
}

// Solves for the exitance and the irradiance. Where the direct light is the same on
// every patch and its mirror images (a layout and a distribution symmetric about both
// centre lines, or about one of them, or about the centre), so is the solution: the
// patches of each set of images share one unknown, and the system shrinks to about a
// quarter (or a half) of the unknowns. Summing each set's equations keeps the system
// symmetric.
void solveRoom(const Matrix& exchange, const PatchImages& image, Interreflection& out) {
  const std::size_t n = out.area.size();
  // The images the light respects. Two of them make the third; where only one holds,
  // it alone is a symmetry (each image is its own inverse).
  std::vector<const std::vector<int>*> mirrors;
  for (const std::vector<int>& m : image) {
    if (directMirrors(m, out.direct)) mirrors.push_back(&m);
  }
  if (mirrors.size() == 2) mirrors.resize(1);
  std::vector<int> orbit(n, -1);  // each patch's set of images
  std::vector<std::size_t> members;
  std::size_t orbits = 0;
  for (std::size_t p = 0; p < n; ++p) {
    if (orbit[p] >= 0) continue;
    orbit[p] = static_cast<int>(orbits);
    members.push_back(1);
    for (const std::vector<int>* m : mirrors) {
      const auto q = static_cast<std::size_t>((*m)[p]);
      if (orbit[q] < 0) {
        orbit[q] = static_cast<int>(orbits);
        ++members.back();
      }
    }
    ++orbits;
  }
  const bool symmetric = !mirrors.empty();
  out.exitance.assign(n, 0);
  out.irradiance.resize(n);
  if (!symmetric || 4 * orbits > 3 * n) {
    std::vector<double> diagonal(n), rhs(n);
    for (std::size_t p = 0; p < n; ++p) {
      diagonal[p] = out.area[p] / out.reflectance[p];
      rhs[p] = out.area[p] * out.direct[p];
    }
    out.iterations = solveExitance(exchange, diagonal, rhs, out.exitance);
    multiply(exchange, out.exitance, out.irradiance);
    for (std::size_t p = 0; p < n; ++p) {
      out.irradiance[p] = out.direct[p] + out.irradiance[p] / out.area[p];
    }
    return;
  }
  // A set's patches share area, reflectance and direct light: the first one's stand for all.
  std::vector<std::size_t> first(orbits, n);
  for (std::size_t p = n; p-- > 0;) first[static_cast<std::size_t>(orbit[p])] = p;
  // The exchange between two sets sums that of their patches (none sees itself): each
  // pair of patches counts once, in the row of the first one's set, and the two orders
  // of a pair of sets add up to the reduced matrix, held on and above its diagonal too.
  std::vector<double> sums(orbits * orbits, 0.0);
  for (std::size_t p = 0; p < n; ++p) {
    double* row = &sums[static_cast<std::size_t>(orbit[p]) * orbits];
    const float* from = &exchange[p * n];
    for (std::size_t q = p + 1; q < n; ++q) row[static_cast<std::size_t>(orbit[q])] += from[q];
  }
  Matrix reduced(orbits * orbits, 0.0f);
  for (std::size_t a = 0; a < orbits; ++a) {
    for (std::size_t b = a; b < orbits; ++b) {
      reduced[a * orbits + b] = static_cast<float>(sums[a * orbits + b] + sums[b * orbits + a]);
    }
  }
  std::vector<double> diagonal(orbits), rhs(orbits), exitance(orbits), gathered(orbits);
  for (std::size_t k = 0; k < orbits; ++k) {
    const std::size_t p = first[k];
    const auto count = static_cast<double>(members[k]);
    diagonal[k] = count * out.area[p] / out.reflectance[p];
    rhs[k] = count * out.area[p] * out.direct[p];
  }
  out.iterations = solveExitance(reduced, diagonal, rhs, exitance);
  multiply(reduced, exitance, gathered);
  for (std::size_t p = 0; p < n; ++p) {
    const auto k = static_cast<std::size_t>(orbit[p]);
    out.exitance[p] = exitance[k];
    out.irradiance[p] =
        out.direct[p] + gathered[k] / (static_cast<double>(members[k]) * out.area[p]);
  }
}

// A surface above the work plane as the points see it: its grid's nodes, and for each
// mirror image (none, across x, across y, both) the signed exitances meeting at each
// node, as each patch is the signed sum of its four corners' factors.
struct NodeView {
  // The points this view serves: those whose distance to the surface's plane is in
  // [nearest, farthest).
  double nearest = 0;
  double farthest = std::numeric_limits<double>::infinity();
  bool horizontal = false;
  int axisU = 0, axisV = 1;  // u: a horizontal axis along the surface; v: the other
  int normal = 2;
  double plane = 0;
  std::vector<double> u, v;  // node coordinates
  std::array<std::vector<double>, 4> weights;

  bool serves(Vec3 point) const {
    const double distance = std::abs(plane - point[normal]);
    return distance >= nearest && distance < farthest;
  }

  // The corner factors of pointToParallelCorner and pointToPerpendicularCorner, with the
  // terms that depend on one node coordinate alone computed once per row and column.
  void factorsFrom(Vec3 point, std::vector<double>& out, std::vector<double>& terms) const {
    constexpr double kInverseTwoPi = 0.5 / std::numbers::pi;
    out.resize(u.size() * v.size());
    const double distance = std::abs(plane - point[normal]);
    terms.resize(2 * (u.size() + v.size()));
    double* const byU = terms.data();
    double* const byV = byU + 2 * u.size();
    // Parallel: x / sqrt(1 + x^2) and sqrt(1 + x^2) per coordinate (x = a / h).
    // Perpendicular: atan(a / d) and a per u; d / s and s = sqrt(b^2 + d^2) per v.
    auto parallel = [distance](double offset, double* t) {
      const double x = offset / distance, root = std::sqrt(1 + x * x);
      t[0] = x / root;
      t[1] = root;
    };
    for (std::size_t i = 0; i < u.size(); ++i) {
      const double a = u[i] - point[axisU];
      if (horizontal) {
        parallel(a, &byU[2 * i]);
      } else {
        byU[2 * i] = fastAtan(a / distance);
        byU[2 * i + 1] = a;
      }
    }
    for (std::size_t j = 0; j < v.size(); ++j) {
      const double b = v[j] - point[axisV];
      if (horizontal) {
        parallel(b, &byV[2 * j]);
      } else {
        const double root = std::sqrt(b * b + distance * distance);
        byV[2 * j] = distance / root;
        byV[2 * j + 1] = root;
      }
    }
    std::size_t k = 0;
    for (std::size_t j = 0; j < v.size(); ++j) {
      const double v0 = byV[2 * j], v1 = byV[2 * j + 1];
      if (horizontal) {
        const double y = (v[j] - point[axisV]) / distance;
        for (std::size_t i = 0; i < u.size(); ++i) {
          const double x = (u[i] - point[axisU]) / distance;
          out[k++] =
              kInverseTwoPi * (byU[2 * i] * fastAtan(y / byU[2 * i + 1]) + v0 * fastAtan(x / v1));
        }
      } else {
        for (std::size_t i = 0; i < u.size(); ++i) {
          out[k++] = kInverseTwoPi * (byU[2 * i] - v0 * fastAtan(byU[2 * i + 1] / v1));
        }
      }
    }
  }
};

// The views of `grids` (one surface's patches each, indexed into `exitance`): a wall's
// for the points `nearest` to `farthest` from it, the ceiling's (which has no parts)
// for every point.
void addNodeViews(const std::vector<PatchGrid>& grids, const std::vector<double>& exitance,
                  Vec3 size, double nearest, double farthest, std::vector<NodeView>& views) {
  for (const PatchGrid& g : grids) {
    if (!g.aboveWorkPlane) continue;
    const AxisRect& r = g.rect;
    NodeView view;
    if (normalAxis(r) != 2) {
      view.nearest = nearest;
      view.farthest = farthest;
    }
    view.normal = normalAxis(r);
    view.horizontal = view.normal == 2;
    view.plane = r.origin[view.normal];
    const bool firstIsU = view.horizontal || r.axis1 != 2;
    view.axisU = firstIsU ? r.axis1 : r.axis2;
    view.axisV = firstIsU ? r.axis2 : r.axis1;
    const int countU = firstIsU ? g.count1 : g.count2, countV = firstIsU ? g.count2 : g.count1;
    const double stepU = firstIsU ? g.step1() : g.step2(), stepV = firstIsU ? g.step2() : g.step1();
    for (int k = 0; k <= countU; ++k) view.u.push_back(r.origin[view.axisU] + k * stepU);
    for (int k = 0; k <= countV; ++k) view.v.push_back(r.origin[view.axisV] + k * stepV);
    std::vector<double> mirrored(static_cast<std::size_t>(countU * countV));
    for (std::size_t m = 0; m < 4; ++m) {
      // The exitance of each patch's image, looked up once: every patch meets four nodes.
      for (int cv = 0; cv < countV; ++cv) {
        for (int cu = 0; cu < countU; ++cu) {
          const int i1 = firstIsU ? cu : cv, i2 = firstIsU ? cv : cu;
          const int p = mirroredPatch(grids, g.patch(i1, i2), size, m & 1, m & 2);
          mirrored[static_cast<std::size_t>(cv * countU + cu)] =
              p < 0 ? 0.0 : exitance[static_cast<std::size_t>(p)];
        }
      }
      auto at = [&](int cu, int cv) {
        if (cu < 0 || cv < 0 || cu >= countU || cv >= countV) return 0.0;
        return mirrored[static_cast<std::size_t>(cv * countU + cu)];
      };
      std::vector<double>& w = view.weights[m];
      for (int cv = 0; cv <= countV; ++cv) {
        for (int cu = 0; cu <= countU; ++cu) {
          w.push_back(at(cu - 1, cv - 1) - at(cu, cv - 1) - at(cu - 1, cv) + at(cu, cv));
        }
      }
    }
    views.push_back(std::move(view));
  }
}

// Points near a wall see it through its parts; the others through its patches, as they
// see the ceiling.
std::vector<NodeView> nodeViews(const Interreflection& solution) {
  const AxisRect& floor = solution.surfaces.front().rect;
  const Vec3 size{floor.length1, floor.length2, 0};
  std::vector<NodeView> views;
  const double near = solution.gatherNearWithin;
  addNodeViews(solution.surfaces, solution.exitance, size, near,
               std::numeric_limits<double>::infinity(), views);
  addNodeViews(solution.gatherSurfaces, solution.gatherExitance, size, 0, near, views);
  return views;
}

// The smaller in size of two slopes of one sign, else none: a slope that never makes a
// new extreme between neighbours.
double limitedSlope(double before, double after) {
  if (before * after <= 0) return 0;
  return std::abs(before) < std::abs(after) ? before : after;
}

// The reflected light on the parts of the patches of `g` that `parts` covers (its
// patches from (0, 0), each split1 x split2): linear across each patch, with slopes
// limited by its neighbours (one-sided at the surface's edges), so the parts keep their
// patch's mean.
std::vector<double> reflectedOnParts(const Interreflection& out, const PatchGrid& g,
                                     const PatchGrid& parts, int split1, int split2) {
  auto reflected = [&](int i1, int i2) {
    const auto p = static_cast<std::size_t>(g.indexOf(i1, i2));
    return out.irradiance[p] - out.direct[p];
  };
  auto slope = [&](int i1, int i2, int d1, int d2) {
    const double here = reflected(i1, i2);
    const bool hasBefore = i1 - d1 >= 0 && i2 - d2 >= 0;
    const bool hasAfter = i1 + d1 < g.count1 && i2 + d2 < g.count2;
    const double before = hasBefore ? here - reflected(i1 - d1, i2 - d2) : 0;
    const double after = hasAfter ? reflected(i1 + d1, i2 + d2) - here : 0;
    if (hasBefore && hasAfter) return limitedSlope(before, after);
    return hasBefore ? before : after;
  };
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(parts.size()));
  for (int f1 = 0; f1 < parts.count1; ++f1) {
    for (int f2 = 0; f2 < parts.count2; ++f2) {
      const int i1 = f1 / split1, i2 = f2 / split2;
      // The part's centre from its patch's centre, in patch widths.
      const double u = (f1 % split1 + 0.5) / split1 - 0.5;
      const double v = (f2 % split2 + 0.5) / split2 - 0.5;
      const double value = reflected(i1, i2) + u * slope(i1, i2, 1, 0) + v * slope(i1, i2, 0, 1);
      values.push_back(std::max(value, 0.0));
    }
  }
  return values;
}

// Rows [from, to) of `g` along the vertical axis, as a grid of their own.
PatchGrid rowsOf(const PatchGrid& g, int from, int to) {
  PatchGrid band = g;
  if (g.rect.axis1 == 2) {
    band.rect.origin.z += from * g.step1();
    band.rect.length1 = (to - from) * g.step1();
    band.count1 = to - from;
  } else {
    band.rect.origin.z += from * g.step2();
    band.rect.length2 = (to - from) * g.step2();
    band.count2 = to - from;
  }
  return band;
}

// Of a side of `count` cells of `cell` feet, the lines computed exactly while the others
// are interpolated: all within `lattice.nearWall` of either end, and between those bands
// lines spread evenly at most `lattice.step` apart; symmetric about the middle, which is
// always one of them.
std::vector<int> latticeLines(int count, double cell, const GatherLattice& lattice) {
  std::vector<char> chosen(static_cast<std::size_t>(count), lattice.step > 0 ? 0 : 1);
  const int middle = (count - 1) / 2;
  int band = 0;  // the first index beyond the band near the wall
  while (band <= middle && (band + 0.5) * cell < lattice.nearWall) ++band;
  if (lattice.nearStep > 0 && band > 1) {
    // Evenly spread from the wall's line to the band's last.
    const int pieces =
        std::max(1, static_cast<int>(std::ceil((band - 1) * cell / lattice.nearStep - 1e-9)));
    for (int k = 0; k <= pieces; ++k) {
      chosen[static_cast<std::size_t>(std::lround(static_cast<double>(k) * (band - 1) / pieces))] =
          1;
    }
  } else {
    for (int i = 0; i < band; ++i) chosen[static_cast<std::size_t>(i)] = 1;
  }
  if (lattice.step > 0 && band <= middle) {
    const int from = band - 1;  // the last line of the band, or -1 for none
    const double span = (middle - from) * cell;
    const int pieces = std::max(1, static_cast<int>(std::ceil(span / lattice.step - 1e-9)));
    for (int k = 1; k <= pieces; ++k) {
      const int at =
          from + static_cast<int>(std::lround(static_cast<double>(k) * (middle - from) / pieces));
      chosen[static_cast<std::size_t>(std::max(at, 0))] = 1;
    }
  }
  std::vector<int> lines;
  for (int i = 0; i < count; ++i) {
    if (chosen[static_cast<std::size_t>(std::min(i, count - 1 - i))]) lines.push_back(i);
  }
  return lines;
}

// Fills the values at every index of 0..count-1 not in `lines` (ascending) from the
// values at `lines`, by the cubic through the four nearest lines (fewer where there are
// fewer); value(k) reads and writes the value at index k.
template <class Value>
void interpolateBetween(const std::vector<int>& lines, int count, Value&& value) {
  const auto n = static_cast<int>(lines.size());
  const int order = std::min(n, 4);
  int next = 0;  // the first line above the index
  for (int k = 0; k < count; ++k) {
    while (next < n && lines[static_cast<std::size_t>(next)] < k) ++next;
    if (next < n && lines[static_cast<std::size_t>(next)] == k) continue;
    const int first = std::clamp(next - order / 2, 0, n - order);
    double sum = 0;
    for (int a = first; a < first + order; ++a) {
      double weight = 1;
      const int xa = lines[static_cast<std::size_t>(a)];
      for (int b = first; b < first + order; ++b) {
        const int xb = lines[static_cast<std::size_t>(b)];
        if (b != a) weight *= static_cast<double>(k - xb) / (xa - xb);
      }
      sum += weight * value(xa);
    }
    value(k) = sum;
  }
}

// Fills a lattice of count1 x count2 values (index i1 * count2 + i2) known where a line
// of `lines1` meets one of `lines2`: along each of `lines1` first, then across them.
void interpolateLattice(std::vector<double>& values, const std::vector<int>& lines1, int count1,
                        const std::vector<int>& lines2, int count2) {
  const auto stride = static_cast<std::size_t>(count2);
  auto at = [&](int i1, int i2) -> double& {
    return values[static_cast<std::size_t>(i1) * stride + static_cast<std::size_t>(i2)];
  };
  for (const int i1 : lines1) {
    interpolateBetween(lines2, count2, [&](int i2) -> double& { return at(i1, i2); });
  }
  for (int i2 = 0; i2 < count2; ++i2) {
    interpolateBetween(lines1, count1, [&](int i1) -> double& { return at(i1, i2); });
  }
}

// Parts are small, and only the points near them see them closely: a coarser rule does.
constexpr Integration kPartIntegration{3, 0, 1};

// The direct light on the parts of a wall. A source's light on the wall changes over
// about the source's distance from it: the sources are taken in bands of distance (each
// band's farthest within half as far again as its nearest), and each band's light is
// integrated on lines of parts a third of its nearest distance apart (and on the parts
// at the wall's edges) and interpolated between them. The far sources, which are most
// of a big room's, so need few lines.
std::vector<double> directOnParts(const PatchGrid& parts, std::span<const PointSource> sources) {
  const int normal = normalAxis(parts.rect);
  auto distanceOf = [&](const PointSource& s) {
    return std::abs(s.position[normal] - parts.rect.origin[normal]);
  };
  std::vector<double> distances;
  for (const PointSource& s : sources) distances.push_back(distanceOf(s));
  std::sort(distances.begin(), distances.end());

  const auto count2 = static_cast<std::size_t>(parts.count2);
  const ReceiverLattice all = patchCentres(parts);
  std::vector<double> direct(static_cast<std::size_t>(parts.size()), 0.0);
  std::vector<double> band(direct.size());
  std::vector<PointSource> inBand;
  for (std::size_t first = 0; first < distances.size();) {
    const double nearest = distances[first];
    std::size_t end = first;
    // Sources whose lines would stand at most two parts apart share the nearest band:
    // a band of their own would save few lines.
    const double reach = std::max(1.5 * nearest, 6 * std::max(parts.step1(), parts.step2()));
    while (end < distances.size() && distances[end] <= reach) ++end;
    const double farthest = distances[end - 1];
    first = end;
    inBand.clear();
    for (const PointSource& s : sources) {
      const double d = distanceOf(s);
      if (d >= nearest && d <= farthest) inBand.push_back(s);
    }
    const GatherLattice along1{parts.step1(), nearest / 3}, along2{parts.step2(), nearest / 3};
    const std::vector<int> lines1 = latticeLines(parts.count1, parts.step1(), along1);
    const std::vector<int> lines2 = latticeLines(parts.count2, parts.step2(), along2);
    ReceiverLattice lattice = all;
    lattice.along1.clear();
    lattice.along2.clear();
    for (const int i : lines1) lattice.along1.push_back(all.along1[static_cast<std::size_t>(i)]);
    for (const int i : lines2) lattice.along2.push_back(all.along2[static_cast<std::size_t>(i)]);
    const std::vector<double> onLines = directOn(parts, lattice, inBand, kPartIntegration);
    for (std::size_t a = 0; a < lines1.size(); ++a) {
      for (std::size_t b = 0; b < lines2.size(); ++b) {
        band[static_cast<std::size_t>(lines1[a]) * count2 + static_cast<std::size_t>(lines2[b])] =
            onLines[a * lines2.size() + b];
      }
    }
    interpolateLattice(band, lines1, parts.count1, lines2, parts.count2);
    for (std::size_t k = 0; k < direct.size(); ++k) direct[k] += std::max(band[k], 0.0);
  }
  return direct;
}

// The walls above the work plane as the points near them see them. The patches within
// `gatherNearWithin` of the work plane are split into parts, each with the direct light
// that falls on it plus its share of its patch's reflected light; the patches above
// stay whole.
void prepareGather(Interreflection& out, double partSize, std::span<const PointSource> sources) {
  auto split = [&](double step) {
    return std::max(2, static_cast<int>(std::ceil(step / partSize - 1e-9)));
  };
  auto isWall = [](const PatchGrid& g) { return g.aboveWorkPlane && normalAxis(g.rect) != 2; };
  for (const PatchGrid& g : out.surfaces) {
    if (isWall(g)) out.gatherNearWithin = std::max({out.gatherNearWithin, g.step1(), g.step2()});
  }
  for (const PatchGrid& g : out.surfaces) {
    if (!isWall(g)) continue;
    const bool verticalFirst = g.rect.axis1 == 2;
    const double rowHeight = verticalFirst ? g.step1() : g.step2();
    const int rows = verticalFirst ? g.count1 : g.count2;
    const int nearRows =
        std::min(rows, static_cast<int>(std::ceil(out.gatherNearWithin / rowHeight - 1e-9)));

    PatchGrid parts = rowsOf(g, 0, nearRows);
    const int split1 = split(g.step1()), split2 = split(g.step2());
    parts.count1 *= split1;
    parts.count2 *= split2;
    parts.first = static_cast<int>(out.gatherExitance.size());
    const std::vector<double> reflected = reflectedOnParts(out, g, parts, split1, split2);
    const std::vector<double> direct = directOnParts(parts, sources);
    for (int f1 = 0; f1 < parts.count1; ++f1) {
      for (int f2 = 0; f2 < parts.count2; ++f2) {
        const auto p = static_cast<std::size_t>(g.indexOf(f1 / split1, f2 / split2));
        const auto part = static_cast<std::size_t>(f1 * parts.count2 + f2);
        out.gatherExitance.push_back(out.reflectance[p] * (direct[part] + reflected[part]));
      }
    }
    out.gatherSurfaces.push_back(parts);

    if (nearRows == rows) continue;
    PatchGrid whole = rowsOf(g, nearRows, rows);
    whole.first = static_cast<int>(out.gatherExitance.size());
    for (int i1 = 0; i1 < whole.count1; ++i1) {
      for (int i2 = 0; i2 < whole.count2; ++i2) {
        const int j1 = verticalFirst ? i1 + nearRows : i1, j2 = verticalFirst ? i2 : i2 + nearRows;
        out.gatherExitance.push_back(out.exitance[static_cast<std::size_t>(g.indexOf(j1, j2))]);
      }
    }
    out.gatherSurfaces.push_back(whole);
  }
}

}  // namespace

AxisRect PatchGrid::patch(int i1, int i2) const {
  AxisRect r = rect;
  r.origin[rect.axis1] += i1 * step1();
  r.origin[rect.axis2] += i2 * step2();
  r.length1 = step1();
  r.length2 = step2();
  return r;
}

double Interreflection::directFlux() const {
  return std::transform_reduce(area.begin(), area.end(), direct.begin(), 0.0);
}

double Interreflection::absorbedFlux() const {
  double sum = 0;
  for (std::size_t p = 0; p < area.size(); ++p) {
    sum += (1 - reflectance[p]) * area[p] * irradiance[p];
  }
  return sum;
}

std::vector<PatchGrid> patchRoom(const RoomBox& room, const SurfaceReflectances& rho,
                                 const Patching& patching) {
  auto count = [&](double side) {
    return std::clamp(static_cast<int>(std::ceil(side / patching.patchSize - 1e-9)), 1,
                      patching.maxAlong);
  };
  const double l = room.length, w = room.width, h = room.height;
  const int nx = count(l), ny = count(w);
  std::vector<PatchGrid> grids;
  grids.push_back({{{0, 0, 0}, 0, l, 1, w}, nx, ny, rho.floor, false});
  grids.push_back({{{0, 0, h}, 1, w, 0, l}, ny, nx, rho.ceiling, true});
  const double split = std::min(kWorkPlaneHeight, h);
  for (const auto& [bottom, top] : {std::pair{0.0, split}, std::pair{split, h}}) {
    if (top <= bottom) continue;
    const double band = top - bottom;
    const int nz = count(band);
    const bool above = bottom >= split;
    grids.push_back({{{0, 0, bottom}, 1, w, 2, band}, ny, nz, rho.wall, above});
    grids.push_back({{{l, 0, bottom}, 2, band, 1, w}, nz, ny, rho.wall, above});
    grids.push_back({{{0, 0, bottom}, 2, band, 0, l}, nz, nx, rho.wall, above});
    grids.push_back({{{0, w, bottom}, 0, l, 2, band}, nx, nz, rho.wall, above});
  }
  int first = 0;
  for (PatchGrid& g : grids) {
    g.first = first;
    first += g.size();
  }
  return grids;
}

Interreflection interreflect(const RoomBox& room, const SurfaceReflectances& rho,
                             const Patching& patching, std::span<const PointSource> sources) {
  Interreflection out;
  out.surfaces = patchRoom(room, rho, patching);
  const auto n = static_cast<std::size_t>(out.surfaces.back().first + out.surfaces.back().size());
  out.area.resize(n);
  out.reflectance.resize(n);
  out.direct.assign(n, 0);
  for (const PatchGrid& g : out.surfaces) {
    for (int i1 = 0; i1 < g.count1; ++i1) {
      for (int i2 = 0; i2 < g.count2; ++i2) {
        const auto p = static_cast<std::size_t>(g.indexOf(i1, i2));
        out.area[p] = g.patch(i1, i2).area();
        // A surface that reflects nothing still takes part, with a tiny reflectance
        // that keeps the system well posed.
        out.reflectance[p] = std::max(g.reflectance, 1e-9);
      }
    }
    const std::vector<double> direct = directOn(g, patchCentres(g), sources, {});
    std::copy(direct.begin(), direct.end(), out.direct.begin() + g.first);
  }

  Matrix exchange(n * n, 0.0f);
  const PatchImages images = patchImages(out.surfaces, n);
  fillExchanges(out.surfaces, n, images, exchange);
  solveRoom(exchange, images, out);
  prepareGather(out, patching.gatherPartSize, sources);
  return out;
}

namespace {

// Adds the light the views send to point (i, j) of the grid facing up, and to each of its
// mirror images about the room's centre lines, seen against the mirrored exitances.
void gatherAt(const std::vector<NodeView>& views, const PointGrid& grid, int i, int j,
              std::vector<double>& factors, std::vector<double>& terms,
              std::vector<double>& light) {
  const Vec3 point{grid.x(i), grid.y(j), kWorkPlaneHeight};
  const int mirrorI = grid.nx - 1 - i, mirrorJ = grid.ny - 1 - j;
  const std::array<int, 4> images = {
      j * grid.nx + i, mirrorI != i ? j * grid.nx + mirrorI : -1,
      mirrorJ != j ? mirrorJ * grid.nx + i : -1,
      mirrorI != i && mirrorJ != j ? mirrorJ * grid.nx + mirrorI : -1};
  for (const NodeView& view : views) {
    if (!view.serves(point)) continue;
    view.factorsFrom(point, factors, terms);
    for (std::size_t m = 0; m < images.size(); ++m) {
      if (images[m] < 0) continue;
      light[static_cast<std::size_t>(images[m])] +=
          std::inner_product(factors.begin(), factors.end(), view.weights[m].begin(), 0.0);
    }
  }
}

}  // namespace

std::vector<double> reflectedOnWorkPlane(const Interreflection& solution, const PointGrid& grid,
                                         const GatherLattice& lattice) {
  // The box and its patches are symmetric about the room's two centre lines, so the
  // factors from a point to every node also serve its mirror images, seen against the
  // mirrored exitances: each costly factor is computed once for up to four points.
  const std::vector<NodeView> views = nodeViews(solution);
  std::vector<double> light(static_cast<std::size_t>(grid.size()), 0.0);
  std::vector<double> factors, terms;
  // The light reflected onto the work plane is smooth away from the walls: it is
  // gathered where the lattice's rows and columns meet and interpolated between them.
  const std::vector<int> columns = latticeLines(grid.nx, grid.length / grid.nx, lattice);
  const std::vector<int> rows = latticeLines(grid.ny, grid.width / grid.ny, lattice);
  for (const int j : rows) {
    if (j > (grid.ny - 1) / 2) break;
    for (const int i : columns) {
      if (i > (grid.nx - 1) / 2) break;
      gatherAt(views, grid, i, j, factors, terms, light);
    }
  }
  interpolateLattice(light, rows, grid.ny, columns, grid.nx);
  return light;
}

}  // namespace kandelor::workplane
