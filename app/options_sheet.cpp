#include "app/options_sheet.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>

#include "document/keelmark_document.h"
#include "navigation/clock.h"
#include "records/settings_keys.h"
#include "reports/backup_export.h"

namespace keelmark {

const char* const CSheetOptions::kCaption = "Options";

const char* MailAddressName(const TextSetting& key) {
  if (&key == &setting::kSupportAddress) return "Support address";
  if (&key == &setting::kMeteoDataAddress) return "Meteo data address";
  return "Update service address";
}

namespace {

// The data files of the Path page, in its order.
struct DataPath {
  const char* label;
  const TextSetting& key;
};
const std::array<DataPath, 8> kDataPaths = {{
    {"History data", setting::kHistoryPath},
    {"Average weather", setting::kMeteoPath},
    {"Port Information", setting::kPortPath},
    {"Navigational warnings", setting::kWarningPath},
    {"Vessel information", setting::kVesselPath},
    {"Meteo forecasts", setting::kForecastPath},
    {"Weather charts", setting::kUrlDataPath},
    {"Tropical Storm data", setting::kHurricanePath},
}};

const FileChoice kDataFileChoice{kDataFileFilter, kDataFileExtension, ""};

QColor ToColor(std::int32_t packed) {
  return QColor(ColorRed(packed), ColorGreen(packed), ColorBlue(packed));
}

class CPageOptionsColors : public PropertyPage {
 public:
  explicit CPageOptionsColors(Settings& settings) : PropertyPage("Colors") {
    auto* grid = new QGridLayout;
    ColorRow(grid, 0, "Background", settings.colBckMain);
    ColorRow(grid, 1, "Text color", settings.colTxMain);
    grid->setColumnStretch(3, 1);
    Column()->addLayout(grid);
    AddText("Note: \nthe toolbar button night/day switches text and background\ncolors");
    Column()->addStretch(1);
  }

