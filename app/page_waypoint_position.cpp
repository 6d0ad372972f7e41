#include "app/page_waypoint_position.h"

#include <QFormLayout>

#include "app/position_entry.h"
#include "app/zone_entry.h"
#include "records/position.h"

namespace keelmark {

namespace {

constexpr const char* kCaption = "Position";
constexpr const char* kName = "Name:";
constexpr const char* kLocalTime = "Local Time:";
constexpr const char* kLocalTimeField = "Local time";
constexpr const char* kPlusUtc = "+ UTC";
constexpr double kZoneLimitHours = 13.0;

}  // namespace

CPageWaypointPosition::CPageWaypointPosition(CPosition2& position, QWidget* parent)
    : PropertyPage(QString::fromLatin1(kCaption), parent) {
  QFormLayout* form = AddForm();
  TextRow(form, QString::fromLatin1(kName), position.Name);
  Column()->addWidget(BindPosition(position.Latitude, position.Longitude, new PositionEntry));
  QFormLayout* zone = AddForm();
  AddRow(zone, QString::fromLatin1(kLocalTime),
         BindZone(position.ZoneOffset,
                  new ZoneEntry(QString::fromLatin1(kLocalTimeField), kZoneLimitHours,
                                ZoneEntry::Sign::InHours, QString::fromLatin1(kPlusUtc))));
  Column()->addStretch(1);
}

}  // namespace keelmark
