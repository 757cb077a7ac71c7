#include "app/commands.h"
#include "app/messages.h"
#include "app/recovery.h"
#include "app/status_texts.h"
#include "app/unsaved_work.h"
#include "form/form_transfer.h"
#include "model/project_file.h"

namespace kandelor {

void switchPage(AppState& state, int page) {
  gatherForm(state);
  if (const auto saved = savedata(state.project, state.currentFileName); !saved) {
    // Without a saved file there is nothing to read back: stay on this page with its edits.
    showFileError(saved.error());
    return;
  }
  state.currentPage = page;
  // The file was just written from this project, so if it cannot be read back the
  // project in memory still holds exactly what it should show.
  if (const auto loaded = loaddata(state.project, state.currentFileName); !loaded)
    showFileError(loaded.error());
  PutData(state.page());
  PutReflectances(state.project);
  showVerdicts(state);
  showPageInStatusBar(page);
  markSaved(state);
  discardRecoveryCopy(state);
}

}  // namespace kandelor
