#include "app/schedule_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/date_time_entry.h"
#include "app/enter_key_guard.h"
#include "app/number_edit.h"
#include "app/schedule_model.h"
#include "document/keelmark_document.h"
#include "navigation/navigation.h"
#include "platform/qt_text.h"
#include "reports/text_file_choice.h"

namespace keelmark {

namespace {

constexpr const char* kCannotStore = "Can not store the master schedule\n";
constexpr const char* kCannotWriteText = "Can not write the schedule text file\n";

// What a port call can hold: a leg longer than any voyage, a stay longer than any port call
// and a zone offset beyond the date line's are typing errors.
constexpr NumberRange kDistanceRange{0.0, 50000.0};  // nM
constexpr NumberRange kZoneRange{-14.0, 14.0};       // hours
constexpr NumberRange kPortStayRange{0.0, 9999.0};   // hours

QLineEdit* TotalField(const QString& field, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::ClickFocus);
  edit->setAccessibleName(field);
  edit->setAlignment(Qt::AlignRight);
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000.0 hrs")) +
                        12);
  return edit;
}

// A field and its unit on one row of a form.
QHBoxLayout* WithUnit(QWidget* field, const QString& unit) {
  auto* row = new QHBoxLayout;
  row->addWidget(field);
  row->addWidget(new QLabel(unit));
  row->addStretch(1);
  return row;
}

QPushButton* Button(const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  // Enter in a field never presses a button by itself.
  button->setAutoDefault(false);
  return button;
}

}  // namespace

CMasterScheduleDialog::CMasterScheduleDialog(CKeelmarkRouteXPDoc& document, QWidget* parent)
    : QDialog(parent),
      prompter_(document.GetPrompter()),
      schedule_(document.GetVessel()),
      path_(document.DataFilePath(setting::kSchedulePath)),
      model_(new ScheduleModel(this)),
      list_(new QTableView(this)) {
  setWindowTitle(QString::fromLatin1(kCaption));
  setObjectName(QStringLiteral("masterScheduleDialog"));

  list_->setModel(model_);
  list_->setAccessibleName(QStringLiteral("Port calls"));
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->setShowGrid(false);
  int listWidth = 2 * list_->frameWidth() + 20;  // and a vertical scroll bar
  for (int c = 0; c < ScheduleModel::kColumnCount; ++c) {
    const int width = ScheduleModel::ColumnWidth(static_cast<ScheduleModel::Column>(c));
    list_->setColumnWidth(c, width);
    listWidth += width;
  }
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->setMinimumSize(listWidth, 220);

  auto* item = new QGroupBox(this);
  auto* form = new QFormLayout(item);
  name_ = new QLineEdit(item);
  name_->setAccessibleName(QStringLiteral("Name"));
  distance_ =
      new NumberEdit(QStringLiteral("Distance"), NumberEdit::Kind::Decimal, kDistanceRange, item);
  eta_ = new DateTimeEntry(TimeReading::Local, QStringLiteral("Scheduled ETA"), item);
  zone_ = new NumberEdit(QStringLiteral("Local time"), NumberEdit::Kind::Decimal, kZoneRange, item);
  portStay_ = new NumberEdit(QStringLiteral("Scheduled portstay"), NumberEdit::Kind::Decimal,
                             kPortStayRange, item);
  form->addRow(QStringLiteral("Name:"), name_);
  form->addRow(QStringLiteral("Distance:"), WithUnit(distance_, QStringLiteral("nM")));
  form->addRow(QStringLiteral("Scheduled ETA:"), eta_);
  form->addRow(QStringLiteral("Local Time = UTC + "), WithUnit(zone_, QStringLiteral("hrs")));
  form->addRow(QStringLiteral("Scheduled portstay:"), WithUnit(portStay_, QStringLiteral("hrs")));
  auto* newItem = Button(QStringLiteral("New Item"), item);
  saveChanges_ = Button(QStringLiteral("Save Changes"), item);
  removeItem_ = Button(QStringLiteral("Remove Item"), item);
  auto* itemButtons = new QHBoxLayout;
  itemButtons->addWidget(newItem);
  itemButtons->addWidget(saveChanges_);
  itemButtons->addWidget(removeItem_);
  form->addRow(itemButtons);

  auto* totals = new QGroupBox(this);
  auto* grid = new QGridLayout(totals);
  totalPortStay_ = TotalField(QStringLiteral("Total portstay"), totals);
  totalAtSea_ = TotalField(QStringLiteral("At sea"), totals);
  totalDistance_ = TotalField(QStringLiteral("Total distance"), totals);
  averageSpeed_ = TotalField(QStringLiteral("Av. Speed"), totals);
  totalFuel_ = TotalField(QStringLiteral("Fuel Cons"), totals);
  const std::pair<const char*, QLineEdit*> totalRows[] = {{"Portstay:", totalPortStay_},
                                                          {"At sea:", totalAtSea_},
                                                          {"Distance:", totalDistance_},
                                                          {"Av. Speed:", averageSpeed_},
                                                          {"Fuel Cons:", totalFuel_}};
  int at = 0;
  for (const auto& [label, field] : totalRows) {
    grid->addWidget(new QLabel(QString::fromLatin1(label), totals), at % 3, (at / 3) * 2);
    grid->addWidget(field, at % 3, (at / 3) * 2 + 1);
    ++at;
  }

  auto* close = Button(QStringLiteral("Close"), this);
  auto* closeRow = new QHBoxLayout;
  closeRow->addStretch(1);
  closeRow->addWidget(close);

  auto* top = new QHBoxLayout;
  top->addWidget(list_, 1);
  top->addWidget(item);
  auto* column = new QVBoxLayout(this);
  column->addLayout(top, 1);
  column->addWidget(totals);
  column->addLayout(closeRow);

  connect(newItem, &QPushButton::clicked, this, &CMasterScheduleDialog::OnNewItem);
  connect(saveChanges_, &QPushButton::clicked, this, &CMasterScheduleDialog::OnSaveChanges);
  connect(removeItem_, &QPushButton::clicked, this, &CMasterScheduleDialog::OnRemoveItem);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  // A click or a move of the cursor onto a row selects it; a click outside the rows does not
  // change the selection.
  connect(list_, &QTableView::clicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) Select(index.row());
  });
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid() && current.row() != selected_) Select(current.row());
          });
  EnterKeyGuard::Install(this);

  if (!schedule_.Load(path_).Ok()) {
    prompter_.Message(MasterSchedule::kLoadFailed, MessageIcon::Exclamation);
  }
  Refill();
  Select(schedule_.Items().IsEmpty() ? -1 : 0);
}