 private:
  void ColorRow(QGridLayout* grid, int row, const char* label, std::int32_t& value) {
    auto* swatch = new QLabel(this);
    swatch->setFixedSize(48, 20);
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    swatch->setAccessibleName(label);
    auto* select = new QPushButton("Select", this);
    select->setAccessibleName(QString(label) + " Select");
    const auto paint = [swatch, &value] {
      QPalette palette = swatch->palette();
      palette.setColor(QPalette::Window, ToColor(value));
      swatch->setPalette(palette);
    };
    Bind({swatch, paint, nullptr, [] {}});
    connect(select, &QPushButton::clicked, this, [this, label, &value, paint] {
      const QColor chosen = QColorDialog::getColor(ToColor(value), this, label);
      if (!chosen.isValid()) return;  // cancelled: the colour stays
      value = PackColor(chosen.red(), chosen.green(), chosen.blue());
      paint();
    });
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(swatch, row, 1);
    grid->addWidget(select, row, 2);
  }
};

class CPageOptionsPath : public PropertyPage {
 public:
  CPageOptionsPath(CSheetOptions::StoreValues& values, Settings& settings, Prompter& prompter)
      : PropertyPage("Path") {
    QFormLayout* form = AddForm();
    for (std::size_t i = 0; i < kDataPaths.size(); ++i) {
      PathRow(form, kDataPaths[i].label, values.dataPaths[i], kDataFileChoice, prompter);
    }
    PathRow(form, "Master Schedule:", settings.schedulePath, kDataFileChoice, prompter);
    Column()->addStretch(1);
  }
};

class CPageOptionsDocuments : public PropertyPage {
 public:
  CPageOptionsDocuments(Settings& settings, Prompter& prompter) : PropertyPage("Documents") {
    const FileChoice choice{"Document File (*.doc)|*.doc|All Files (*.*)|*.*||", "doc", ""};
    QFormLayout* form = AddForm();
    PathRow(form, "Masters standing orders:", settings.standingOrders, choice, prompter);
    PathRow(form, "Pre-departure checklist:", settings.depCheckList, choice, prompter);
    PathRow(form, "Pre-arrival checklist:", settings.arrCheckList, choice, prompter);
    Column()->addStretch(1);
  }
};

class CPageOptionsCleanUp : public PropertyPage {
 public:
  explicit CPageOptionsCleanUp(Settings& settings) : PropertyPage("History") {
    WholeRow(AddForm(), "Maximum days to retain history:", settings.historyCleanUp, "days",
             NumberRange{setting::kHistoryCleanUp.minimum, setting::kHistoryCleanUp.maximum});
    Column()->addStretch(1);
  }
};

class CPageOptionsSchedule : public PropertyPage {
 public:
  CPageOptionsSchedule(Settings& settings, std::function<void()> runNow) : PropertyPage("Backup") {
    // With the scheduler active, the first start on the weekday writes the backup.
    auto* scheduler = new QHBoxLayout;
    scheduler->addWidget(BindCheck(settings.runScheduler, "Activate scheduler"));
    scheduler->addWidget(BindIndex(
        settings.weekdayScheduler,
        {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}, "Weekday"));
    scheduler->addStretch(1);
    auto* run = new QPushButton("Run Now", this);
    connect(run, &QPushButton::clicked, this, std::move(runNow));
    scheduler->addWidget(run);
    Column()->addLayout(scheduler);
    auto* lists = new QGroupBox("List to export", this);
    auto* checks = new QVBoxLayout(lists);
    checks->addWidget(BindCheck(settings.exportHistory, "History (all position fixes)"));
    checks->addWidget(
        BindCheck(settings.exportMeteo, "Meteo data (average weather and current data)"));
    checks->addWidget(BindCheck(settings.exportForecast, "Forecast data (forecast areas)"));
    checks->addWidget(BindCheck(settings.exportPublications, "Charts and publications"));
    checks->addWidget(BindCheck(settings.exportPorts, "Port data"));
    Column()->addWidget(lists);
    QFormLayout* form = AddForm();
    TextRow(form, "Folder to export to:", settings.exportFolder);
    AddRow(form, "Character to separate fields:",
           BindComboText(settings.convChar, {}, "Character to separate fields", true));
    Column()->addStretch(1);
  }
};

class CPageOptionsMail : public PropertyPage {
 public:
  explicit CPageOptionsMail(CSheetOptions::StoreValues& values) : PropertyPage("Mail") {
    QFormLayout* form = AddForm();
    transport_ = BindIndex(values.mailTransport,
                           {"SMTP server (the outbox keeps what it cannot take)",
                            "Desktop mail program", "Outbox folder only"},
                           "Send mail by");
    AddRow(form, "Send mail by:", transport_);
    connect(transport_, &QComboBox::currentIndexChanged, this, [this] { ShowFigures(); });

    QFormLayout* smtp = nullptr;
    smtpGroup_ = AddGroup("SMTP server", smtp);
    TextRow(smtp, "Server:", values.smtpServer);
    auto* port = new QHBoxLayout;
    port->addWidget(BindWhole(values.smtpPort, "Port",
                              NumberRange{setting::kSmtpPort.minimum, setting::kSmtpPort.maximum}));
    port->addWidget(new QLabel("Security:", this));
    port->addWidget(
        BindIndex(values.smtpTls, {"None", "STARTTLS", "TLS from the start (SMTPS)"}, "Security"));
    port->addStretch(1);
    smtp->addRow("Port:", port);
    WholeRow(smtp, "Timeout:", values.smtpTimeout, "seconds",
             NumberRange{setting::kSmtpTimeout.minimum, setting::kSmtpTimeout.maximum});
    TextRow(smtp, "User:", values.smtpUser);
    auto* password = new QHBoxLayout;
    password_ = BindText(values.password, "Password");
    password_->setEchoMode(QLineEdit::Password);
    password_->setPlaceholderText("asked once per session unless remembered");
    remember_ = BindCheck(values.savePassword, "Remember password");
    connect(remember_, &QCheckBox::toggled, this, [this] { ShowFigures(); });
    password->addWidget(password_, 1);
    password->addWidget(remember_);
    smtp->addRow("Password:", password);
    TextRow(smtp, "Sender address:", values.sender);

    QFormLayout* outbox = nullptr;
    outboxGroup_ = AddGroup("Outbox", outbox);
    TextRow(outbox, "Outbox folder:", values.outboxFolder)
        ->setPlaceholderText("\"outbox\" in the per-user data folder");
    retry_ = WholeRow(
        outbox, "Send waiting messages every", values.outboxRetryMinutes, "minutes",
        NumberRange{setting::kOutboxRetryMinutes.minimum, setting::kOutboxRetryMinutes.maximum});

    QFormLayout* addresses = nullptr;
    AddGroup("Addresses", addresses);
    TextRow(addresses, QString(MailAddressName(setting::kSupportAddress)) + ':',
            values.supportAddress);
    TextRow(addresses, QString(MailAddressName(setting::kMeteoDataAddress)) + ':',
            values.meteoDataAddress);
    TextRow(addresses, QString(MailAddressName(setting::kUpdateServiceAddress)) + ':',
            values.updateServiceAddress);
    Column()->addStretch(1);
  }

