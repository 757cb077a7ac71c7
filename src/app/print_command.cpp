#include <string>

#include "app/commands.h"
#include "app/messages.h"
#include "app/program_title.h"
#include "app/report.h"
#include "form/field_ids.h"
#include "model/text_file.h"
#include "toolkit/toolkit.h"

namespace kandelor {

namespace {
constexpr const char* kReportFile = "out.dat";
}  // namespace

// Writes the current page's report to "out.dat" and prints it: the page as the form
// shows it, read into the project first (nothing is saved to disk).
void printReport(AppState& state) {
  gatherForm(state);
  const int ceilingChoice = toolkit::wdialoggetmenu1(kCeilingReflectanceList);
  const int wallChoice = toolkit::wdialoggetmenu1(kWallReflectanceList);
  state.reportPercentages.update(ceilingChoice, wallChoice);

  const std::string report = formatReport(state.page(), state.reportPercentages, state.currentPage);
  if (const auto written = writeFileAtomically(kReportFile, report); !written) {
    showFileError(written.error());
    return;
  }
  toolkit::igrhardcopyoptions(toolkit::kPageOrientation, toolkit::kPortrait);
  toolkit::whardcopyoptionstext();
  const auto printed = toolkit::igrhardcopytextfile(kReportFile);
  if (!printed) {
    std::string message = "The report was written to \"out.dat\" but could not be printed";
    if (!printed.printer.empty()) message += " on \"" + printed.printer + "\"";
    toolkit::wmessagebox(kProgramTitle, message + ": " + printed.failure + ".");
  } else if (!printed.pdfFile.empty()) {
    // Without a printer the copy is a file the user has to know about.
    toolkit::wmessagebox(
        kProgramTitle, "No printer is set up: the report was written to " + printed.pdfFile + ".");
  }
}

}  // namespace kandelor
