#include "tools/capcalc-script/batch.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <ostream>
#include <span>
#include <vector>

#include "calc/model/csv_table.h"
#include "calc/pages/calculation_buttons.h"
#include "calc/pages/capacitor_boxes.h"
#include "calc/pages/control_io.h"
#include "calc/pages/main_window.h"
#include "calc/pages/page_sheets.h"
#include "calc/pages/protection_boxes.h"
#include "calc/pages/sheet_reopening.h"
#include "calc/sheet/sheet_html.h"
#include "calc/sheet/sheet_json.h"
#include "calc/sheet/sheet_pdf.h"
#include "runtime/core/live_control.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/core/number_format.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"
#include "runtime/ui/loop/posted_calls.h"
#include "tools/capcalc-script/bank_rows.h"
#include "tools/capcalc-script/starting_folder.h"

namespace script {
namespace {

// A table of a million banks is some 100 MB; a larger file is refused unread.
constexpr size_t kLargestTable = size_t{256} << 20;
constexpr size_t kProgressEvery = 100;

constexpr calc::CalculationPage kPages[] = {
    calc::CalculationPage::kCapacitorPage, calc::CalculationPage::kOpenDeltaPage,
    calc::CalculationPage::kDifferentialPage, calc::CalculationPage::kNeutralLinePage,
    calc::CalculationPage::kBridgePage};
constexpr calc::Variant kVariants[] = {calc::Variant::kCapacitorParameters,
                                       calc::Variant::kFuseless, calc::Variant::kExternalFuses,
                                       calc::Variant::kInternalFuses};

// The box whose sheet a bank files: the page's setting, on page 1 the rated current.
uint32_t SheetBoxOf(calc::CalculationPage page) {
  return page == calc::CalculationPage::kCapacitorPage ? calc::kCapacitorResultBoxes[0]
                                                       : calc::BoxesOfPage(page).result;
}

void Click(uint32_t button) {
  rt::LoadedWindow* window = rt::FindLoadedWindow(calc::kMainWindowId);
  rt::ControlState* control = window ? rt::FindControl(*window, button) : nullptr;
  if (control && control->live) control->live->UserClick();
  rt::RunPostedCalls();
}

// The bank calculated in the window as a user would: its boxes filled, its "计算" clicked.
std::optional<calc::Sheet> Calculate(const Bank& bank, std::string* problem) {
  *problem = rt::GbkToUtf8(calc::PutBackSavedSheet(bank.sheet));
  rt::RunPostedCalls();
  if (!problem->empty()) return std::nullopt;
  Click(calc::CalculationButtonOf(bank.sheet.page, bank.sheet.variant)->button);
  return calc::SheetBehind(SheetBoxOf(bank.sheet.page));
}

std::string CsvField(const std::string& utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
  std::string quoted = "\"";
  for (char c : utf8) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string SummaryLine(const Bank& bank, const calc::Sheet& sheet) {
  std::string warnings;
  for (const calc::SheetWarning& warning : sheet.warnings)
    warnings += (warnings.empty() ? "" : "；") + warning.message;
  const std::string k = sheet.failed_count ? rt::FormatDouble(sheet.failed_count->used) : "";
  std::string line;
  for (const std::string& field : {bank.name, bank.page_name, bank.variant_name, sheet.setting.text,
                                   sheet.setting.unit, k, warnings})
    line += (line.empty() ? "" : ",") + CsvField(rt::GbkToUtf8(field));
  return line + "\r\n";
}

// A bank's files, made and waiting to be written with others.
struct PendingBank {
  size_t number;
  std::vector<std::string> paths;  // UTF-8
  std::vector<std::string> contents;
  std::string summary_line;
};

// Writes the banks' files whole, with one wait for the disk for them all; a bank whose
// files could not all be written so is written alone, which reports its own failure.
// The summary lines of the banks written; false when any failed.
bool WriteBanks(const std::vector<PendingBank>& banks, std::string* summary, std::ostream& err) {
  std::vector<rt::platform::WholeFile> files;
  for (const PendingBank& bank : banks)
    for (size_t i = 0; i < bank.paths.size(); ++i)
      files.push_back(
          {rt::Utf8ToGbk(bank.paths[i]),
           {reinterpret_cast<const uint8_t*>(bank.contents[i].data()), bank.contents[i].size()}});
  size_t failed = 0;
  size_t written = rt::platform::ReplaceFilesAtomically(files, nullptr, &failed);
  bool all_written = true;
  size_t first_file = 0;
  for (const PendingBank& bank : banks) {
    std::span<const rt::platform::WholeFile> own(files.data() + first_file, bank.paths.size());
    first_file += bank.paths.size();
    std::string reason;
    if (first_file > written &&
        rt::platform::ReplaceFilesAtomically(own, &reason, &failed) < own.size()) {
      err << "row " << bank.number << ": cannot write \"" << bank.paths[failed]
          << "\": " << rt::GbkToUtf8(reason) << "\n";
      all_written = false;
      continue;
    }
    *summary += bank.summary_line;
  }
  return all_written;
}

class Batch {
 public:
  Batch(const BatchRequest& request, std::ostream& err)
      : folder_(FromStartingFolder(request.folder)), pdf_(request.pdf), err_(err) {
    for (calc::CalculationPage page : kPages)
      for (calc::Variant variant : kVariants)
        for (uint32_t box : calc::InputBoxesOf(page, variant)) fresh_[box] = calc::ReadText(box);
  }

  // Makes the bank of the row; false after reporting why the row is bad.
  bool Make(const BankColumns& columns, const calc::CsvRow& row, size_t number) {
    std::variant<Bank, std::string> bank =
        BankOf(columns, row, [this](uint32_t box) { return fresh_[box]; });
    std::string problem = std::holds_alternative<std::string>(bank)
                              ? std::get<std::string>(bank)
                              : Made(std::get<Bank>(bank), number);
    if (pending_.size() >= kBanksWrittenTogether) all_written_ &= Flush();
    if (problem.empty()) return true;
    err_ << "row " << number << ": " << problem << "\n";
    return false;
  }

  // Writes what waits, then the summary; false when any bank's files or the summary
  // could not be written.
  bool Finish() {
    all_written_ &= Flush();
    const std::string content =
        "\xEF\xBB\xBFname,page,variant,setting,unit,K,warnings\r\n" + summary_;
    const auto* bytes = reinterpret_cast<const uint8_t*>(content.data());
    std::string reason;
    if (rt::platform::ReplaceFileAtomically(rt::Utf8ToGbk(PathOf("summary.csv")),
                                            {bytes, content.size()}, &reason))
      return all_written_;
    err_ << "capcalc-script: cannot write \"" << PathOf("summary.csv")
         << "\": " << rt::GbkToUtf8(reason) << "\n";
    return false;
  }

 private:
  // Banks whose files wait for one another: a few megabytes of sheets in memory.
  static constexpr size_t kBanksWrittenTogether = 50;

  std::string PathOf(const std::string& utf8_name) const {
    return folder_ + rt::platform::FolderSeparator() + utf8_name;
  }

  bool Flush() {
    const bool written = WriteBanks(pending_, &summary_, err_);
    pending_.clear();
    return written;
  }

  std::string Made(const Bank& bank, size_t number) {
    std::string key = bank.name;  // a name taken twice, as a system that ignores case sees it
    std::transform(key.begin(), key.end(), key.begin(), [](char c) {
      return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    if (auto [taken, fresh] = names_.emplace(key, number); !fresh)
      return "the name \"" + rt::GbkToUtf8(bank.name) + "\" is taken by row " +
             std::to_string(taken->second);
    std::string problem;
    std::optional<calc::Sheet> sheet = Calculate(bank, &problem);
    if (!sheet) return problem;
    const std::string name = rt::GbkToUtf8(bank.name);
    PendingBank pending{number,
                        {PathOf(name + ".json"), PathOf(name + ".html")},
                        {calc::SheetJson(*sheet), calc::SheetHtml(*sheet)},
                        SummaryLine(bank, *sheet)};
    if (pdf_) {
      std::string pdf = calc::SheetPdf(*sheet);
      if (pdf.empty()) return "the PDF could not be made";
      pending.paths.push_back(PathOf(name + ".pdf"));
      pending.contents.push_back(std::move(pdf));
    }
    pending_.push_back(std::move(pending));
    return {};
  }

  std::string folder_;
  bool pdf_;
  std::ostream& err_;
  std::map<uint32_t, std::string> fresh_;  // the boxes' texts before the first bank
  std::map<std::string, size_t> names_;
  std::vector<PendingBank> pending_;
  std::string summary_;
  bool all_written_ = true;
};

std::optional<calc::CsvTable> TableOf(const BatchRequest& request, std::ostream& err) {
  std::string bytes, reason;
  if (!rt::platform::ReadFileUpTo(rt::Utf8ToGbk(FromStartingFolder(request.table)), kLargestTable,
                                  &bytes, &reason)) {
    err << "capcalc-script: cannot read " << request.table << ": " << rt::GbkToUtf8(reason) << "\n";
    return std::nullopt;
  }
  calc::CsvTable table = calc::ReadCsvTable(bytes);
  if (!table.error.empty()) {
    err << "capcalc-script: " << request.table << ": line " << table.error_line << ": "
        << table.error << "\n";
    return std::nullopt;
  }
  if (table.rows.empty()) {
    err << "capcalc-script: " << request.table << " has no header row\n";
    return std::nullopt;
  }
  return table;
}

}  // namespace

int RunBatch(const BatchRequest& request, std::ostream& err) {
  std::optional<calc::CsvTable> table = TableOf(request, err);
  if (!table) return 2;
  std::variant<BankColumns, std::string> columns = ColumnsOf(table->rows.front());
  if (auto* problem = std::get_if<std::string>(&columns)) {
    err << "capcalc-script: " << request.table << ": " << *problem << "\n";
    return 2;
  }
  if (!rt::platform::AnyEntryMatches(rt::Utf8ToGbk(FromStartingFolder(request.folder)))) {
    err << "capcalc-script: no folder \"" << request.folder << "\"\n";
    return 2;
  }
  Batch batch(request, err);
  const size_t banks = table->rows.size() - 1;
  bool all_made = true;
  for (size_t number = 1; number <= banks; ++number) {
    all_made &= batch.Make(std::get<BankColumns>(columns), table->rows[number], number);
    if (banks > kProgressEvery && (number % kProgressEvery == 0 || number == banks))
      err << "progress: " << number << " of " << banks << " rows\n";
  }
  all_made &= batch.Finish();
  return all_made ? 0 : 2;
}

}  // namespace script
