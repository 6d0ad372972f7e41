// The editors of the voyage, its waypoints, the position fixes and the vessel.
#include <QFocusEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSlider>
#include <QtTest>
#include <cmath>

#include "app/date_time_entry.h"
#include "app/record_editors.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "tests/app/editor_test_support.h"
#include "voyage/average_weather.h"
#include "voyage/position_fixes.h"
#include "voyage/vessel_model.h"
#include "voyage/voyage_calculation.h"

namespace keelmark::test {

namespace {

QString Number(const char* format, double value) {
  return QString::fromStdString(FormatNumber(format, value));
}

}  // namespace

class TestEditorsRoute : public QObject {
  Q_OBJECT

 private slots:
  void waypointEditorShowsTheWaypointAndWritesItBack() {
    EditorFixture fixture;
    Waypoint* waypoint = fixture.Doc().GetRoute().GetAt(2);
    const std::string name = waypoint->GetName();
    QStringList shown;
    QString routeExplanation;
    const bool confirmed = DriveSheet(
        [&] {
          return EditRecord(nullptr, fixture.Doc(), Category::Waypoints, {waypoint, nullptr},
                            QString::fromStdString(name));
        },
        [&](PropertySheet& sheet) {
          PropertyPage* position = sheet.CurrentPage();
          shown << sheet.windowTitle() << Text(position, "Name")
                << Text(position, "Latitude degrees") << Text(position, "Latitude minutes")
                << Field<QComboBox>(position, "Latitude hemisphere")->currentText()
                << Text(position, "Longitude degrees") << Text(position, "Longitude minutes")
                << Text(position, "Local time");
          Type(Field<QLineEdit>(position, "Latitude degrees"), "45");
          Type(Field<QLineEdit>(position, "Latitude minutes"), "30.0");
          Choose(Field<QComboBox>(position, "Latitude hemisphere"), 1);
          Type(Field<QLineEdit>(position, "Local time"), "5.5");
          PropertyPage* route = ShowPage(sheet, "Route");
          Click(ButtonText(route, "Proceed TOWARDS this waypoint via greatcircle"));
          routeExplanation = route->findChild<QLabel*>()->text();
          PropertyPage* speed = ShowPage(sheet, "Speed");
          Click(ButtonText(speed, "Set speed at:"));
          Type(Field<QLineEdit>(speed, "Speed"), "0");
          PropertyPage* weather = ShowPage(sheet, "Weather");
          Click(ButtonText(weather, "Manually set weather conditions below:"));
          Type(Field<QLineEdit>(weather, "Wind speed"), "25");
          Type(Field<QLineEdit>(weather, "Air pressure"), "1013");
          PropertyPage* current = ShowPage(sheet, "Current");
          Click(ButtonText(current, "Manually set current below"));
          Type(Field<QLineEdit>(current, "Current direction"), "90");
          Type(Field<QLineEdit>(current, "Current speed"), "1.5");
          PressOk(sheet);
        });
    QVERIFY(confirmed);
    QCOMPARE(shown, (QStringList{QString::fromStdString(name), QString::fromStdString(name), "51",
                                 "0", "North", "1", "27", "0"}));
    QVERIFY(routeExplanation.startsWith("A greatcircle track results in the shortest"));
    QCOMPARE(waypoint->GetLatitude(), -45.5);
    QCOMPARE(waypoint->GetLongitude(), 1.45);
    QCOMPARE(waypoint->GetZoneOffset(), 5.5 * 0.041666666666666664);
    QCOMPARE(waypoint->GreatCircle, 1);
    QCOMPARE(waypoint->ManualSpeed, 1);
    QCOMPARE(waypoint->GroundSpeed, 0.0);
    QCOMPARE(waypoint->UseVoyageWeather, 0);
    QCOMPARE(waypoint->Weather.WindSpeed, 25.0);
    QCOMPARE(waypoint->Weather.AirPressure, 1013.0);
    QCOMPARE(waypoint->Weather.CurrentSet, 90.0);
    QCOMPARE(waypoint->Weather.CurrentRate, 1.5);
    QVERIFY(fixture.Messages().isEmpty());
  }

