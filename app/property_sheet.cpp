#include "app/property_sheet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/position_entry.h"
#include "app/zone_entry.h"
#include "document/prompter.h"
#include "platform/qt_text.h"
#include "records/text_codec.h"

namespace keelmark {

RadioChoice::RadioChoice(const QStringList& texts, const QStringList& explanations, QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this)), explanations_(explanations) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < texts.size(); ++i) {
    auto* button = new QRadioButton(texts[i], this);
    group_->addButton(button, i);
    column->addWidget(button);
  }
  if (!explanations.isEmpty()) {
    explanation_ = new QLabel(this);
    explanation_->setWordWrap(true);
    explanation_->setFrameShape(QFrame::StyledPanel);
    explanation_->setMargin(6);
    explanation_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    explanation_->setMinimumHeight(explanation_->fontMetrics().height() * 5);
    column->addWidget(explanation_);
  }
  connect(group_, &QButtonGroup::idClicked, this, [this](int index) {
    Explain();
    emit Chosen(index);
  });
}

void RadioChoice::SetChoice(int index) {
  if (QAbstractButton* button = group_->button(index)) {
    button->setChecked(true);
  } else if (QAbstractButton* checked = group_->checkedButton()) {
    group_->setExclusive(false);
    checked->setChecked(false);
    group_->setExclusive(true);
  }
  Explain();
}

int RadioChoice::Choice() const { return group_->checkedId(); }

void RadioChoice::Explain() {
  if (!explanation_) return;
  const int index = Choice();
  explanation_->setText(index >= 0 && index < explanations_.size() ? explanations_[index]
                                                                   : QString());
}

PropertyPage::PropertyPage(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption), column_(new QVBoxLayout(this)) {}

void PropertyPage::ShowValues() {
  for (const FieldBinding& binding : bindings_) binding.show();
  ShowFigures();
}

bool PropertyPage::TakeValues(Prompter& prompter) {
  for (const FieldBinding& binding : bindings_) {
    if (!binding.problem) continue;
    const QString problem = binding.problem();
    if (problem.isEmpty()) continue;
    prompter.Message(ToStdString(problem), MessageIcon::Exclamation);
    if (binding.widget) binding.widget->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(binding.widget)) edit->selectAll();
    return false;
  }
  for (const FieldBinding& binding : bindings_) binding.take();
  OnTaken();
  return true;
}

void PropertyPage::Bind(FieldBinding binding) { bindings_.push_back(std::move(binding)); }

void PropertyPage::FollowEdits(QLineEdit* edit) {
  connect(edit, &QLineEdit::textEdited, this, [this] { ShowFigures(); });
}

QLineEdit* PropertyPage::BindText(std::string& value, const QString& field) {
  auto* edit = new QLineEdit(this);
  edit->setAccessibleName(field);
  auto shown = std::make_shared<QString>();
  Bind({edit,
        [edit, &value, shown] {
          edit->setText(ToQString(value));
          *shown = edit->text();
        },
        nullptr,
        [edit, &value, shown] {
          if (edit->text() != *shown) value = ToStdString(edit->text());
        }});
  return edit;
}

QPlainTextEdit* PropertyPage::BindNote(std::string& value, const QString& field) {
  auto* edit = new QPlainTextEdit(this);
  edit->setAccessibleName(field);
  auto shown = std::make_shared<QString>();
  Bind({edit,
        [edit, &value, shown] {
          edit->setPlainText(ToQString(value));
          *shown = edit->toPlainText();
        },
        nullptr,
        [edit, &value, shown] {
          if (edit->toPlainText() != *shown) value = ToStdString(edit->toPlainText());
        }});
  return edit;
}

namespace {

// A number field bound to a value of type T: taken back only when its text changed.
template <typename T>
FieldBinding NumberBinding(NumberEdit* edit, T& value) {
  auto shown = std::make_shared<QString>();
  return {edit,
          [edit, &value, shown] {
            edit->SetValue(static_cast<double>(value));
            *shown = edit->text();
          },
          [edit] { return edit->Problem(); },
          [edit, &value, shown] {
            if (edit->text() != *shown) value = static_cast<T>(edit->Value().value_or(value));
          }};
}

}  // namespace

NumberEdit* PropertyPage::BindNumber(double& value, const QString& field,
                                     std::optional<NumberRange> range) {
  auto* edit = new NumberEdit(field, NumberEdit::Kind::Decimal, range, this);
  Bind(NumberBinding(edit, value));
  return edit;
}

NumberEdit* PropertyPage::BindWhole(std::int32_t& value, const QString& field,
                                    std::optional<NumberRange> range) {
  auto* edit = new NumberEdit(field, NumberEdit::Kind::Whole, range, this);
  Bind(NumberBinding(edit, value));
  return edit;
}

QCheckBox* PropertyPage::BindCheck(std::int32_t& value, const QString& text) {
  auto* box = new QCheckBox(text, this);
  auto shown = std::make_shared<bool>(false);
  Bind({box,
        [box, &value, shown] {
          box->setChecked(value != 0);
          *shown = box->isChecked();
        },
        nullptr,
        [box, &value, shown] {
          if (box->isChecked() != *shown) value = box->isChecked() ? 1 : 0;
        }});
  return box;
}

