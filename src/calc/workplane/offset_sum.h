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
  std::vector<int> index;     // per value
  std::vector<double> first;  // per number, the value that first had it
  int count = 0;

  template <class Key>
  static Distinct of(const std::vector<double>& values, Key key) {
    Distinct d;
    std::unordered_map<long long, int> seen;
    d.index.reserve(values.size());
    for (const double v : values) {
      const auto [it, added] = seen.try_emplace(key(v), d.count);
      if (added) {
        ++d.count;
        d.first.push_back(v);
      }
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

// The sum over the sources, in order, of value(source, receiver position) at every
// receiver of the lattice (index i1 * along2.size() + i2), where `value` depends only on
// the offset between source and receiver and on the source's kind (its intensity and
// scale), and is the same at offsets mirrored along a horizontal axis of the lattice
// where the source's light is (PointSource::mirrorsAlong). A regular layout seen from
// regular receivers repeats the same offsets many times over: each distinct offset is
// evaluated once per kind, and its value reused for the others.
template <class Value>
std::vector<double> sumOverSources(const ReceiverLattice& lattice,
                                   std::span<const PointSource> sources, Value&& value) {
  using namespace offset_sum_detail;
  const int normal = 3 - lattice.axis1 - lattice.axis2;
  const std::size_t n1 = lattice.along1.size(), n2 = lattice.along2.size();
  std::vector<double> sums(n1 * n2, 0.0);
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
    start = end;
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
    const auto count1 = static_cast<std::size_t>(d1.count),
               count2 = static_cast<std::size_t>(d2.count);
    const std::size_t entries = static_cast<std::size_t>(sn.count) * count1 * count2;
    if (entries > kMostEntries || entries >= run.size() * n1 * n2) {
      for (const PointSource& s : run) {
        for (std::size_t i1 = 0; i1 < n1; ++i1) {
          for (std::size_t i2 = 0; i2 < n2; ++i2)
            sums[i1 * n2 + i2] += value(s, lattice.at(i1, i2));
        }
      }
      continue;
    }
    // Each distinct offset's value, from a source of the run moved to that offset from
    // the lattice's origin.
    std::vector<double> table(entries);
    PointSource moved = run.front();
    moved.position[lattice.axis1] = 0;
    moved.position[lattice.axis2] = 0;
    std::vector<Vec3> receivers(count2);
    for (std::size_t an = 0; an < static_cast<std::size_t>(sn.count); ++an) {
      moved.position[normal] = sn.first[an];
      for (std::size_t b1 = 0; b1 < count1; ++b1) {
        for (std::size_t b2 = 0; b2 < count2; ++b2) {
          Vec3& r = receivers[b2];
          r[normal] = lattice.plane;
          r[lattice.axis1] = d1.first[b1];
          r[lattice.axis2] = d2.first[b2];
        }
        double* const row = &table[(an * count1 + b1) * count2];
        for (std::size_t b2 = 0; b2 < count2; ++b2) row[b2] = value(moved, receivers[b2]);
      }
    }
    // Per source coordinate a2, the offset number of every receiver i2 side by side, so
    // that a row of receivers reads its values in one sweep.
    std::vector<int> across(u2.size() * n2);
    for (std::size_t i2 = 0; i2 < n2; ++i2) {
      for (std::size_t a2 = 0; a2 < u2.size(); ++a2) {
        across[a2 * n2 + i2] = d2.index[i2 * u2.size() + a2];
      }
    }
    for (std::size_t k = 0; k < run.size(); ++k) {
      const auto a1 = static_cast<std::size_t>(s1.index[k]);
      const auto a2 = static_cast<std::size_t>(s2.index[k]);
      const auto an = static_cast<std::size_t>(sn.index[k]);
      const int* offsets2 = &across[a2 * n2];
      for (std::size_t i1 = 0; i1 < n1; ++i1) {
        const std::size_t rowCode =
            an * count1 + static_cast<std::size_t>(d1.index[i1 * u1.size() + a1]);
        const double* const row = &table[rowCode * count2];
        double* const out = &sums[i1 * n2];
        for (std::size_t i2 = 0; i2 < n2; ++i2) out[i2] += row[offsets2[i2]];
      }
    }
  }
  return sums;
}

}  // namespace kandelor::workplane