  void waypointEditorKeepsTheSpeedOfACalculatedLeg() {
    EditorFixture fixture;
    Waypoint* waypoint = fixture.Doc().GetRoute().GetAt(3);
    waypoint->ManualSpeed = 1;
    waypoint->GroundSpeed = 11.0;
    QVERIFY(DriveSheet(
        [&] {
          return EditRecord(nullptr, fixture.Doc(), Category::Schedule, {waypoint, nullptr}, "W");
        },
        [](PropertySheet& sheet) {
          PropertyPage* speed = ShowPage(sheet, "Speed");
          Click(ButtonText(speed, "Allow Keelmark to calculate required speed"));
          Type(Field<QLineEdit>(speed, "Speed"), "17");
          PressOk(sheet);
        }));
    QCOMPARE(waypoint->ManualSpeed, 0);
    QCOMPARE(waypoint->GroundSpeed, 11.0);
  }

  void waypointFieldOutOfRangeKeepsTheSheetOpenAndChangesNothing() {
    EditorFixture fixture;
    Waypoint* waypoint = fixture.Doc().GetRoute().GetAt(2);
    const Archive::Bytes before = StoredBytes(*waypoint);
    bool stillOpen = false;
    QVERIFY(!DriveSheet(
        [&] {
          return EditRecord(nullptr, fixture.Doc(), Category::Waypoints, {waypoint, nullptr}, "W");
        },
        [&](PropertySheet& sheet) {
          Type(Field<QLineEdit>(sheet.CurrentPage(), "Latitude degrees"), "10");
          PropertyPage* weather = ShowPage(sheet, "Weather");
          Click(ButtonText(weather, "Manually set weather conditions below:"));
          Type(Field<QLineEdit>(weather, "Wind speed"), "301");
          PressOk(sheet);
          stillOpen = sheet.isVisible();
        }));
    QVERIFY(stillOpen);
    QCOMPARE(fixture.Messages(),
             QStringList{"Wind speed: please enter a number between 0 and 300."});
    QVERIFY(StoredBytes(*waypoint) == before);
  }

  void fixEditorTakesTheFixIntoTheHistory() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    HistoryList& history = doc.GetHistory();
    PositionFix* fix = ProposeLatestFix(history);
    const PositionFix& previous = *history.GetPrevious(fix);
    const double hours = (fix->GetTime() - previous.GetTime()) * 24.0;
    QVERIFY(hours > 1.0);
    // A position 14 knots' run to the west-south-west of the previous fix.
    CPosition2 target;
    CNavigation().DeadReckonFrom(previous, target, 250.0, 14.0 * hours);
    const int meteoBefore = doc.GetMeteo().GetCount();
    const double draftBefore = doc.GetVessel().draftForward;
    QString shownDraft;
    QVERIFY(DriveSheet(
        [&] {
          return EditRecord(nullptr, doc, Category::History, {fix, nullptr}, "Latest Position Fix");
        },
        [&](PropertySheet& sheet) {
          PropertyPage* position = sheet.CurrentPage();
          Type(Field<QLineEdit>(position, "Latitude degrees"),
               QString::number(target.LatitudeDegrees()));
          Type(Field<QLineEdit>(position, "Latitude minutes"),
               QString::number(target.LatitudeMinutes(), 'f', 4));
          Type(Field<QLineEdit>(position, "Longitude degrees"),
               QString::number(target.LongitudeDegrees()));
          Type(Field<QLineEdit>(position, "Longitude minutes"),
               QString::number(target.LongitudeMinutes(), 'f', 4));
          Choose(Field<QComboBox>(position, "Longitude hemisphere"), target.LongitudeWest());
          PropertyPage* vessel = ShowPage(sheet, "Vessel");
          shownDraft = Text(vessel, "Draft forward");
          Type(Field<QLineEdit>(vessel, "Steered true course"), "255");
          Type(Field<QLineEdit>(vessel, "Engine setting"), "70");
          Type(Field<QLineEdit>(vessel, "Draft forward"), "11.2");
          Type(Field<QLineEdit>(vessel, "Draft aft"), "11.8");
          PropertyPage* weather = ShowPage(sheet, "Weather");
          Type(Field<QLineEdit>(weather, "Wind speed"), "23.5");
          Type(Field<QLineEdit>(weather, "Wind direction"), "240");
          Field<QComboBox>(weather, "Weather")->setCurrentText("RAIN");
          PressOk(sheet);
        }));
    // The Vessel page opens with the vessel's drafts, the ship's present condition.
    QCOMPARE(shownDraft, NumberEdit::Text(draftBefore, NumberEdit::Kind::Decimal));
    const CNavigation navigation;
    QCOMPARE(fix->SpeedMadeGood, navigation.Distance(previous, *fix, false) / hours);
    QVERIFY(std::fabs(fix->SpeedMadeGood - 14.0) < 0.05);
    QCOMPARE(fix->CourseMadeGood, navigation.Course(previous, *fix, false));
    double set = 0.0;
    double rate = 0.0;
    navigation.EstimateCurrent(previous, previous.SteeredCourse, previous.LogSpeed, hours, *fix,
                               set, rate);
    QCOMPARE(fix->Weather.CurrentSet, set);
    QCOMPARE(fix->Weather.CurrentRate, rate);
    QCOMPARE(fix->Weather.WeatherText, std::string("RAIN"));
    QCOMPARE(fix->DraftAft, 11.8);
    CVessel2& vessel = doc.GetVessel();
    QCOMPARE(vessel.draftForward, 11.2);
    QCOMPARE(vessel.calibrationRpm, 70.0);
    QCOMPARE(vessel.calibrationHeading, 255.0);
    QVERIFY(fix->LogSpeed > 0.0);
    // The observation went into the average weather near the fix.
    const MeteoObservation* grid = doc.GetMeteo().Nearest(*fix);
    QVERIFY(grid);
    QVERIFY(doc.GetMeteo().GetCount() >= meteoBefore);
    QCOMPARE(grid->Latest.WindSpeed, 23.5);
    QCOMPARE(grid->Latest.WindDirection, 240.0);
  }

