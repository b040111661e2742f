#include "schedule/FormStatistics.h"

#include "app/Main.h"
#include "app/Program.h"
#include "schedule/Statistics.h"
#include "schedule/StatisticsView.h"

namespace rp {
namespace {

constexpr int kMargin = 120;
constexpr int kButtonHeight = 405;
constexpr int kLabelHeight = 510;  // two lines of the window's font
constexpr int kNoteHeight = 285;
constexpr std::string_view kExportTitle = "Export Statistics";
constexpr std::string_view kCsvFilter = "CSV files (*.csv)|*.csv|All files (*.*)|*.*|";
constexpr int kYesNoQuestion = 36;  // Yes and No buttons, question mark
constexpr int kYes = 6;

}  // namespace

FormStatistics::FormStatistics(Program& program, Statistics& statistics)
    : Form(program.platform.ui, "FormStatistics", FormStyle::SizableDialog, 9600, 7200),
      program(program),
      Chart1(AddControl(ControlKind::Chart, "Chart1", nullptr, {}, 3, "")),
      Label1(AddControl(ControlKind::Label, "Label1", nullptr, {}, 4, "")),
      Label2(AddControl(ControlKind::Label, "Label2", nullptr, {}, 5, "")),
      Label3(AddControl(ControlKind::Label, "Label3", nullptr, {}, 6, "")),
      PushButton1(AddControl(ControlKind::PushButton, "PushButton1", nullptr, {}, 0, "Export...")),
      PushButton2(AddControl(ControlKind::PushButton, "PushButton2", nullptr, {}, 1, "Clear History")),
      PushButton3(AddControl(ControlKind::PushButton, "PushButton3", nullptr, {}, 2, "Close")),
      statistics_(statistics) {
  SetDesignFonts(*this);
  Chart1.SetFont({"Arial", 8, false});
  PushButton1.onChange = [this] { PushButton1_Click(); };
  PushButton2.onChange = [this] { PushButton2_Click(); };
  PushButton3.onChange = [this] { PushButton3_Click(); };
  SetDefaultButtons(&PushButton3, &PushButton3);
  Form_Resize();  // the controls in their places before the window makes them
}

FormStatistics::~FormStatistics() = default;

void FormStatistics::Form_Load() {
  SetCaption(std::string(kStatisticsCaption));
  ShowRecord();
}

void FormStatistics::Form_Resize() {
  const int width = ClientWidth(), height = ClientHeight(), inner = width - 2 * kMargin;
  const int buttons = height - kMargin - kButtonHeight;
  PushButton1.SetRect({kMargin, buttons, 1740, kButtonHeight});
  PushButton2.SetRect({kMargin + 1740 + kMargin, buttons, 2280, kButtonHeight});
  PushButton3.SetRect({width - kMargin - 1740, buttons, 1740, kButtonHeight});
  const int note = buttons - kMargin - kNoteHeight;
  Label3.SetRect({kMargin, note, inner, kNoteHeight});
  Label2.SetRect({kMargin, note - kLabelHeight, inner, kLabelHeight});
  Label1.SetRect({kMargin, note - 2 * kLabelHeight, inner, kLabelHeight});
  const TwipsRect chart{kMargin, kMargin, inner, note - 2 * kLabelHeight - 2 * kMargin};
  if (chart == Chart1.Rect()) return;
  Chart1.SetRect(chart);
  if (IsLoaded()) DrawChart();
}

void FormStatistics::DrawChart() {
  BreakRecord& record = statistics_.record;
  Chart1.SetDrawing(ChartDrawing(record.Days(), record.Today(), Chart1.Rect().width, Chart1.Rect().height));
}

void FormStatistics::ShowRecord() {
  BreakRecord& record = statistics_.record;
  const std::int64_t today = record.Today();
  Chart1.SetText(ChartDescription(record.Days(), today));
  DrawChart();
  Label1.SetText(FiguresText("Today", SumOfDays(record.Days(), today, today)));
  Label2.SetText(FiguresText("Last 7 days", SumOfDays(record.Days(), today - 6, today)));
  std::string note;
  if (!statistics_.Counting()) note = "Keep Statistics is off (Options): nothing is being counted. ";
  if (!statistics_.Problem().empty()) note += "The file cannot be written now; the program tries again every minute. ";
  if (const std::size_t kept = statistics_.UnreadableLines().size())
    note += std::to_string(kept) + (kept == 1 ? " line of the file could not be read and stays as it is."
                                              : " lines of the file could not be read and stay as they are.");
  Label3.SetText(note);
}

void FormStatistics::PushButton1_Click() {
  const std::string path = program.platform.dialogs.SaveFile(kExportTitle, kCsvFilter, "statistics.csv");
  if (path.empty() || statistics_.Export(path)) return;
  program.platform.dialogs.MessageBox("The statistics could not be written to " + path + ".", kStatisticsCaption, kErrorStyle);
}

void FormStatistics::PushButton2_Click() {
  Dialogs& dialogs = program.platform.dialogs;
  if (dialogs.MessageBox("Clear the whole history of breaks and screen time? It cannot be brought back.",
                         kStatisticsCaption, kYesNoQuestion) != kYes)
    return;
  if (!statistics_.Clear())
    dialogs.MessageBox("The statistics file could not be deleted: " + statistics_.Path(), kStatisticsCaption, kErrorStyle);
  ShowRecord();
}

void FormStatistics::PushButton3_Click() { Unload(); }

void FormStatistics::OnUnguardedFailure(const std::string& handler, const std::string& description) {
  program.main.ReportApplicationError(description, LocationTag("FormStatistics." + handler), 0);
}

}  // namespace rp
