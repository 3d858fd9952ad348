#include "calc/sheet_window/measured_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/Fl_Tabs.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>

#include <list>
#include <memory>
#include <optional>
#include <tuple>
#include <variant>

#include "calc/model/fault_table.h"
#include "calc/model/measured_check.h"
#include "calc/model/measured_grid.h"
#include "calc/model/rebalancing.h"
#include "calc/pages/calculator_state.h"
#include "calc/pages/measured_banks.h"
#include "calc/pages/page_sheets.h"
#include "calc/pages/protection_boxes.h"
#include "calc/sheet_window/button_caption.h"
#include "calc/sheet_window/capacitance_grid.h"
#include "calc/sheet_window/file_chooser.h"
#include "calc/sheet_window/sheet_window.h"
#include "calc/sheet_window/sheet_windows.h"
#include "runtime/core/number_format.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"
#include "runtime/ui/controls/look.h"
#include "runtime/ui/system/message_box.h"

namespace calc {
namespace {

constexpr int kWidth = 760, kHeight = 600, kSpacing = 10;
constexpr int kButtonWidth = 96, kButtonHeight = 28, kTabHeight = 26;
constexpr int kGridHeight = 300;
// The positions a message names before it only counts the rest.
constexpr size_t kPositionsNamed = 8;
constexpr size_t kMostCsvBytes = size_t{64} << 20;

const ProtectionOutcome* LastOutcomeOf(CalculationPage page) {
  const CalculatorState* calculator = Calculator();
  const Calculation* calculation =
      calculator ? calculator->Behind(BoxesOfPage(page).result) : nullptr;
  return calculation ? std::get_if<ProtectionOutcome>(&calculation->outcome) : nullptr;
}

std::string WithUnit(CalculationPage page, double value) {
  return TableNumber(value) + (MeasuresVoltage(page) ? " V" : " A");
}

// The exchange's arrow "↔" as the window's CJK faces can draw it: they have no such glyph,
// and the toolkit takes none from another face, so it would show as an empty box.
std::string Drawable(std::string exchange) {
  const std::string arrow = "↔", drawn = "←→";
  for (size_t at = exchange.find(arrow); at != std::string::npos; at = exchange.find(arrow, at))
    exchange.replace(at, arrow.size(), drawn);
  return exchange;
}

// "A相", "A相2星", "A相3臂".
std::string SectionName(const BankShape& shape, int phase, int branch) {
  std::string name = std::string(1, char('A' + phase)) + "相";
  if (shape.branches > 1)
    name += rt::FormatInteger(branch + 1) +
            (shape.page == CalculationPage::kNeutralLinePage ? "星" : "臂");
  return name;
}

// The file the chooser gave (UTF-8), empty when cancelled; the folder it lies in is the one
// the choosers offer next.
std::string ChooseCsv(const char* gbk_title, Fl_Native_File_Chooser::Type type,
                      const std::string& gbk_name) {
  const std::optional<ChosenFile> chosen =
      ChooseFile(type, gbk_title, "CSV\t*.csv", rt::GbkToUtf8(gbk_name));
  if (!chosen) return {};
  OfferFolderOf(chosen->utf8_path);
  return chosen->utf8_path;
}

}  // namespace

class MeasuredWindow : public Fl_Double_Window {
 public:
  explicit MeasuredWindow(CalculationPage page) : Fl_Double_Window(kWidth, kHeight), page_(page) {
    const rt::ToolkitFont font = rt::ToToolkitFont(std::nullopt);
    tabs_ = new Fl_Tabs(kSpacing, kSpacing, kWidth - 2 * kSpacing, kGridHeight);
    tabs_->labelfont(font.face);
    tabs_->end();
    const int check_y = kSpacing * 2 + kGridHeight;
    check_ = new Fl_Text_Display(kSpacing, check_y, kWidth - 2 * kSpacing,
                                 kHeight - check_y - ButtonRowHeight());
    check_->buffer(&check_text_);
    check_->textfont(font.face);
    check_->textsize(font.size);
    check_->wrap_mode(Fl_Text_Display::WRAP_AT_BOUNDS, 0);  // a warning reads whole
    const int y = kHeight - kSpacing - kButtonHeight;
    int x = kSpacing;
    for (auto [button, caption, action] :
         {std::tuple{&import_, "导入…", &MeasuredWindow::Import},
          std::tuple{&export_, "导出…", &MeasuredWindow::Export},
          std::tuple{&rebalance_, "配平", &MeasuredWindow::Rebalance},
          std::tuple{&export_rebalanced_, "导出配平…", &MeasuredWindow::ExportRebalanced},
          std::tuple{&close_, "关闭", &MeasuredWindow::Close}}) {
      if (button == &close_) x = kWidth - kSpacing - kButtonWidth;
      *button = new Fl_Button(x, y, kButtonWidth, kButtonHeight);
      LabelButton(**button, caption, captions_);
      (*button)->callback(action, this);
      x += kButtonWidth + kSpacing;
    }
    end();
    resizable(check_);
    callback(&MeasuredWindow::Close, this);
  }

