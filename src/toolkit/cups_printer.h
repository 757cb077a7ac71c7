#pragma once

#include <optional>
#include <string>

typedef struct _http_s http_t;
typedef struct cups_dest_s cups_dest_t;

namespace toolkit::detail {

struct CupsLibrary;

// The default destination as CUPS resolves it (LPDEST, PRINTER, lpoptions, then the
// scheduler's default), asked afresh for each print. Standard C++ over libcups, loaded
// when first needed.
class DefaultPrinter {
 public:
  DefaultPrinter();
  ~DefaultPrinter();
  DefaultPrinter(const DefaultPrinter&) = delete;
  DefaultPrinter& operator=(const DefaultPrinter&) = delete;

  // True when the machine has no printer at all: no destination and no printing system
  // set up (or libcups is not installed). Only then may the pages go somewhere other than a
  // printer.
  bool none() const { return none_; }
  // The printer's name; empty when none is known.
  const std::string& name() const { return name_; }
  // Why it cannot print, as a phrase such as "the printer is stopped"; empty when it can.
  const std::string& failure() const { return failure_; }

  struct PaperSize {
    double widthMm = 0;
    double heightMm = 0;
  };
  // The printer's default paper, when it tells one.
  std::optional<PaperSize> paperSize() const;

  // Sends a PDF file to the printer as a job of that title. Empty when the scheduler took
  // the job; else why it did not.
  std::string submit(const std::string& pdfFile, const std::string& title);

 private:
  void resolveWithoutScheduler();

  const CupsLibrary* cups_;
  http_t* http_ = nullptr;
  cups_dest_t* dest_ = nullptr;
  bool none_ = false;
  std::string name_;
  std::string failure_;
};

}  // namespace toolkit::detail