 private:
  // The server's fields matter for SMTP, the outbox for SMTP and the outbox only; a password is
  // kept only when it is to be remembered.
  void ShowFigures() override {
    const int transport = transport_->currentIndex();
    smtpGroup_->setEnabled(transport == 0);
    outboxGroup_->setEnabled(transport != 1);
    retry_->setEnabled(transport == 0);
    password_->setEnabled(remember_->isChecked());
  }

  QComboBox* transport_ = nullptr;
  QGroupBox* smtpGroup_ = nullptr;
  QGroupBox* outboxGroup_ = nullptr;
  QWidget* retry_ = nullptr;
  QLineEdit* password_ = nullptr;
  QCheckBox* remember_ = nullptr;
};

class CPageOptionsPrint : public PropertyPage {
 public:
  CPageOptionsPrint(Settings& settings, Prompter& prompter) : PropertyPage("Printing") {
    const FileChoice logo{"Bitmap File (*.bmp)|*.bmp|All Files (*.*)|*.*||", "bmp", "logo"};
    Column()->addWidget(
        BindCheck(settings.printIncludeBigLogo, "Print company logo on cover page (pagewide)"));
    PathRow(AddForm(), "Company Logo:", settings.companyLogo, logo, prompter);
    Column()->addWidget(BindCheck(settings.printIncludeSmallLogo,
                                  "Print small company logo in header of each page "));
    PathRow(AddForm(), "Small logo:", settings.smallLogo, logo, prompter);
    Column()->addWidget(
        BindCheck(settings.printIncludeShipsName, "Include ships name in header of each page"));
    Column()->addWidget(
        BindCheck(settings.printIncludeFileName, "Include filename in footer of each page"));
    Column()->addWidget(
        BindCheck(settings.printIncludeDate, "Include date of printing in footer of each page"));
    Column()->addStretch(1);
  }
};

class CPageNMEA : public PropertyPage {
 public:
  CPageNMEA(Settings& settings, CSheetOptions::StoreValues& values) : PropertyPage("NMEA") {
    QStringList ports;
    for (std::size_t i = 0; i < values.comDevices.size(); ++i) {
      ports << QStringLiteral("COM%1").arg(i + 1);
    }
    QFormLayout* form = AddForm();
    QComboBox* transport =
        BindIndex(values.gpsTransport,
                  {"Serial port", "TCP server", "UDP port", "gpsd", "Replay of a log file"},
                  "Receiver reached by");
    AddRow(form, "Receiver reached by:", transport);
    QComboBox* port = BindIndex(settings.comPort, ports, "NMEA connected to");
    AddRow(form, "NMEA connected to ", port);
    QWidget* baud =
        WholeRow(form, "Serial speed:", values.gpsBaud, "baud", NumberRange{1, 4000000});
    QLineEdit* address = TextRow(form, "Address:", values.gpsAddress);
    address->setPlaceholderText("HOST:PORT, UDP port, gpsd's HOST:PORT or LOG[@lines a second]");
    AddRow(form, "GPS position string:",
           BindIndex(settings.gpsString, {"GPGGA", "GPRMC", "GPGLL"}, "GPS position string"));
    WholeRow(form, "Update positionfix every", settings.updateSeconds, "seconds");
    auto* history = new QHBoxLayout;
    history->addWidget(BindCheck(settings.writeToHis, "Write GPS position to history every"));
    history->addWidget(BindWhole(settings.writeToHisMinutes, "Write GPS position to history"));
    history->addWidget(new QLabel("minutes", this));
    history->addStretch(1);
    Column()->addLayout(history);
    auto* devices = new QGroupBox("Serial devices", this);
    auto* grid = new QGridLayout(devices);
    for (std::size_t i = 0; i < values.comDevices.size(); ++i) {
      const int row = static_cast<int>(i % 4);
      const int column = static_cast<int>(i / 4) * 2;
      grid->addWidget(new QLabel(ports[static_cast<int>(i)] + ':', devices), row, column);
      grid->addWidget(BindText(values.comDevices[i], ports[static_cast<int>(i)]), row, column + 1);
    }
    Column()->addWidget(devices);
    // Only the fields of the chosen transport can be edited.
    const auto follow = [port, baud, address, devices](int index) {
      const bool serial = index <= 0;
      for (QWidget* field : {static_cast<QWidget*>(port), baud, static_cast<QWidget*>(devices)}) {
        field->setEnabled(serial);
      }
      address->setEnabled(!serial);
    };
    connect(transport, &QComboBox::currentIndexChanged, this, follow);
    follow(transport->currentIndex());
    AddText(
        "Keelmark Route is able to read data from a serial NMEA0183\ninterface and "
        "automatically update all data and log these\npositionfixes to file.\nYou can start "
        "the GPS Monitor via menuoptions tools\nor direct from the toolbar button.");
    Column()->addStretch(1);
  }
};

// What belongs to the program as a whole rather than to one of the pages before it.
class CPageOptionsGeneral : public PropertyPage {
 public:
  explicit CPageOptionsGeneral(CSheetOptions::StoreValues& values) : PropertyPage("General") {
    TextRow(AddForm(), "Homepage:", values.homepage)
        ->setPlaceholderText("https://... (opened by Help > Homepage)");
    Column()->addStretch(1);
  }
};

}  // namespace

CSheetOptions::CSheetOptions(CKeelmarkRouteXPDoc& document, QWidget* parent)
    : PropertySheet(kCaption, document.GetPrompter(), parent), document_(document) {
  Prompter& prompter = document.GetPrompter();
  AddPage(new CPageOptionsColors(settings_));
  AddPage(new CPageOptionsPath(store_, settings_, prompter));
  AddPage(new CPageOptionsDocuments(settings_, prompter));
  AddPage(new CPageOptionsCleanUp(settings_));
  AddPage(new CPageOptionsSchedule(settings_, [this] { RunNow(); }));
  AddPage(new CPageOptionsPrint(settings_, prompter));
  AddPage(new CPageNMEA(settings_, store_));
  AddPage(new CPageOptionsMail(store_));
  AddPage(new CPageOptionsGeneral(store_));
}

void CSheetOptions::CopyIn() {
  settings_ = document_.GetSettings();
  const SettingsStore& store = document_.GetStore();
  for (std::size_t i = 0; i < kDataPaths.size(); ++i) {
    store_.dataPaths[i] = store.Read(kDataPaths[i].key);
  }
  for (std::size_t i = 0; i < store_.comDevices.size(); ++i) {
    store_.comDevices[i] = store.Read(setting::kComDevices[i]);
  }
  store_.gpsTransport = store.Read(setting::kGpsTransport);
  store_.gpsAddress = store.Read(setting::kGpsAddress);
  store_.gpsBaud = store.Read(setting::kGpsBaud);
  store_.mailTransport = store.Read(setting::kMailTransport);
  store_.smtpServer = store.Read(setting::kSmtpServer);
  store_.smtpPort = store.Read(setting::kSmtpPort);
  store_.smtpTls = store.Read(setting::kSmtpTls);
  store_.smtpTimeout = store.Read(setting::kSmtpTimeout);
  store_.smtpUser = store.Read(setting::kSmtpUser);
  store_.savePassword = store.Read(setting::kSmtpSavePassword);
  store_.password = store.Read(setting::kSmtpPassword);
  store_.sender = store.Read(setting::kMailSender);
  store_.outboxFolder = store.Read(setting::kOutboxFolder);
  store_.outboxRetryMinutes = store.Read(setting::kOutboxRetryMinutes);
  store_.supportAddress = store.Read(setting::kSupportAddress);
  store_.meteoDataAddress = store.Read(setting::kMeteoDataAddress);
  store_.updateServiceAddress = store.Read(setting::kUpdateServiceAddress);
  store_.homepage = store.Read(setting::kHomepage);
}

void CSheetOptions::RunNow() {
  PropertyPage* page = CurrentPage();
  if (page && !page->TakeValues(GetPrompter())) return;
  Settings& target = document_.GetSettings();
  target.exportHistory = settings_.exportHistory;
  target.exportMeteo = settings_.exportMeteo;
  target.exportForecast = settings_.exportForecast;
  target.exportPublications = settings_.exportPublications;
  target.exportPorts = settings_.exportPorts;
  target.runScheduler = settings_.runScheduler;
  target.weekdayScheduler = settings_.weekdayScheduler;
  target.exportFolder = settings_.exportFolder;
  const std::string summary = BackupSummary(WriteBackup(document_, ProcessClock().Now()));
  if (auto* window = qobject_cast<QMainWindow*>(parentWidget())) {
    window->statusBar()->showMessage(QString::fromStdString(summary));
  }
  GetPrompter().Message(summary, MessageIcon::Information);
}

void CSheetOptions::CopyBack() {
  SettingsStore& store = document_.GetStore();
  for (std::size_t i = 0; i < kDataPaths.size(); ++i) {
    store.Write(kDataPaths[i].key, store_.dataPaths[i]);
  }
  for (std::size_t i = 0; i < store_.comDevices.size(); ++i) {
    store.Write(setting::kComDevices[i], store_.comDevices[i]);
  }
  store.Write(setting::kGpsTransport, store_.gpsTransport);
  store.Write(setting::kGpsAddress, store_.gpsAddress);
  store.Write(setting::kGpsBaud, store_.gpsBaud);
  store.Write(setting::kMailTransport, store_.mailTransport);
  store.Write(setting::kSmtpServer, store_.smtpServer);
  store.Write(setting::kSmtpPort, store_.smtpPort);
  store.Write(setting::kSmtpTls, store_.smtpTls);
  store.Write(setting::kSmtpTimeout, store_.smtpTimeout);
  store.Write(setting::kSmtpUser, store_.smtpUser);
  store.Write(setting::kSmtpSavePassword, store_.savePassword);
  // The password stays on disk only when the user asked for it.
  store.Write(setting::kSmtpPassword, store_.savePassword ? store_.password : std::string());
  store.Write(setting::kMailSender, store_.sender);
  store.Write(setting::kOutboxFolder, store_.outboxFolder);
  store.Write(setting::kOutboxRetryMinutes, store_.outboxRetryMinutes);
  store.Write(setting::kSupportAddress, store_.supportAddress);
  store.Write(setting::kMeteoDataAddress, store_.meteoDataAddress);
  store.Write(setting::kUpdateServiceAddress, store_.updateServiceAddress);
  store.Write(setting::kHomepage, store_.homepage);

  // Only what the pages edit: the GPS monitor may change other settings meanwhile.
  Settings& target = document_.GetSettings();
  const Settings& s = settings_;
  target.colBckMain = s.colBckMain;
  target.colTxMain = s.colTxMain;
  target.schedulePath = s.schedulePath;
  target.standingOrders = s.standingOrders;
  target.depCheckList = s.depCheckList;
  target.arrCheckList = s.arrCheckList;
  target.historyCleanUp = s.historyCleanUp;
  target.runScheduler = s.runScheduler;
  target.weekdayScheduler = s.weekdayScheduler;
  target.exportHistory = s.exportHistory;
  target.exportMeteo = s.exportMeteo;
  target.exportForecast = s.exportForecast;
  target.exportPublications = s.exportPublications;
  target.exportPorts = s.exportPorts;
  target.exportFolder = s.exportFolder;
  target.convChar = s.convChar;
  target.printIncludeBigLogo = s.printIncludeBigLogo;
  target.companyLogo = s.companyLogo;
  target.printIncludeSmallLogo = s.printIncludeSmallLogo;
  target.smallLogo = s.smallLogo;
  target.printIncludeShipsName = s.printIncludeShipsName;
  target.printIncludeFileName = s.printIncludeFileName;
  target.printIncludeDate = s.printIncludeDate;
  target.comPort = s.comPort;
  target.gpsString = s.gpsString;
  target.updateSeconds = s.updateSeconds;
  target.writeToHis = s.writeToHis;
  target.writeToHisMinutes = s.writeToHisMinutes;
  WriteColors(store, target);
  std::string error;
  if (!store.Sync(&error)) document_.GetPrompter().Message(error, MessageIcon::Exclamation);
}

}  // namespace keelmark
