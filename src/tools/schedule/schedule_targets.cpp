#include "tools/schedule/schedule_targets.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string_view>

#include "calc/units.h"

namespace kandelor::schedule {

namespace {

std::string fixed(double value, int decimals) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  return std::string(buffer, end);
}

// Appends the parts in turn (GCC 12 warns, wrongly, about some chains of string +).
void add(std::string& to, std::initializer_list<std::string_view> parts) {
  for (const std::string_view part : parts) to += part;
}

// Figures are judged as they are said: lux whole, Uo to 0.01, UGR to 0.1.
double rounded(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

// A limit as written in the table: "500", "0.60", "19", "22.5".
std::string limitText(double limit, int decimals) {
  if (decimals == 1 && limit == std::round(limit)) return fixed(limit, 0);
  return fixed(limit, decimals);
}

// A least figure: "Em 512 lx: meets", "Em 430 lx below 500".
TargetCheck atLeast(TargetKind kind, const char* label, double figure, double limit, int decimals,
                    const char* unit) {
  TargetCheck check{kind, TargetVerdict::Meets, limit, {}, rounded(figure, decimals), {}, {}};
  add(check.says, {label, " ", fixed(*check.figure, decimals), unit});
  if (*check.figure < limit) {
    check.verdict = TargetVerdict::Misses;
    add(check.says, {" below ", limitText(limit, decimals)});
  } else {
    check.says += ": meets";
  }
  return check;
}

TargetCheck notChecked(TargetKind kind, const char* label, double limit, const std::string& why) {
  TargetCheck check;
  check.kind = kind;
  check.limit = limit;
  add(check.says, {label, " not checked: ", why});
  return check;
}

// The walls' or the ceiling's average against its least lux and its Uo against its least
// Uo, either limit optional: "walls 62 lx, Uo 0.31: meets", "ceiling 41 lx below 50,
// Uo 0.52".
TargetCheck surface(TargetKind kind, const char* label, const workplane::SurfaceFigures& figures,
                    std::optional<double> lux, std::optional<double> uniformity) {
  TargetCheck check{kind, TargetVerdict::Meets, lux, uniformity, {}, {}, label};
  check.figure = rounded(figures.average * kLuxPerFootcandle, 0);
  check.figureUniformity = rounded(figures.uniformity, 2);
  add(check.says, {" ", fixed(*check.figure, 0), " lx"});
  if (lux && *check.figure < *lux) {
    check.verdict = TargetVerdict::Misses;
    add(check.says, {" below ", limitText(*lux, 0)});
  }
  add(check.says, {", Uo ", fixed(*check.figureUniformity, 2)});
  if (uniformity && *check.figureUniformity < *uniformity) {
    check.verdict = TargetVerdict::Misses;
    add(check.says, {" below ", limitText(*uniformity, 2)});
  }
  if (check.verdict == TargetVerdict::Meets) check.says += ": meets";
  return check;
}

}  // namespace

std::vector<TargetCheck> checkTargets(const LightTargets& targets,
                                      const std::optional<workplane::RoomLight>& light,
                                      std::optional<std::int32_t> lumenFootcandles) {
  static const std::string kNoLight = "no point-by-point light";
  std::vector<TargetCheck> checks;
  if (targets.maintainedLux) {
    if (light) {
      checks.push_back(atLeast(TargetKind::Illuminance, "Em",
                               light->figures.average * kLuxPerFootcandle, *targets.maintainedLux,
                               0, " lx"));
    } else if (lumenFootcandles) {
      checks.push_back(atLeast(TargetKind::Illuminance, "Em (lumen method)",
                               *lumenFootcandles * kLuxPerFootcandle, *targets.maintainedLux, 0,
                               " lx"));
    } else {
      checks.push_back(notChecked(TargetKind::Illuminance, "Em", *targets.maintainedLux,
                                  kNoLight + ", and the RCR is above the lumen method's tables"));
    }
  }
  if (targets.uniformity) {
    checks.push_back(light
                         ? atLeast(TargetKind::Uniformity, "Uo", light->figures.uniformity,
                                   *targets.uniformity, 2, "")
                         : notChecked(TargetKind::Uniformity, "Uo", *targets.uniformity, kNoLight));
  }
  if (targets.glareLimit) {
    if (!light) {
      checks.push_back(notChecked(TargetKind::Glare, "UGR", *targets.glareLimit, kNoLight));
    } else if (!light->ugr) {
      checks.push_back(notChecked(TargetKind::Glare, "UGR", *targets.glareLimit,
                                  light->ugrReason.empty() ? "no rating" : light->ugrReason));
    } else {
      TargetCheck check{TargetKind::Glare,
                        TargetVerdict::Meets,
                        targets.glareLimit,
                        {},
                        rounded(*light->ugr, 1),
                        {},
                        {}};
      add(check.says, {"UGR ", fixed(*check.figure, 1)});
      if (*check.figure > *targets.glareLimit) {
        check.verdict = TargetVerdict::Misses;
        add(check.says, {" above ", limitText(*targets.glareLimit, 1)});
      } else {
        check.says += ": meets";
      }
      checks.push_back(check);
    }
  }
  const auto surfaceCheck = [&](TargetKind kind, const char* label,
                                const workplane::SurfaceFigures& (*of)(const workplane::RoomLight&),
                                std::optional<double> lux, std::optional<double> uniformity) {
    if (!lux && !uniformity) return;
    TargetCheck check = light ? surface(kind, label, of(*light), lux, uniformity)
                              : notChecked(kind, label, 0, kNoLight);
    check.limit = lux;
    check.uniformityLimit = uniformity;
    checks.push_back(check);
  };
  surfaceCheck(
      TargetKind::Walls, "walls", [](const workplane::RoomLight& l) -> auto& { return l.walls; },
      targets.wallsLux, targets.wallsUniformity);
  surfaceCheck(
      TargetKind::Ceiling, "ceiling",
      [](const workplane::RoomLight& l) -> auto& { return l.ceiling; }, targets.ceilingLux,
      targets.ceilingUniformity);
  return checks;
}

const TargetCheck* findCheck(const std::vector<TargetCheck>& checks, TargetKind kind) {
  const auto found = std::find_if(checks.begin(), checks.end(),
                                  [kind](const TargetCheck& c) { return c.kind == kind; });
  return found == checks.end() ? nullptr : &*found;
}

const char* targetVerdictName(TargetVerdict verdict) {
  switch (verdict) {
    case TargetVerdict::Meets:
      return "meets";
    case TargetVerdict::Misses:
      return "misses";
    case TargetVerdict::NotChecked:
      break;
  }
  return "not checked";
}

const char* targetKey(TargetKind kind) {
  switch (kind) {
    case TargetKind::Illuminance:
      return "em";
    case TargetKind::Uniformity:
      return "uo";
    case TargetKind::Glare:
      return "ugr";
    case TargetKind::Walls:
      return "walls";
    case TargetKind::Ceiling:
      break;
  }
  return "ceiling";
}

std::string targetsSummary(const std::vector<TargetCheck>& checks) {
  if (checks.empty()) return "-";
  const auto count = [&](TargetVerdict verdict) {
    return std::count_if(checks.begin(), checks.end(),
                         [verdict](const TargetCheck& c) { return c.verdict == verdict; });
  };
  const auto misses = count(TargetVerdict::Misses);
  const auto unchecked = count(TargetVerdict::NotChecked);
  if (misses > 0) return "misses " + std::to_string(misses);
  if (unchecked == static_cast<std::ptrdiff_t>(checks.size())) return "not checked";
  if (unchecked > 0) return "meets, " + std::to_string(unchecked) + " not checked";
  return "meets";
}

}  // namespace kandelor::schedule
