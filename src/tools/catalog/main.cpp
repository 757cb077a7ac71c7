// kandelor-catalog: computes the CU tables of 22 fixture types from their LM-63
// photometric files and writes the program's catalogue files light.dat and Type.dat,
// and on request a PDF datasheet of each type and the types' UGR tables.

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "calc/catalogue.h"
#include "calc/photometry/catalogue_list.h"
#include "calc/photometry/datasheet.h"
#include "calc/photometry/photometry_index.h"
#include "calc/photometry/ugr_csv.h"
#include "model/text_file.h"

#ifdef KANDELOR_CATALOG_SHEETS
#include "tools/catalog/datasheet_pdf.h"
#endif

namespace {

using kandelor::FileError;
using kandelor::FixtureCatalogue;
using kandelor::Result;
using namespace kandelor::photometry;

constexpr const char* kUsage =
    R"(Usage: kandelor-catalog [-o DIR] [--sheets PDF [--units imperial|si]] [--ugr CSV]
                        LIST
       kandelor-catalog [-o DIR] [--sheets PDF [--units imperial|si]] [--ugr CSV]
                        FILE,DESCRIPTION[,LAMPS] ... (22 entries)

Computes the coefficients of utilization of 22 fixture types from IES LM-63
photometric files (type C, TILT=NONE or TILT=INCLUDE) and writes the fixture
catalogue files light.dat and Type.dat into DIR (default: the current folder),
with photometry.dat, which names each type's photometric file (relative to DIR)
for the point-by-point light of kandelor-schedule.

LIST is a text file naming one fixture type per line, types 1 to 22 in order:
  FILE  DESCRIPTION  [LAMPS]
FILE is the photometric file (relative names are taken from the list's folder),
DESCRIPTION one word of at most 9 characters (no commas or slashes), LAMPS the
lamps per fixture (default: the file's number of lamps). '#' starts a comment.

Options:
  -o, --output DIR   folder to write light.dat, Type.dat and photometry.dat into
  -s, --sheets PDF   also write a datasheet of each type into the PDF file PDF
                     (taken from the current folder, not DIR): one US Letter page
                     per type with the luminaire text, lamps, polar candela curve,
                     candela values, zonal lumen summary and efficiency, the CU
                     table (ceiling 80 to 0 %, walls 70 to 10 %, RCR 0 to 10) and
                     the UGR table at spacing 1 H with the type's "UGR 4H 8H"
  -u, --ugr CSV      also write every type's UGR tables into the file CSV (taken
                     from the current folder; '-': standard output), by the
                     tabular method of CIE 190: 19 rooms X x Y (in H = 2 m from
                     the eye up to the luminaires), reflectances 70/50/20 to
                     30/30/20, crosswise and endwise, grid spacings 1 H and
                     0.25 H, corrected to the type's lamp lumens. Columns:
                     type,description,spacing_h,x_h,y_h,view,ceiling,walls,
                     floor,ugr (reflectances in per cent; an empty ugr: no
                     luminaire counts). A type whose file gives no luminous
                     area has no rows.
  --units UNITS      the datasheets' sizes in imperial (feet; the default) or si
                     (millimetres) units; the CU table is the same either way
  -h, --help         show this text
)";

#ifdef KANDELOR_CATALOG_SHEETS
constexpr const char* kSheetsNote = "";
#else
constexpr const char* kSheetsNote =
    "\nThis build has no Qt GUI (KANDELOR_BUILD_GUI=OFF): --sheets is not available.\n";
#endif

int usageError(const std::string& message) {
  std::cerr << "kandelor-catalog: " << message << "\n"
            << "Try 'kandelor-catalog --help' for more information.\n";
  return 2;
}

int fileError(const FileError& error) {
  std::cerr << "kandelor-catalog: " << error.message() << "\n";
  return 1;
}

// Entries given as FILE,DESCRIPTION[,LAMPS] arguments.
Result<std::vector<CatalogueEntry>> entriesFromArguments(const std::vector<std::string>& args) {
  std::vector<CatalogueEntry> entries;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::vector<std::string_view> words;
    std::string_view rest = args[i];
    while (true) {
      const auto comma = rest.find(',');
      words.push_back(rest.substr(0, comma));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    auto entry = parseCatalogueEntry(words, "argument", static_cast<int>(i) + 1);
    if (!entry) return entry.error();
    entries.push_back(std::move(entry).value());
  }
  return entries;
}

}  // namespace

