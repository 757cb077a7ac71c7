#pragma once

#include <string>

#include "app/app_state.h"

namespace kandelor {

// The recovery copy of a project file: a hidden file beside it, ".NAME.recovery".
std::string recoveryFileName(const std::string& projectFile);

// Writes the project shown to the recovery copy when it holds unsaved work that the copy
// does not hold yet; removes the copy when nothing is unsaved. A copy that cannot be
// written is told once and never stops the user.
void keepRecoveryCopy(AppState& state);

// Removes the recovery copy of the current file: its work was saved or discarded.
void discardRecoveryCopy(AppState& state);

// After the current file was loaded: when a recovery copy of it is left from a run that
// did not end normally, offers to restore it (Restore, Discard, or Later, which keeps the
// copy). A copy that cannot be read is set aside under another name and named in a
// message; it never replaces anything. Restored results count as stale until calculated.
void offerRecovery(AppState& state);

// At start-up: offers every recovery copy in the working folder, newest first, whatever
// project it belongs to. Restore opens that project with the changes, as the current
// file; the copies not yet answered then wait for the next start or Open.
void offerRecoveries(AppState& state);

}  // namespace kandelor