QComboBox* PropertyPage::BindIndex(std::int32_t& value, const QStringList& items,
                                   const QString& field) {
  auto* box = new QComboBox(this);
  box->setAccessibleName(field);
  box->addItems(items);
  auto shown = std::make_shared<int>(-1);
  Bind({box,
        [box, &value, shown] {
          box->setCurrentIndex(value >= 0 && value < box->count() ? value : -1);
          *shown = box->currentIndex();
        },
        nullptr,
        [box, &value, shown] {
          if (box->currentIndex() != *shown) value = box->currentIndex();
        }});
  return box;
}

QComboBox* PropertyPage::BindComboText(std::string& value, const QStringList& items,
                                       const QString& field, bool editable) {
  auto* box = new QComboBox(this);
  box->setAccessibleName(field);
  box->setEditable(editable);
  box->addItems(items);
  auto shown = std::make_shared<QString>();
  Bind({box,
        [box, &value, shown] {
          if (box->isEditable()) {
            box->setCurrentText(ToQString(value));
          } else {
            box->setCurrentIndex(box->findText(ToQString(value)));
          }
          *shown = box->currentText();
        },
        nullptr,
        [box, &value, shown] {
          if (box->currentText() != *shown && (box->isEditable() || box->currentIndex() >= 0)) {
            value = ToStdString(box->currentText());
          }
        }});
  return box;
}

RadioChoice* PropertyPage::BindRadio(std::int32_t& value, const QStringList& texts,
                                     const QStringList& explanations) {
  auto* choice = new RadioChoice(texts, explanations, this);
  auto shown = std::make_shared<int>(-1);
  Bind({choice,
        [choice, &value, shown] {
          choice->SetChoice(value);
          *shown = choice->Choice();
        },
        nullptr,
        [choice, &value, shown] {
          if (choice->Choice() != *shown) value = choice->Choice();
        }});
  return choice;
}

CoordinateEntry* PropertyPage::BindCoordinate(double& value, CoordinateEntry* entry) {
  Bind({entry, [entry, &value] { entry->SetValue(value); }, [entry] { return entry->Problem(); },
        [entry, &value] { value = entry->Value().value_or(value); }});
  connect(entry, &CoordinateEntry::Edited, this, [this] { ShowFigures(); });
  return entry;
}

PositionEntry* PropertyPage::BindPosition(double& latitude, double& longitude,
                                          PositionEntry* entry) {
  BindCoordinate(latitude, entry->Latitude());
  BindCoordinate(longitude, entry->Longitude());
  return entry;
}

ZoneEntry* PropertyPage::BindZone(double& days, ZoneEntry* entry) {
  Bind({entry, [entry, &days] { entry->SetDays(days); }, [entry] { return entry->Problem(); },
        [entry, &days] { days = entry->Days().value_or(days); }});
  connect(entry, &ZoneEntry::Edited, this, [this] { ShowFigures(); });
  return entry;
}

DateTimeEntry* PropertyPage::BindTime(TimeValue& value, TimeReading reading, const QString& field) {
  auto* entry = new DateTimeEntry(reading, field, this);
  Bind({entry, [entry, &value] { entry->SetTime(value); }, nullptr,
        [entry, &value] {
          if (entry->Changed()) value = entry->Time();
        }});
  return entry;
}

DateTimeEntry* PropertyPage::BindSlot(SlotTime& value, TimeReading reading, const QString& field) {
  auto* entry = new DateTimeEntry(reading, field, this);
  Bind({entry, [entry, &value] { entry->SetTime(value.Shown()); }, nullptr,
        [entry, &value] {
          if (entry->Changed()) value.picked = entry->Time();
        }});
  return entry;
}

QGroupBox* PropertyPage::AddGroup(const QString& title, QFormLayout*& form) {
  auto* group = new QGroupBox(title, this);
  form = new QFormLayout(group);
  column_->addWidget(group);
  return group;
}

QFormLayout* PropertyPage::AddForm() {
  auto* form = new QFormLayout;
  column_->addLayout(form);
  return form;
}

void PropertyPage::AddRow(QFormLayout* form, const QString& label, QWidget* control,
                          const QString& unit) {
  if (unit.isEmpty()) {
    form->addRow(label, control);
    return;
  }
  auto* row = new QHBoxLayout;
  row->addWidget(control);
  row->addWidget(new QLabel(unit));
  row->addStretch(1);
  form->addRow(label, row);
}

QString PropertyPage::FieldName(const QString& label) {
  QString name = label.trimmed();
  while (name.endsWith(QLatin1Char(':'))) name.chop(1);
  return name.trimmed();
}

QLineEdit* PropertyPage::TextRow(QFormLayout* form, const QString& label, std::string& value) {
  QLineEdit* edit = BindText(value, FieldName(label));
  AddRow(form, label, edit);
  return edit;
}

NumberEdit* PropertyPage::NumberRow(QFormLayout* form, const QString& label, double& value,
                                    const QString& unit, std::optional<NumberRange> range) {
  NumberEdit* edit = BindNumber(value, FieldName(label), range);
  AddRow(form, label, edit, unit);
  return edit;
}