  // The widgets go first: the check's display uses the buffer, the grids the cells.
  ~MeasuredWindow() override { clear(); }

  // Lays the window out for the page's last calculation and shows it in front.
  void Present(const BankShape& shape) {
    if (!shape_ || shape_->M != shape.M || shape_->N != shape.N) LayOut(shape);
    title_ = rt::GbkToUtf8("实测电容：" + PageName());
    label(title_.c_str());
    Update();
    show();
  }

 private:
  static int ButtonRowHeight() { return kButtonHeight + 2 * kSpacing; }

  std::string PageName() const {
    const std::optional<Sheet> sheet = SheetBehind(BoxesOfPage(page_).result);
    return sheet ? sheet->page_title : std::string();
  }

  // A tab for each section, its cells those of the page's measured bank when it has one
  // of this shape.
  void LayOut(const BankShape& shape) {
    shape_ = shape;
    const MeasuredBanks* banks = Calculator()->MeasuredBanksOf(page_);
    const bool same = banks && banks->measured.shape.M == shape.M &&
                      banks->measured.shape.N == shape.N && banks->measured.shape.page == page_;
    cells_ = same ? GridCells(banks->measured) : std::vector<std::string>(shape.UnitCount());
    rebalancing_.reset();
    tabs_->clear();
    section_names_.clear();
    tabs_->begin();
    const int x = tabs_->x(), y = tabs_->y() + kTabHeight, w = tabs_->w(),
              h = tabs_->h() - kTabHeight;
    for (int phase = 0; phase < 3; ++phase)
      for (int branch = 0; branch < shape.branches; ++branch) {
        section_names_.push_back(rt::GbkToUtf8(SectionName(shape, phase, branch)));
        auto* group = new Fl_Group(x, y, w, h, section_names_.back().c_str());
        group->labelfont(rt::ToToolkitFont(std::nullopt).face);
        auto* grid = new CapacitanceGrid(x + 2, y + 2, w - 4, h - 4, shape, phase, branch, cells_,
                                         [this] { CellsChanged(); });
        group->resizable(grid);
        group->end();
      }
    tabs_->end();
    tabs_->value(tabs_->child(0));
    redraw();
  }

  // The grid complete is the page's measured bank; incomplete, the page has none.
  // A rebalancing goes with the bank it was made of.
  void CellsChanged() {
    const GridReading reading = ReadGrid(*shape_, cells_);
    CalculatorState& calculator = *Calculator();
    const MeasuredBanks* banks = calculator.MeasuredBanksOf(page_);
    if (reading.bank) {
      if (!banks || banks->measured.shape.M != shape_->M || banks->measured.shape.N != shape_->N ||
          banks->measured.capacitances != reading.bank->capacitances) {
        calculator.KeepMeasuredBank(*reading.bank);
        rebalancing_.reset();
      }
    } else {
      if (banks) calculator.ForgetMeasuredBank(page_);
      rebalancing_.reset();
    }
    Update();
    RefreshSheetWindow(page_);
  }

