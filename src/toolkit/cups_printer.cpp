#include "toolkit/cups_printer.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

#include "toolkit/cups_library.h"

namespace toolkit::detail {
namespace {

// A server that does not answer within this time counts as unreachable, so the program
// does not hang on a print.
constexpr int kConnectTimeoutMs = 5000;

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::filesystem::path serverRoot() {
  const std::string root = environment("CUPS_SERVERROOT");
  return root.empty() ? std::filesystem::path("/etc/cups") : std::filesystem::path(root);
}

std::filesystem::path userFolder() {
  const std::string home = environment("HOME");
  return home.empty() ? std::filesystem::path() : std::filesystem::path(home) / ".cups";
}

// The word after `keyword` on the first line of the file that starts with it; empty when
// the file cannot be read or has no such line.
std::string firstValue(const std::filesystem::path& file, std::string_view keyword) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string key, value;
    if (words >> key >> value && key == keyword) return value;
  }
  return {};
}

// The destination that the user or the administrator chose as the default without the
// scheduler's help: LPDEST, PRINTER ("lp" is the traditional placeholder), lpoptions.
std::string chosenName() {
  std::string name = environment("LPDEST");
  if (name.empty() && environment("PRINTER") != "lp") name = environment("PRINTER");
  if (name.empty() && !userFolder().empty())
    name = firstValue(userFolder() / "lpoptions", "Default");
  if (name.empty()) name = firstValue(serverRoot() / "lpoptions", "Default");
  return name.substr(0, name.find('/'));  // without an instance
}

// CUPS messages are sentences; ours put them after a colon.
std::string phrase(const char* text) {
  std::string result = text == nullptr ? "" : text;
  if (!result.empty() && result.back() == '.') result.pop_back();
  return result;
}

}  // namespace

DefaultPrinter::DefaultPrinter() : cups_(cupsLibrary()) {
  // Without libcups there is no printing system to print through.
  if (cups_ == nullptr) {
    none_ = true;
    return;
  }
  // The server may have changed since the last print (CUPS_SERVER, client.conf).
  cups_->cupsSetServer(nullptr);
  http_ = cups_->httpConnect2(cups_->cupsServer(), cups_->ippPort(), nullptr, AF_UNSPEC,
                              cups_->cupsEncryption(), 1, kConnectTimeoutMs, nullptr);
  if (http_ == nullptr) {
    resolveWithoutScheduler();
    return;
  }
  dest_ = cups_->cupsGetNamedDest(http_, nullptr, nullptr);
  if (dest_ != nullptr) {
    name_ = dest_->name;
    const char* state = cups_->cupsGetOption("printer-state", dest_->num_options, dest_->options);
    if (state != nullptr && std::atoi(state) == IPP_PSTATE_STOPPED) {
      failure_ = "the printer is stopped";
    }
    return;
  }
  if (cups_->cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
    name_ = chosenName();
    failure_ = "the print server answered: " + phrase(cups_->cupsLastErrorString());
    return;
  }
  name_ = chosenName();
  if (!name_.empty()) {
    failure_ = "there is no such printer";
    return;
  }
  cups_dest_t* dests = nullptr;
  const int count = cups_->cupsGetDests2(http_, &dests);
  cups_->cupsFreeDests(count, dests);
  if (count == 0) {
    none_ = true;
  } else {
    failure_ = "no printer is chosen as the default";
  }
}

// Without a scheduler, a printing system counts as set up when a printer is chosen or
// configured, or a server is named; only a machine with none of these has no printer.
void DefaultPrinter::resolveWithoutScheduler() {
  const std::filesystem::path printersConf = serverRoot() / "printers.conf";
  name_ = chosenName();
  if (name_.empty()) name_ = firstValue(printersConf, "<DefaultPrinter");
  if (name_.empty()) name_ = firstValue(printersConf, "<Printer");
  if (!name_.empty() && name_.back() == '>') name_.pop_back();

  std::error_code ignored;
  const bool unreadableConf =
      std::filesystem::exists(printersConf, ignored) && !std::ifstream(printersConf).is_open();
  const bool serverNamed =
      !environment("CUPS_SERVER").empty() ||
      !firstValue(serverRoot() / "client.conf", "ServerName").empty() ||
      (!userFolder().empty() && !firstValue(userFolder() / "client.conf", "ServerName").empty());
  if (name_.empty() && !unreadableConf && !serverNamed) {
    none_ = true;
    return;
  }
  failure_ = std::string("the print server (") + cups_->cupsServer() + ") cannot be reached";
}

DefaultPrinter::~DefaultPrinter() {
  if (dest_ != nullptr) cups_->cupsFreeDests(1, dest_);
  if (http_ != nullptr) cups_->httpClose(http_);
}

// The user's media option, else the printer's media-default. (cupsGetDestMediaDefault
// answers US Letter for an A4 cups-pdf queue, so it is not used.)
std::optional<DefaultPrinter::PaperSize> DefaultPrinter::paperSize() const {
  if (dest_ == nullptr) return std::nullopt;
  cups_dinfo_t* info = cups_->cupsCopyDestInfo(http_, dest_);
  const char* media = cups_->cupsGetOption(CUPS_MEDIA, dest_->num_options, dest_->options);
  if (media == nullptr && info != nullptr) {
    media =
        cups_->ippGetString(cups_->cupsFindDestDefault(http_, dest_, info, CUPS_MEDIA), 0, nullptr);
  }
  const pwg_media_t* size = nullptr;
  if (media != nullptr) {
    size = cups_->pwgMediaForPWG(media);
    if (size == nullptr) size = cups_->pwgMediaForLegacy(media);
    if (size == nullptr) size = cups_->pwgMediaForPPD(media);
  }
  std::optional<PaperSize> paper;
  if (size != nullptr && size->width > 0 && size->length > 0) {
    paper = PaperSize{size->width / 100.0, size->length / 100.0};  // hundredths of a millimetre
  }
  if (info != nullptr) cups_->cupsFreeDestInfo(info);
  return paper;
}

std::string DefaultPrinter::submit(const std::string& pdfFile, const std::string& title) {
  if (dest_ == nullptr) return failure_.empty() ? "there is no printer" : failure_;
  const int job =
      cups_->cupsPrintFile2(http_, dest_->name, pdfFile.c_str(), title.c_str(), 0, nullptr);
  if (job > 0) return {};
  if (cups_->cupsLastError() == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS) {
    return "the printer is not accepting jobs";
  }
  return "the print server refused the job: " + phrase(cups_->cupsLastErrorString());
}

}  // namespace toolkit::detail