int main(int argc, char** argv) {
  std::string outputDir = ".";
  std::string sheetsPath;
  std::string ugrPath;
  [[maybe_unused]] kandelor::Units units = kandelor::Units::Imperial;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      std::cout << kUsage << kSheetsNote;
      return 0;
    }
    if (arg == "-o" || arg == "--output") {
      if (i + 1 >= argc) return usageError("option " + arg + " needs a folder");
      outputDir = argv[++i];
    } else if (arg == "-s" || arg == "--sheets") {
      if (i + 1 >= argc) return usageError("option " + arg + " needs a PDF file name");
#ifdef KANDELOR_CATALOG_SHEETS
      sheetsPath = argv[++i];
#else
      return usageError("this build cannot write datasheets (it has no Qt GUI)");
#endif
    } else if (arg == "-u" || arg == "--ugr") {
      if (i + 1 >= argc) return usageError("option " + arg + " needs a CSV file name or -");
      ugrPath = argv[++i];
    } else if (arg == "--units") {
      const std::string value = i + 1 < argc ? argv[++i] : "";
      if (value != "imperial" && value != "si") {
        return usageError("--units must be imperial or si, not '" + value + "'");
      }
      units = value == "si" ? kandelor::Units::Si : kandelor::Units::Imperial;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return usageError("unknown option " + arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.empty()) return usageError("no list file or fixture entries given");
  const bool wantSheets = !sheetsPath.empty() || !ugrPath.empty();
  // With the CSV on standard output, what the tool says goes to standard error.
  std::FILE* report = ugrPath == "-" ? stderr : stdout;

  Result<FixtureCatalogue> catalogue = FileError{};
  Result<std::vector<Datasheet>> sheets = std::vector<Datasheet>{};
  PhotometryFiles index;
  if (positional.size() == 1 && positional[0].find(',') == std::string::npos) {
    catalogue = buildCatalogueFromList(positional[0]);
    if (catalogue && wantSheets) sheets = buildDatasheetsFromList(positional[0]);
    if (catalogue) {
      auto files = indexOfList(positional[0], outputDir);
      if (!files) return fileError(files.error());
      index = std::move(files).value();
    }
  } else {
    auto entries = entriesFromArguments(positional);
    if (!entries) {
      const FileError& error = entries.error();
      return usageError("argument " + std::to_string(error.line) + ": " + error.what);
    }
    catalogue = buildCatalogue(*entries, "", "arguments");
    if (catalogue && wantSheets) sheets = buildDatasheets(*entries, "");
    index = indexOfEntries(*entries, "", outputDir);
  }
  if (!catalogue) return fileError(catalogue.error());
  if (!sheets) return fileError(sheets.error());

  // Everything is computed and drawn before the first file is written.
  std::string pdf;
#ifdef KANDELOR_CATALOG_SHEETS
  if (!sheetsPath.empty()) {
    auto rendered = kandelor::catalog::renderDatasheetPdf(*sheets, sheetsPath, units);
    if (!rendered) return fileError(rendered.error());
    pdf = std::move(rendered).value();
  }
#endif

  const std::string csv = ugrPath.empty() ? std::string() : formatUgrCsv(*sheets);

  std::error_code ec;
  std::filesystem::create_directories(outputDir, ec);
  const FixtureCatalogue& types = *catalogue;
  const std::filesystem::path dir(outputDir);
  for (const auto& [name, text] : {std::pair{"light.dat", kandelor::formatLightDat(types)},
                                   std::pair{"Type.dat", kandelor::formatTypeDat(types)},
                                   std::pair{kPhotometryIndexFile, formatPhotometryIndex(index)}}) {
    if (const auto written = kandelor::writeFileAtomically((dir / name).string(), text); !written) {
      return fileError(written.error());
    }
  }
  for (std::size_t i = 0; i < types.types.size(); ++i) {
    const auto& type = types.types[i];
    std::fprintf(report, "%2zu %-9s %d lamps  CU 80/50: RCR 1 %3d%%  RCR 5 %3d%%  RCR 10 %3d%%\n",
                 i + 1, std::string(type.description.trimmed()).c_str(), type.lampsPerFixture,
                 type.cu(13, 1), type.cu(13, 5), type.cu(13, 10));
  }
  std::fprintf(report, "Wrote %s, %s and %s\n", (dir / "light.dat").string().c_str(),
               (dir / "Type.dat").string().c_str(), (dir / kPhotometryIndexFile).string().c_str());
  if (!sheetsPath.empty()) {
    if (const auto written = kandelor::writeFileAtomically(sheetsPath, pdf); !written) {
      return fileError(written.error());
    }
    std::fprintf(report, "Wrote %zu datasheets to %s\n", sheets->size(), sheetsPath.c_str());
  }
  if (!ugrPath.empty()) {
    if (ugrPath == "-") {
      std::fwrite(csv.data(), 1, csv.size(), stdout);
      if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "kandelor-catalog: cannot write the UGR tables to standard output\n");
        return 1;
      }
    } else if (const auto written = kandelor::writeFileAtomically(ugrPath, csv); !written) {
      return fileError(written.error());
    } else {
      std::fprintf(report, "Wrote the UGR tables to %s\n", ugrPath.c_str());
    }
    for (const Datasheet& sheet : *sheets) {
      if (!sheet.ugr) {
        std::fprintf(report, "Type %d has no UGR table: %s\n", sheet.typeNumber,
                     sheet.ugrMissing.c_str());
      }
    }
  }
  return 0;
}
