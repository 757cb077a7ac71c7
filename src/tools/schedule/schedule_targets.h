#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/space_types.h"
#include "calc/workplane/room_light.h"

namespace kandelor::schedule {

// The light targets a space type can set, in the order they are checked and shown.
enum class TargetKind { Illuminance, Uniformity, Glare, Walls, Ceiling };

enum class TargetVerdict { Meets, Misses, NotChecked };

// One target of a room's space type against the room's figure.
struct TargetCheck {
  TargetKind kind = TargetKind::Illuminance;
  TargetVerdict verdict = TargetVerdict::NotChecked;
  // The target: the least illuminance (lx) or Uo, or the highest UGR; for the walls and
  // the ceiling the least average (lx) and, in `uniformityLimit`, the least Uo.
  std::optional<double> limit;
  std::optional<double> uniformityLimit;
  // The room's figures as judged, rounded as they are said; none where not checked.
  std::optional<double> figure;
  std::optional<double> figureUniformity;
  // The result in words with its figure: "UGR 21.3 above 19", "Uo 0.48 below 0.60",
  // "walls 62 lx, Uo 0.31: meets", "UGR not checked: no point-by-point light".
  std::string says;
};

// Checks the room against each target its type sets, in TargetKind order. The work
// plane's illuminance is the point-by-point average, or the lumen method's footcandles
// where the room has no point-by-point light (none where its RCR is beyond the method's
// tables); its uniformity, glare and surfaces need the point-by-point light and are not
// checked without it.
std::vector<TargetCheck> checkTargets(const LightTargets& targets,
                                      const std::optional<workplane::RoomLight>& light,
                                      std::optional<std::int32_t> lumenFootcandles);

// The check of `kind` among `checks`, or null where the type sets no such target.
const TargetCheck* findCheck(const std::vector<TargetCheck>& checks, TargetKind kind);

// "meets", "misses", "not checked".
const char* targetVerdictName(TargetVerdict verdict);

// "em", "uo", "ugr", "walls", "ceiling": the target's name in the files.
const char* targetKey(TargetKind kind);

// The room's targets at a glance: "meets", "misses 2", "meets, 3 not checked", "not
// checked"; "-" for a type without targets.
std::string targetsSummary(const std::vector<TargetCheck>& checks);

}  // namespace kandelor::schedule
