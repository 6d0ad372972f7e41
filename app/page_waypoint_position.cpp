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

CPageWaypointPosition::CPageWaypointPosition(QWidget* parent)
    : PropertyPage(QString::fromLatin1(kCaption), parent) {
  QFormLayout* form = AddForm();
  TextRow(form, QString::fromLatin1(kName), values.name);
  Column()->addWidget(BindPosition(values.latitude, values.longitude, new PositionEntry));
  QFormLayout* zone = AddForm();
  AddRow(zone, QString::fromLatin1(kLocalTime),
         BindZone(values.zoneOffset,
                  new ZoneEntry(QString::fromLatin1(kLocalTimeField), kZoneLimitHours,
                                ZoneEntry::Sign::InHours, QString::fromLatin1(kPlusUtc))));
  Column()->addStretch(1);
}

void CPageWaypointPosition::CopyFrom(const CPosition2& record) {
  values = {record.GetName(), record.GetLatitude(), record.GetLongitude(),
            record.GetZoneOffset()};
}

void CPageWaypointPosition::CopyTo(CPosition2& record) const {
  record.SetName(values.name);
  record.SetLatitude(values.latitude);
  record.SetLongitude(values.longitude);
  record.SetZoneOffset(values.zoneOffset);
}

}  // namespace keelmark