  void fixEditorCancelChangesNothing() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    PositionFix* fix = doc.GetHistory().GetLast();
    const Archive::Bytes history = StoredBytes(doc.GetHistory());
    const Archive::Bytes meteo = StoredBytes(doc.GetMeteo());
    const Archive::Bytes vessel = StoredBytes(doc.GetVessel());
    QVERIFY(!DriveSheet(
        [&] {
          return EditRecord(nullptr, doc, Category::History, {fix, nullptr}, "Fix");
        },
        [](PropertySheet& sheet) {
          Type(Field<QLineEdit>(sheet.CurrentPage(), "Latitude minutes"), "12");
          Type(Field<QLineEdit>(ShowPage(sheet, "Vessel"), "Engine setting"), "99");
          sheet.reject();
        }));
    QVERIFY(StoredBytes(doc.GetHistory()) == history);
    QVERIFY(StoredBytes(doc.GetMeteo()) == meteo);
    QVERIFY(StoredBytes(doc.GetVessel()) == vessel);
  }

  void fixEditorRefusesAGroundSpeedOfFortyKnots() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    PositionFix* fix = ProposeLatestFix(doc.GetHistory());
    fix->CourseMadeGood = 123.0;
    QVERIFY(DriveSheet(
        [&] {
          return EditRecord(nullptr, doc, Category::History, {fix, nullptr}, "Fix");
        },
        [](PropertySheet& sheet) {
          // Half the world away from the previous fix.
          Type(Field<QLineEdit>(sheet.CurrentPage(), "Latitude degrees"), "10");
          Choose(Field<QComboBox>(sheet.CurrentPage(), "Latitude hemisphere"), 1);
          PressOk(sheet);
        }));
    QCOMPARE(fixture.Messages(),
             QStringList{"Groundspeed exceeding 40 kts\nCourse and speed not updated"});
    QCOMPARE(fix->CourseMadeGood, 123.0);
  }

  void voyageEditorOnAnEmptyRouteCreatesDepartureAndArrival() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    doc.OnNewDocument();
    const Port* rotterdam = doc.GetPorts().FindByName("Rotterdam");
    const Port* felixstowe = doc.GetPorts().FindByName("Felixstowe");
    const TimeValue begin = TimeFromUtcFields({126, 11, 7, 6, 0, 0, 0});
    const TimeValue arrival = TimeFromUtcFields({126, 11, 8, 6, 0, 0, 0});
    QVERIFY(DriveSheet(
        [&] { return EditVoyage(nullptr, doc, ""); },
        [&](PropertySheet& sheet) {
          PropertyPage* general = sheet.CurrentPage();
          Type(Field<QLineEdit>(general, "Voyage number"), "V-123");
          auto* departure = Field<QComboBox>(general, "Departure port");
          auto* arrive = Field<QComboBox>(general, "Arrival port");
          Choose(departure, departure->findText("Rotterdam"));
          Choose(arrive, arrive->findText("Felixstowe"));
          Field<DateTimeEntry>(general, "Begin seavoyage")
              ->setDateTime(QDateTime::fromSecsSinceEpoch(begin, Qt::UTC));
          Field<DateTimeEntry>(general, "Scheduled arrival")
              ->setDateTime(QDateTime::fromSecsSinceEpoch(arrival, Qt::UTC));
          Click(ButtonText(ShowPage(sheet, "Weather"), "Use weather data from forecast areas"));
          Click(ButtonText(ShowPage(sheet, "Engine"), "Keep groundspeed constant during voyage"));
          Type(Field<QLineEdit>(ShowPage(sheet, "Draft"), "Draft Forward"), "11.5");
          ShowPage(sheet, "Notes")->findChild<QPlainTextEdit*>()->setPlainText("Via TSS");
          PressOk(sheet);
        }));
    Voyage& route = doc.GetRoute();
    QCOMPARE(route.GetCount(), 2);
    const Waypoint& first = *route.GetFirst();
    const Waypoint& last = *route.GetLast();
    QCOMPARE(first.GetName(), std::string("Rotterdam"));
    QCOMPARE(first.GetLatitude(), rotterdam->GetLatitude());
    QCOMPARE(first.GetLongitude(), rotterdam->GetLongitude());
    QCOMPARE(first.GetZoneOffset(), rotterdam->GetZoneOffset());
    QCOMPARE(last.GetName(), std::string("Felixstowe"));
    QCOMPARE(last.GetLongitude(), felixstowe->GetLongitude());
    const CNavigation navigation;
    // The pickers are read in each port's local time.
    QCOMPARE(first.GetTime(), navigation.LocalDayNumber(begin) - rotterdam->GetZoneOffset());
    QCOMPARE(last.GetScheduledTime(),
             navigation.LocalDayNumber(arrival) - felixstowe->GetZoneOffset());
    QCOMPARE(route.VoyageNumber, std::string("V-123"));
    QCOMPARE(route.UseForecastAreas, 1);
    QCOMPARE(route.ConstantRpm, 0);
    QCOMPARE(route.Note, std::string("Via TSS"));
    QCOMPARE(doc.GetVessel().draftForward, 11.5);
    // The voyage was calculated from the departure.
    QVERIFY(last.LegDistance > 0.0);
  }

  void voyageEditorShowsTheRequiredSpeedUntilAPortIsChosen() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    const Voyage& route = doc.GetRoute();
    const double distance = TotalDistance(route);
    const double hours = (route.GetLast()->GetScheduledTime() - route.GetFirst()->GetTime()) * 24.0;
    QStringList figures;
    QVERIFY(!DriveSheet([&] { return EditVoyage(nullptr, doc, "atlantic-westbound.q3v"); },
                        [&](PropertySheet& sheet) {
                          PropertyPage* general = sheet.CurrentPage();
                          figures << sheet.windowTitle() << Text(general, "Total distance")
                                  << Text(general, "Req Spd");
                          auto* arrival = Field<DateTimeEntry>(general, "Scheduled arrival");
                          arrival->setDateTime(arrival->dateTime().addSecs(24 * 3600));
                          figures << Text(general, "Req Spd");
                          Choose(Field<QComboBox>(general, "Arrival port"), 0);
                          figures << Text(general, "Total distance") << Text(general, "Req Spd");
                          sheet.reject();
                        }));
    // Whole minutes of the picked arrival: the figure is rounded to a tenth of a knot anyway.
    QCOMPARE(figures, (QStringList{"atlantic-westbound.q3v", Number("%#8.1f nM", distance),
                                   Number("%#2.1f kts", distance / hours),
                                   Number("%#2.1f kts", distance / (hours + 24.0)), "", ""}));
  }

  void voyageEditorSaysWhenAPortIsNotInTheListAndLeavesTheWaypoint() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    const Waypoint& first = *doc.GetRoute().GetFirst();
    const std::string name = first.GetName();
    const double latitude = first.GetLatitude();
    QVERIFY(DriveSheet([&] { return EditVoyage(nullptr, doc, ""); },
                       [](PropertySheet& sheet) {
                         auto* departure = Field<QComboBox>(sheet.CurrentPage(), "Departure port");
                         Choose(departure, 1);
                         departure->setCurrentText("Atlantis");
                         QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
                         QApplication::sendEvent(departure->lineEdit(), &leave);
                         PressOk(sheet);
                       }));
    QCOMPARE(fixture.Messages(),
             QStringList{"Departure port does not yet exist in list\nPlease add waypoint "
                         "manually to voyage"});
    QCOMPARE(fixture.Prompter().Messages().at(0).icon, MessageIcon::Information);
    // An unknown name is not looked up as the last port of the list.
    QCOMPARE(first.GetName(), name);
    QCOMPARE(first.GetLatitude(), latitude);
  }

  void voyageEditorCancelChangesNothing() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    const Archive::Bytes route = StoredBytes(doc.GetRoute());
    const Archive::Bytes vessel = StoredBytes(doc.GetVessel());
    QVERIFY(!DriveSheet([&] { return EditVoyage(nullptr, doc, ""); },
                        [](PropertySheet& sheet) {
                          Choose(Field<QComboBox>(sheet.CurrentPage(), "Departure port"), 2);
                          Type(Field<QLineEdit>(ShowPage(sheet, "Draft"), "Draft Aft"), "3");
                          sheet.reject();
                        }));
    QVERIFY(StoredBytes(doc.GetRoute()) == route);
    QVERIFY(StoredBytes(doc.GetVessel()) == vessel);
  }

  void vesselCalibrationSlidersShowTheSpeedAtOnce() {
    EditorFixture fixture;
    CVessel2& vessel = fixture.Doc().GetVessel();
    const CVessel2 original = vessel;
    QStringList shown;
    QStringList expected;
    QVERIFY(DriveSheet([&] { return EditVessel(nullptr, fixture.Doc()); },
                       [&](PropertySheet& sheet) {
                         shown << sheet.windowTitle() << Text(sheet.CurrentPage(), "Name");
                         expected << "Vessel Properties" << QString::fromStdString(original.name);
                         PropertyPage* hull = ShowPage(sheet, "Hull");
                         Field<QSlider>(hull, "Hull")->setValue(45);
                         CVessel2 model = original;
                         model.hullCoefficient = 0.45;
                         shown << Text(hull, "Speed");
                         expected << Number("%#3.1f", VesselModel(model).CalibrationLogSpeed());
                         PropertyPage* waves = ShowPage(sheet, "Waves");
                         shown << QString::number(Field<QSlider>(waves, "Waves")->value());
                         expected << "50";
                         PropertyPage* performance = ShowPage(sheet, "Performance");
                         auto* slider = Field<QSlider>(performance, "Performance");
                         shown << QString::number(slider->maximum());
                         expected << QString::number(original.maxRpm);
                         slider->setValue(80);
                         model.calibrationRpm = 80.0;
                         const double speed =
                             VesselModel(model).CalibrationLogSpeedInHeadWind(16.0);
                         shown << Text(performance, "Engine setting")
                               << Text(performance, "Log speed")
                               << Text(performance, "Propellor slip");
                         expected << "80.0" << Number("%#3.1f", speed)
                                  << Number("%#3.1f", VesselModel(model).SlipPercent(80.0, speed));
                         PressOk(sheet);
                       }));
    QCOMPARE(shown, expected);
    QCOMPARE(vessel.hullCoefficient, 0.45);
    QCOMPARE(vessel.calibrationRpm, 80.0);
    // The waves slider was not moved: its coefficient stays.
    QCOMPARE(vessel.waveCoefficient, original.waveCoefficient);
  }

  void vesselEditorWithABadNumberStaysOpenAndCancelChangesNothing() {
    EditorFixture fixture;
    CVessel2& vessel = fixture.Doc().GetVessel();
    const Archive::Bytes before = StoredBytes(vessel);
    bool stillOpen = false;
    QVERIFY(!DriveSheet([&] { return EditVessel(nullptr, fixture.Doc()); },
                        [&](PropertySheet& sheet) {
                          Type(Field<QLineEdit>(sheet.CurrentPage(), "Length PP"), "long");
                          PressOk(sheet);
                          stillOpen = sheet.isVisible();
                        }));
    QVERIFY(stillOpen);
    QCOMPARE(fixture.Messages(), QStringList{"Length PP: please enter a number."});
    QVERIFY(StoredBytes(vessel) == before);
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestEditorsRoute)
#include "test_editors_route.moc"