void CMasterScheduleDialog::Refill() {
  model_->SetRows(schedule_.Rows());
  const ScheduleTotalTexts texts = schedule_.TotalTexts();
  totalPortStay_->setText(ToQString(texts.portStay).trimmed());
  totalAtSea_->setText(ToQString(texts.atSea).trimmed());
  totalDistance_->setText(ToQString(texts.distance).trimmed());
  averageSpeed_->setText(ToQString(texts.averageSpeed).trimmed());
  totalFuel_->setText(ToQString(texts.fuel).trimmed());
  const bool any = !schedule_.Items().IsEmpty();
  saveChanges_->setEnabled(any);
  removeItem_->setEnabled(any);
}

void CMasterScheduleDialog::Select(int row) {
  const ScheduleItem* item =
      row >= 0 && row < schedule_.Items().GetCount() ? schedule_.Items().GetAt(row) : nullptr;
  selected_ = item ? row : -1;
  const ScheduleItem shown = item ? *item : ScheduleItem();
  name_->setText(ToQString(shown.Name));
  distance_->SetValue(shown.Distance);
  zone_->SetValue(shown.ZoneHours);
  portStay_->SetValue(shown.PortStay);
  eta_->SetTime(item ? shown.ArrivalTime() : kNoTime);
  if (selected_ >= 0) {
    list_->selectRow(selected_);
  } else {
    list_->clearSelection();
  }
}

bool CMasterScheduleDialog::FieldsCanBeTaken() {
  for (NumberEdit* edit : {distance_, zone_, portStay_}) {
    const QString problem = edit->Problem();
    if (problem.isEmpty()) continue;
    prompter_.Message(ToStdString(problem), MessageIcon::Exclamation);
    edit->setFocus();
    edit->selectAll();
    return false;
  }
  return true;
}

void CMasterScheduleDialog::OnNewItem() {
  schedule_.AddItem();
  Refill();
  Select(schedule_.Items().GetCount() - 1);
}

void CMasterScheduleDialog::OnSaveChanges() {
  if (schedule_.Items().IsEmpty() || !FieldsCanBeTaken()) return;
  ScheduleItemEdit edit;
  edit.name = ToStdString(name_->text());
  edit.distance = *distance_->Value();
  edit.portStay = *portStay_->Value();
  edit.zoneHours = *zone_->Value();
  edit.localEta = CNavigation().LocalDayNumber(eta_->Time());
  // With no row selected the changes go into the last call.
  const int row = selected_ >= 0 ? selected_ : schedule_.Items().GetCount() - 1;
  schedule_.ApplyEdit(row, edit);
  Refill();
  Select(row);
}

void CMasterScheduleDialog::OnRemoveItem() {
  if (selected_ < 0) {
    prompter_.Message(kNoItemSelected, MessageIcon::Stop);
    return;
  }
  const ScheduleItem& item = *schedule_.Items().GetAt(selected_);
  if (!prompter_.AskYesNo(MasterSchedule::RemoveQuestion(item), MessageIcon::Question)) return;
  const int row = selected_;
  schedule_.RemoveItem(row);
  Refill();
  // The call that took its place is shown, so that the fields never show a removed call.
  Select(std::min(row, schedule_.Items().GetCount() - 1));
}

bool CMasterScheduleDialog::StoreSchedule() {
  std::string error;
  if (schedule_.Store(path_, &error)) return true;
  prompter_.Message(kCannotStore + path_ + "\n" + error, MessageIcon::Stop);
  return false;
}

void RunMasterSchedule(QWidget* parent, CKeelmarkRouteXPDoc& document) {
  CMasterScheduleDialog dialog(document, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.StoreSchedule();
  Prompter& prompter = document.GetPrompter();
  if (!prompter.AskYesNo(MasterSchedule::kCreateTextFile, MessageIcon::Question)) return;
  const std::optional<std::string> path =
      prompter.ChooseSaveFile(TextFileChoice(MasterSchedule::kTextFileName));
  if (!path || path->empty()) return;
  std::string error;
  if (!dialog.Schedule().WriteText(*path, &error)) {
    prompter.Message(kCannotWriteText + *path + "\n" + error, MessageIcon::Stop);
  }
}

}  // namespace keelmark