  // The check of the grid against the page's last calculation, and the rebalancing once
  // it has been made.
  void Update() {
    std::string text;
    const GridReading reading = ReadGrid(*shape_, cells_);
    const ProtectionOutcome* outcome = LastOutcomeOf(page_);
    if (!reading.empty.empty())
      text += "尚缺 " + rt::FormatInteger(int64_t(reading.empty.size())) + " 台的电容：" +
              PositionList(*shape_, reading.empty, kPositionsNamed) + "\n";
    if (!reading.refused.empty())
      text += "不是正数（µF，0.000001 到 1000000）：" +
              PositionList(*shape_, reading.refused, kPositionsNamed) + "\n";
    if (reading.bank && outcome) text += CheckText(*outcome, *reading.bank);
    if (rebalancing_ && outcome) text += RebalancingText(*outcome);
    check_text_.text(rt::GbkToUtf8(text).c_str());
    const bool complete = reading.bank.has_value() && outcome;
    export_->activate();
    if (!reading.bank) export_->deactivate();
    rebalance_->activate();
    if (!complete) rebalance_->deactivate();
    export_rebalanced_->activate();
    if (!rebalancing_) export_rebalanced_->deactivate();
  }

  std::string CheckText(const ProtectionOutcome& outcome, const MeasuredBank& bank) const {
    const MeasuredAnalysis analysis = CheckMeasuredBank(outcome, bank);
    std::string text;
    if (const std::optional<MeasuredCheck>& check = analysis.check) {
      text += "初始不平衡信号 S0 = " + WithUnit(page_, check->initial_signal) + "，为整定值 " +
              SettingSymbol(page_) + " = " + WithUnit(page_, outcome.setting) + " 的 " +
              TableNumber(check->share_of_setting * 100) + " %\n";
      if (check->phase_signals) {
        text += "各相：";
        for (int phase = 0; phase < 3; ++phase)
          text += std::string(phase ? "，" : "") + char('A' + phase) + "相 " +
                  WithUnit(page_, (*check->phase_signals)[size_t(phase)]);
        text += "\n";
      }
      text += "单台电容器最高电压 " + TableNumber(check->highest_unit_voltage) +
              "（以额定 Uψ / N 为 1）\n";
    }
    for (const SheetWarning& warning : analysis.warnings) text += "警告：" + warning.message + "\n";
    return text;
  }

  std::string RebalancingText(const ProtectionOutcome& outcome) const {
    std::string text = "配平：S0 由 " + WithUnit(page_, PageSignal(outcome, rebalancing_->before)) +
                       " 降至 " + WithUnit(page_, PageSignal(outcome, rebalancing_->after)) +
                       "，交换 " + rt::FormatInteger(int64_t(rebalancing_->exchanges.size())) +
                       " 次";
    text += rebalancing_->exchanges.empty() ? "（已无可降低信号的交换）\n" : "：\n";
    for (const auto& exchange : rebalancing_->exchanges)
      text += "  " + Drawable(ExchangeText(*shape_, exchange)) + "\n";
    return text;
  }

  static MeasuredWindow& Of(void* self) { return *static_cast<MeasuredWindow*>(self); }

  static void Import(Fl_Widget*, void* self) {
    MeasuredWindow& window = Of(self);
    const std::string path =
        ChooseCsv("导入实测电容", Fl_Native_File_Chooser::BROWSE_FILE, std::string());
    if (path.empty()) return;
    const MeasuredBankLoad load = LoadMeasuredBank(BoxesOfPage(window.page_).result, path);
    if (!load.error.empty()) {
      rt::PresentInMessageBox(
          "实测电容未能导入：\n" + rt::Utf8ToGbk(path) + "\n" +
          (load.csv_line ? "第 " + rt::FormatInteger(int64_t(load.csv_line)) + " 行：" : "") +
          load.error);
      return;
    }
    window.cells_ = GridCells(Calculator()->MeasuredBanksOf(window.page_)->measured);
    window.rebalancing_.reset();
    window.Update();
    window.redraw();
    RefreshSheetWindow(window.page_);
  }

