#include "statistics/FormStatistics.h"

#include "settings/Main.h"
#include "runtime/Translation.h"
#include "statistics/Statistics.h"
#include "statistics/StatisticsKeeper.h"
#include "statistics/StatisticsView.h"

namespace rp {
namespace {

constexpr int kMargin = 120;
constexpr int kButtonHeight = 405;
constexpr int kLabelHeight = 510;  // two lines of the window's font
constexpr int kNoteHeight = 285;
constexpr int kYesNoQuestion = 36;  // Yes and No buttons, question mark
constexpr int kYes = 6;

}  // namespace

FormStatistics::FormStatistics(Platform& platform, Main& main, StatisticsKeeper& keeper)
    : Form(platform.ui, "FormStatistics", FormStyle::SizableDialog, 9600, 7200),
      Chart1(AddControl(ControlKind::Chart, "Chart1", nullptr, {}, 3, "")),
      Label1(AddControl(ControlKind::Label, "Label1", nullptr, {}, 4, "")),
      Label2(AddControl(ControlKind::Label, "Label2", nullptr, {}, 5, "")),
      Label3(AddControl(ControlKind::Label, "Label3", nullptr, {}, 6, "")),
      // TRANSLATORS: a button of the Statistics window: saves the record to a file
      PushButton1(AddControl(ControlKind::PushButton, "PushButton1", nullptr, {}, 0, TrNoop("Export..."))),
      PushButton2(AddControl(ControlKind::PushButton, "PushButton2", nullptr, {}, 1, TrNoop("Clear History"))),
      // TRANSLATORS: a button of the Statistics window: closes it
      PushButton3(AddControl(ControlKind::PushButton, "PushButton3", nullptr, {}, 2, TrNoop("Close"))),
      platform_(platform),
      main_(main),
      keeper_(keeper) {
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
  SetCaption(Tr(kStatisticsCaption));
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

Statistics& FormStatistics::Shown() {
  if (Statistics* kept = keeper_.Kept()) return *kept;
  if (!fileOnly_) {
    fileOnly_ = std::make_unique<Statistics>(platform_, false);
    fileOnly_->Load();
  }
  return *fileOnly_;
}

void FormStatistics::RecordChanged() {
  // A copy of the file would be stale once the program keeps the record, or writes it on ending it.
  fileOnly_.reset();
  if (IsLoaded()) ShowRecord();
}

void FormStatistics::DrawChart() {
  BreakRecord& record = Shown().record;
  Chart1.SetDrawing(ChartDrawing(record.Days(), record.Today(), Chart1.Rect().width, Chart1.Rect().height,
                                  platform_.clock));
}

void FormStatistics::ShowRecord() {
  Statistics& statistics = Shown();
  BreakRecord& record = statistics.record;
  const std::int64_t today = record.Today();
  Chart1.SetText(ChartDescription(record.Days(), today, platform_.clock));
  DrawChart();
  // TRANSLATORS: the period of the figures that follow it
  Label1.SetText(FiguresText(Tr("Today"), SumOfDays(record.Days(), today, today)));
  // TRANSLATORS: the period of the figures that follow it: today and the six days before
  Label2.SetText(FiguresText(Tr("Last 7 days"), SumOfDays(record.Days(), today - 6, today)));
  // Sentences one after the other, each followed by a blank.
  std::string note;
  // TRANSLATORS: "Keep Statistics" is the option's name in the Options window
  if (!statistics.Counting()) note = Tr("Keep Statistics is off (Options): nothing is being counted.") + " ";
  if (!statistics.Problem().empty())
    note += Tr("The file cannot be written now; the program tries again every minute.") + " ";
  if (const std::size_t kept = statistics.UnreadableLines().size())
    note += Fill(TrPlural("{count} line of the file could not be read and stays as it is.",
                          "{count} lines of the file could not be read and stay as they are.", static_cast<long long>(kept)),
                 {{"count", std::to_string(kept)}});
  Label3.SetText(note);
}

void FormStatistics::PushButton1_Click() {
  // TRANSLATORS: the file types of the save dialog: a name, "|", the pattern, "|", and so on; translate only the names
  const std::string filter = Tr("CSV files (*.csv)|*.csv|All files (*.*)|*.*|");
  const std::string path = platform_.dialogs.SaveFile(Tr("Export Statistics"), filter, "statistics.csv");
  if (path.empty() || Shown().Export(path)) return;
  platform_.dialogs.MessageBox(Fill(Tr("The statistics could not be written to {file}."), {{"file", path}}),
                               Tr(kStatisticsCaption), kErrorStyle);
}

void FormStatistics::PushButton2_Click() {
  Dialogs& dialogs = platform_.dialogs;
  if (dialogs.MessageBox(Tr("Clear the whole history of breaks and screen time? It cannot be brought back."),
                         Tr(kStatisticsCaption), kYesNoQuestion) != kYes)
    return;
  // Looked up after the question: the option may have changed while it was asked.
  Statistics& statistics = Shown();
  if (!statistics.Clear())
    dialogs.MessageBox(Fill(Tr("The statistics file could not be deleted: {file}"), {{"file", statistics.Path()}}),
                       Tr(kStatisticsCaption), kErrorStyle);
  ShowRecord();
}

void FormStatistics::PushButton3_Click() { Unload(); }

void FormStatistics::OnUnguardedFailure(const std::string& handler, const std::string& description) {
  main_.ReportApplicationError(description, LocationTag("FormStatistics." + handler), 0);
}

}  // namespace rp
