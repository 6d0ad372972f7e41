#include "document/route_edits.h"

#include <gtest/gtest.h>

namespace keelmark {
namespace {

// A-B-C-D: the leg into B a great circle at a manual 9 knots, the leg into D hand-set weather.
Voyage FourPoints() {
  Voyage route;
  const char* names[] = {"A", "B", "C", "D"};
  for (int i = 0; i < 4; ++i) {
    Waypoint* w = route.Add(std::make_unique<Waypoint>());
    w->SetName(names[i]);
    w->Latitude = i;
    w->SetZoneHours(i);
  }
  route.GetAt(1)->GreatCircle = 1;
  route.GetAt(1)->ManualSpeed = 1;
  route.GetAt(1)->GroundSpeed = 9.0;
  route.GetAt(3)->UseVoyageWeather = 0;
  route.GetAt(3)->Weather.WindSpeed = 33.0;
  route.GetFirst()->SetTime(100.0);
  route.GetLast()->SetScheduledTime(105.0);
  return route;
}

TEST(ReverseWaypoints, LegValuesGoWithTheirLegsAndTheEndTimesStayAtTheEnds) {
  Voyage route = FourPoints();
  ReverseWaypoints(route);
  std::string order;
  for (const auto& w : route) order += w->GetName();
  EXPECT_EQ(order, "DCBA");
  // B-A was the leg A-B: it arrives at A now. D-C was C-D.
  const Waypoint& a = *route.GetAt(3);
  EXPECT_EQ(a.GreatCircle, 1);
  EXPECT_EQ(a.ManualSpeed, 1);
  EXPECT_EQ(a.GroundSpeed, 9.0);
  EXPECT_EQ(route.GetAt(1)->UseVoyageWeather, 0);
  EXPECT_EQ(route.GetAt(1)->Weather.WindSpeed, 33.0);
  EXPECT_EQ(route.GetAt(2)->GreatCircle, 0);
  EXPECT_EQ(route.GetAt(2)->ManualSpeed, 0);
  // Positions and zones stay with their waypoints.
  EXPECT_EQ(a.Latitude, 0.0);
  EXPECT_EQ(a.GetZoneHours(), 0.0);
  EXPECT_EQ(route.GetFirst()->GetTime(), 100.0);
  EXPECT_EQ(route.GetLast()->GetScheduledTime(), 105.0);
}

}  // namespace
}  // namespace keelmark
