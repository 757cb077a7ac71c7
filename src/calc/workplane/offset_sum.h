#pragma once

#include <cmath>
#include <cstddef>
#include <span>
#include <unordered_map>
#include <vector>

#include "calc/workplane/direct_light.h"

namespace kandelor::workplane {

// Receivers on a lattice in a plane of the room: receiver (i1, i2) at coordinate
// along1[i1] on axis1, along2[i2] on axis2 and `plane` on the third axis.
struct ReceiverLattice {
  int axis1 = 0;
  std::vector<double> along1;
  int axis2 = 1;
  std::vector<double> along2;
  double plane = 0;

  Vec3 at(std::size_t i1, std::size_t i2) const {
    Vec3 p;
    p[axis1] = along1[i1];
    p[axis2] = along2[i2];
    p[3 - axis1 - axis2] = plane;
    return p;
  }
};

namespace offset_sum_detail {

// Offsets that agree to a billionth of a foot count as one: they differ by rounding.
inline long long offsetKey(double offset) {
  return std::llround(offset * 1e9);
}

// Numbers each distinct value of `values` in order of first appearance.
struct Distinct {
  std::vector<int> index;  // per value
  int count = 0;

  template <class Key>
  static Distinct of(const std::vector<double>& values, Key key) {
    Distinct d;
    std::unordered_map<long long, int> seen;
    d.index.reserve(values.size());
    for (const double v : values) {
      const auto [it, added] = seen.try_emplace(key(v), d.count);
      if (added) ++d.count;
      d.index.push_back(it->second);
    }
    return d;
  }
};

// For every receiver coordinate along one axis and every distinct source coordinate on
// it, the number of their distinct offset: index [i * sourceCount + a].
// Offsets of either sign count as one where `mirrored`.
inline Distinct offsetsAlong(const std::vector<double>& receivers,
                             const std::vector<double>& sourceCoordinates, bool mirrored) {
  std::vector<double> offsets;
  offsets.reserve(receivers.size() * sourceCoordinates.size());
  for (const double r : receivers) {
    for (const double s : sourceCoordinates) offsets.push_back(r - s);
  }
  return Distinct::of(offsets,
                      [mirrored](double v) { return offsetKey(mirrored ? std::abs(v) : v); });
}

}  // namespace offset_sum_detail

// Calls add(i1, i2, value(source, receiver position)) for every source in order and every
// receiver of the lattice, where `value` depends only on the offset between source and
// receiver and on the source's kind (its intensity and scale), and is the same at
// offsets mirrored along a horizontal axis of the lattice where the source's light is
// (PointSource::mirrorsAlong). A regular layout seen from regular receivers repeats the
// same offsets many times over: each distinct offset is evaluated once per kind, and its
// value reused for the others.
template <class Value, class Add>
void forEachSourceOffset(const ReceiverLattice& lattice, std::span<const PointSource> sources,
                         Value&& value, Add&& add) {
  using namespace offset_sum_detail;
  const int normal = 3 - lattice.axis1 - lattice.axis2;
  const std::size_t n1 = lattice.along1.size(), n2 = lattice.along2.size();
  // A table grows past this many entries only where the offsets hardly repeat.
  constexpr std::size_t kMostEntries = std::size_t{1} << 21;
  std::size_t start = 0;
  while (start < sources.size()) {
    // A run of sources of one kind, kept in order so that every receiver adds them up
    // in the order given.
    std::size_t end = start + 1;
    while (end < sources.size() && sources[end].intensity == sources[start].intensity &&
           sources[end].scale == sources[start].scale) {
      ++end;
    }
    const std::span<const PointSource> run = sources.subspan(start, end - start);
    std::vector<double> c1, c2, cn;
    for (const PointSource& s : run) {
      c1.push_back(s.position[lattice.axis1]);
      c2.push_back(s.position[lattice.axis2]);
      cn.push_back(s.position[normal]);
    }
    auto exact = [](double v) { return offsetKey(v); };
    const Distinct s1 = Distinct::of(c1, exact), s2 = Distinct::of(c2, exact),
                   sn = Distinct::of(cn, exact);
    std::vector<double> u1(static_cast<std::size_t>(s1.count)),
        u2(static_cast<std::size_t>(s2.count));
    for (std::size_t k = 0; k < run.size(); ++k) {
      u1[static_cast<std::size_t>(s1.index[k])] = c1[k];
      u2[static_cast<std::size_t>(s2.index[k])] = c2[k];
    }
    auto mirrored = [&](int axis) { return axis != 2 && run.front().mirrorsAlong(axis); };
    const Distinct d1 = offsetsAlong(lattice.along1, u1, mirrored(lattice.axis1));
    const Distinct d2 = offsetsAlong(lattice.along2, u2, mirrored(lattice.axis2));
    const std::size_t entries = static_cast<std::size_t>(sn.count) *
                                static_cast<std::size_t>(d1.count) *
                                static_cast<std::size_t>(d2.count);
    if (entries > kMostEntries || entries >= run.size() * n1 * n2) {
      for (const PointSource& s : run) {
        for (std::size_t i1 = 0; i1 < n1; ++i1) {
          for (std::size_t i2 = 0; i2 < n2; ++i2) add(i1, i2, value(s, lattice.at(i1, i2)));
        }
      }
    } else {
      std::vector<double> table(entries);
      std::vector<char> known(entries, 0);
      for (std::size_t k = 0; k < run.size(); ++k) {
        const auto a1 = static_cast<std::size_t>(s1.index[k]);
        const auto a2 = static_cast<std::size_t>(s2.index[k]);
        const auto an = static_cast<std::size_t>(sn.index[k]);
        for (std::size_t i1 = 0; i1 < n1; ++i1) {
          const std::size_t row = (an * static_cast<std::size_t>(d1.count) +
                                   static_cast<std::size_t>(d1.index[i1 * u1.size() + a1])) *
                                  static_cast<std::size_t>(d2.count);
          for (std::size_t i2 = 0; i2 < n2; ++i2) {
            const std::size_t e = row + static_cast<std::size_t>(d2.index[i2 * u2.size() + a2]);
            if (!known[e]) {
              table[e] = value(run[k], lattice.at(i1, i2));
              known[e] = 1;
            }
            add(i1, i2, table[e]);
          }
        }
      }
    }
    start = end;
  }
}

}  // namespace kandelor::workplane