NumberEdit* PropertyPage::WholeRow(QFormLayout* form, const QString& label, std::int32_t& value,
                                   const QString& unit, std::optional<NumberRange> range) {
  NumberEdit* edit = BindWhole(value, FieldName(label), range);
  AddRow(form, label, edit, unit);
  return edit;
}

QLineEdit* PropertyPage::PathRow(QFormLayout* form, const QString& label, std::string& value,
                                 const FileChoice& choice, Prompter& prompter) {
  QLineEdit* edit = BindText(value, FieldName(label));
  edit->setMinimumWidth(260);
  auto* browse = new QPushButton(QStringLiteral("..."), this);
  browse->setAccessibleName(FieldName(label) + QStringLiteral(" ..."));
  browse->setMaximumWidth(32);
  connect(browse, &QPushButton::clicked, this, [edit, choice, &prompter] {
    FileChoice onPath = choice;
    if (onPath.initialName.empty()) onPath.initialName = ToStdString(edit->text());
    if (const std::optional<std::string> path = prompter.ChooseOpenFile(onPath)) {
      edit->setText(ToQString(*path));
    }
  });
  auto* row = new QHBoxLayout;
  row->addWidget(edit, 1);
  row->addWidget(browse);
  form->addRow(label, row);
  return edit;
}

QLabel* PropertyPage::AddText(const QString& text) {
  auto* label = new QLabel(text, this);
  column_->addWidget(label);
  return label;
}

QLineEdit* PropertyPage::AddFigure(QFormLayout* form, const QString& label, const QString& unit) {
  auto* figure = new QLineEdit(this);
  figure->setReadOnly(true);
  figure->setAccessibleName(FieldName(label));
  figure->setMaximumWidth(110);
  AddRow(form, label, figure, unit);
  return figure;
}

PropertySheet::PropertySheet(const QString& caption, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      tabs_(new QTabWidget(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setWindowTitle(caption);
  // Every page's tab stays in sight: the sheet is as wide as its tabs.
  tabs_->setUsesScrollButtons(false);
  auto* column = new QVBoxLayout(this);
  column->addWidget(tabs_);
  column->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &PropertySheet::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &PropertySheet::reject);
  connect(tabs_, &QTabWidget::currentChanged, this, &PropertySheet::OnTabChanged);
}

void PropertySheet::AddPage(PropertyPage* page) { tabs_->addTab(page, page->Caption()); }

int PropertySheet::PageCount() const { return tabs_->count(); }

PropertyPage* PropertySheet::Page(int index) const {
  return qobject_cast<PropertyPage*>(tabs_->widget(index));
}

PropertyPage* PropertySheet::CurrentPage() const { return Page(tabs_->currentIndex()); }

void PropertySheet::HideTabs() {
  tabs_->tabBar()->hide();
  tabs_->setDocumentMode(true);
}

void PropertySheet::UseCloseButton() { buttons_->setStandardButtons(QDialogButtonBox::Close); }

bool PropertySheet::Run() {
  CopyIn();
  for (int i = 0; i < PageCount(); ++i) Page(i)->ShowValues();
  shownIndex_ = tabs_->currentIndex();
  running_ = true;
  const int result = exec();
  running_ = false;
  if (result != QDialog::Accepted) return false;
  CopyBack();
  return true;
}

void PropertySheet::accept() {
  if (PropertyPage* page = CurrentPage(); page && !page->TakeValues(prompter_)) return;
  if (!ConfirmValues()) return;
  WarnOfLossyText();
  QDialog::accept();
}

void PropertySheet::WarnOfLossyText() {
  QStringList fields;
  auto check = [&fields](const QWidget* widget, const QString& text) {
    if (Cp1252HoldsAll(ToStdString(text))) return;
    // An editable combo's own line edit is named by its combo.
    QString name = widget->accessibleName();
    if (name.isEmpty() && widget->parentWidget()) name = widget->parentWidget()->accessibleName();
    if (!fields.contains(name)) fields << name;
  };
  for (const QLineEdit* edit : findChildren<QLineEdit*>()) check(edit, edit->text());
  for (const QPlainTextEdit* note : findChildren<QPlainTextEdit*>()) {
    check(note, note->toPlainText());
  }
  if (fields.isEmpty()) return;
  prompter_.Message(ToStdString(fields.join(QStringLiteral(", "))) + " " + kLossyTextMessage,
                    MessageIcon::Information);
}

void PropertySheet::OnTabChanged(int index) {
  // Pages added while the sheet is built have nothing to take yet.
  if (!running_) shownIndex_ = index;
  if (reverting_ || !running_) return;
  PropertyPage* left = Page(shownIndex_);
  if (left && !left->TakeValues(prompter_)) {
    // The page with the problem stays open.
    reverting_ = true;
    tabs_->setCurrentIndex(shownIndex_);
    reverting_ = false;
    return;
  }
  shownIndex_ = index;
  // Values shared by several pages show what the page just left took.
  if (PropertyPage* page = Page(index)) page->ShowValues();
}

}  // namespace keelmark
