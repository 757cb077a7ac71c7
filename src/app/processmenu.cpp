#include <array>
#include <cstddef>

#include "app/commands.h"
#include "form/calc_data.h"
#include "toolkit/toolkit.h"

namespace kandelor {

void calculate(AppState& state) {
  CalcData(state.page(), state.catalogue);
}

void showHelp() {
  toolkit::whelpfile1("HELP.HLP");
}

namespace {

using CommandFn = void (*)(AppState&, int& quit);

constexpr int kFirstMenuId = 40001;

// The command of each menu id from 40001 on; the popups' own ids (40003, 40009,
// 40016) have none.
constexpr std::array<CommandFn, 18> kCommands{
    [](AppState& s, int&) { printReport(s); },         // 40001 Print
    [](AppState&, int& quit) { quit = 1; },            // 40002 Exit
    nullptr,                                           // 40003 File popup
    [](AppState&, int&) { showHelp(); },               // 40004 Help
    [](AppState& s, int&) { newProject(s); },          // 40005 New
    [](AppState& s, int&) { openProject(s); },         // 40006 Open
    [](AppState& s, int&) { saveProject(s); },         // 40007 Save
    [](AppState& s, int&) { saveProjectAs(s); },       // 40008 Save As
    nullptr,                                           // 40009 Zones popup
    [](AppState& s, int&) { switchPage(s, 1); },       // 40010
    [](AppState& s, int&) { switchPage(s, 2); },       // 40011
    [](AppState& s, int&) { switchPage(s, 3); },       // 40012
    [](AppState& s, int&) { switchPage(s, 4); },       // 40013
    [](AppState& s, int&) { switchPage(s, 5); },       // 40014
    [](AppState& s, int&) { calculate(s); },           // 40015 Calculate
    nullptr,                                           // 40016 Spreadsheet popup
    [](AppState& s, int&) { s.spreadsheetMode = 1; },  // 40017 On
    [](AppState& s, int&) { s.spreadsheetMode = 0; },  // 40018 Off
};

}  // namespace

void processmenu(int menuId, int& quit, AppState& state) {
  const long index = static_cast<long>(menuId) - kFirstMenuId;
  if (index < 0 || index >= static_cast<long>(kCommands.size())) return;
  if (const CommandFn command = kCommands[static_cast<std::size_t>(index)]) command(state, quit);
}

}  // namespace kandelor
