#pragma once

#include <span>
#include <string_view>

#include "plan/plan_scene.h"

// The room plan window: one per program, beside the main window and not modal, showing a
// room's plan (or why it has none), the footcandles under the pointer, and Save Image.

namespace toolkit {

// Message: the user asked for the room plan from a field; value[0] = that field's id.
inline constexpr int kPlanRequest = 12;
// Message: a room's light computed off the event loop is ready; value[0] = the number the
// program gave its request.
inline constexpr int kPlanComputed = 13;

// The fields from which the plan may be asked: each one's context menu offers
// "Room Plan...", and Ctrl+R in it asks; on `doubleClickIds` a double-click asks too.
// The requests arrive as kPlanRequest messages once wmessageenable turns them on.
void wplanfields(std::span<const int> ids, std::span<const int> doubleClickIds);

// Shows the scene in the plan window, in feet and footcandles or in metres and lux as the
// window's units switch chooses (it starts from the desktop's locale and keeps the
// user's choice for the run), opening it when `open` (and bringing it to the front);
// without `open` a closed window stays closed.
void wplanshow(const kandelor::plan::PlanScene& imperial, const kandelor::plan::PlanScene& metric,
               bool open);
// Shows, in place of a plan, the title and why there is none.
void wplannote(std::string_view title, std::string_view text, bool open);
// Says over the plan shown, dimmed, what the window waits for ("Computing the light…"),
// under the new title, until the next wplanshow or wplannote.
void wplanbusy(std::string_view title, std::string_view text, bool open);
bool wplanisopen();
void wplanclose();

}  // namespace toolkit