  static void Export(Fl_Widget*, void* self) {
    MeasuredWindow& window = Of(self);
    const GridReading reading = ReadGrid(*window.shape_, window.cells_);
    if (!reading.bank) return;
    window.Write("导出实测电容", "实测电容.csv", MeasuredBankCsv(*reading.bank));
  }

  static void Rebalance(Fl_Widget*, void* self) {
    MeasuredWindow& window = Of(self);
    const GridReading reading = ReadGrid(*window.shape_, window.cells_);
    const ProtectionOutcome* outcome = LastOutcomeOf(window.page_);
    if (!reading.bank || !outcome) return;
    const MeasuredAnalysis check = CheckMeasuredBank(*outcome, *reading.bank);
    if (!check.check) {
      rt::PresentInMessageBox(check.warnings.empty() ? std::string("无法配平")
                                                     : check.warnings.front().message);
      return;
    }
    window.rebalancing_ = calc::Rebalance(*reading.bank);
    Calculator()->KeepRebalancedBank(window.rebalancing_->bank);
    window.Update();
    RefreshSheetWindow(window.page_);
  }

  static void ExportRebalanced(Fl_Widget*, void* self) {
    MeasuredWindow& window = Of(self);
    if (!window.rebalancing_) return;
    window.Write("导出配平", "配平后电容.csv",
                 MeasuredBankCsv(window.rebalancing_->bank, window.rebalancing_->was));
  }

  // The CSV to the file the engineer chooses, whole or not at all.
  void Write(const char* title, const char* name, const std::string& csv) {
    const std::string path = ChooseCsv(title, Fl_Native_File_Chooser::BROWSE_SAVE_FILE, name);
    if (path.empty()) return;
    std::string reason;
    const auto* bytes = reinterpret_cast<const uint8_t*>(csv.data());
    if (!rt::platform::ReplaceFileAtomically(rt::Utf8ToGbk(path), {bytes, csv.size()}, &reason))
      rt::PresentInMessageBox("文件未能写入：\n" + rt::Utf8ToGbk(path) + "\n" + reason);
  }

  static void Close(Fl_Widget*, void* self) { Of(self).hide(); }

  CalculationPage page_;
  std::optional<BankShape> shape_;
  std::vector<std::string> cells_;
  std::optional<Rebalancing> rebalancing_;
  std::list<std::string> captions_, section_names_;  // labels, which must stay where they are
  std::string title_;
  Fl_Text_Buffer check_text_;
  Fl_Tabs* tabs_ = nullptr;
  Fl_Text_Display* check_ = nullptr;
  Fl_Button *import_ = nullptr, *export_ = nullptr, *rebalance_ = nullptr,
            *export_rebalanced_ = nullptr, *close_ = nullptr;
};

void ShowMeasuredWindow(CalculationPage page) {
  const ProtectionOutcome* outcome = LastOutcomeOf(page);
  if (!outcome) {
    rt::PresentInMessageBox("本页尚无保护整定计算，请先计算");
    return;
  }
  const std::optional<BankShape> shape = ShapeOf(page, outcome->values.M, outcome->values.N);
  if (!shape) {
    rt::PresentInMessageBox("实测电容无法按本页接线排列：" +
                            ImpossibleArrangement(page, outcome->values.M, outcome->values.N));
    return;
  }
  std::unique_ptr<Fl_Double_Window>& window = TheSheetWindows().measured[page];
  if (!window) {
    Fl_Group::current(nullptr);  // a top-level window of its own
    window = std::make_unique<MeasuredWindow>(page);
  }
  static_cast<MeasuredWindow&>(*window).Present(*shape);
}

}  // namespace calc
