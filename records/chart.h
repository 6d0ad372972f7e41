// Chart: one record class for nautical charts and nautical publications.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "records/field_visitor.h"
#include "records/position.h"

namespace keelmark {

// What a record of the shared chart list is listed as.
enum class ChartKind { Chart, Publication };

// Name is the chart or publication name; the position is the chart's top left corner.
class Chart : public CPosition2 {
 public:
  // The issue time and edition start at the creation time, read from the process clock.
  Chart();

  // Storing marks the record with the "Version 4" tag and writes Name twice. Loading reads the
  // name copy into StoredName and takes it as the name when the position's own name is empty
  // or "New Position", and AltName when the name is still empty; a record without the tag
  // (the older layout) ends before BitmapPath and keeps no bitmap and zero extents.
  void Serialize(Archive& archive) override;

  // Both directions, the fields exactly as a file holds them: loading applies no name rule,
  // storing writes StoredName as the name copy and BitmapPath and the extents only when
  // LayoutTag is "Version 4". Dump and build of files use it so that every file comes back
  // byte for byte, older layouts included.
  void SerializeAsStored(Archive& archive);

  // A chart when IsChart is 1; any other value is listed as a publication.
  [[nodiscard]] ChartKind Kind() const {
    return IsChart == 1 ? ChartKind::Chart : ChartKind::Publication;
  }
  void SetKind(ChartKind kind) { IsChart = kind == ChartKind::Chart ? 1 : 0; }

  [[nodiscard]] bool HasNewerLayout() const { return LayoutTag == kLayoutTag; }

  // The bottom right corner, degrees (plain sums; nothing wraps at 180 degrees).
  [[nodiscard]] double BottomRightLatitude() const { return Latitude + LatitudeExtent; }
  [[nodiscard]] double BottomRightLongitude() const { return Longitude + LongitudeExtent; }

  static constexpr const char* kLayoutTag = "Version 4";

  std::string BitmapPath;        // background bitmap file; empty: no bitmap
  double ChartSpare = 0.5;       // the plotting sheet's grid interval, degrees; not stored
  std::int32_t Projection = 0;   // 0 "Mercator", 1 "Gnomonic"; not stored
  double ScaleLatitude = 0.0;    // "Latitude of scale:", degrees
  double Scale = 100000.0;       // scale denominator
  double LongitudeExtent = 0.0;  // bottom right minus top left longitude, degrees
  double LatitudeExtent = 0.0;   // bottom right minus top left latitude, degrees
  std::int32_t IsChart = 1;      // 1 chart, 0 publication
  std::string LayoutTag;         // "Version 4" once stored; shown as the "Folio"
  std::string Number;            // "Number:"
  TimeValue IssueTime;           // carried in the file
  TimeValue Edition;             // "Edition:"
  std::string ChartText1;        // carried in the file
  std::string Publisher;         // "Publisher:"
  std::string AltName;           // carried in the file; the name when the stored name is empty
  std::string StoredName;        // the name copy read from the file

  // The older layout with empty texts: the position, IsChart, six texts, two times, two doubles.
  static constexpr std::size_t kMinimumStoredBytes =
      CPosition2::kMinimumStoredBytes + 4 + 6 + 2 * 4 + 2 * 8;

 private:
  void SerializeFields(Archive& archive, std::string& nameCopy);
  void ApplyNameRules();
};

// The stored fields: the position's, then the chart's own with its layout tag and name copy.
template <RecordOf<Chart> ChartRecord, typename Visitor>
void VisitFields(ChartRecord& c, Visitor&& visit) {
  VisitFields(FieldsOfBase<CPosition2>(c), visit);
  visit("IsChart", c.IsChart);
  visit("ChartText1", c.ChartText1);
  visit("LayoutTag", c.LayoutTag);
  visit("StoredName", c.StoredName);
  visit("Number", c.Number);
  visit("AltName", c.AltName);
  visit("Publisher", c.Publisher);
  visit("IssueTime", c.IssueTime);
  visit("Edition", c.Edition);
  visit("Scale", c.Scale);
  visit("ScaleLatitude", c.ScaleLatitude);
  visit("BitmapPath", c.BitmapPath);
  visit("LatitudeExtent", c.LatitudeExtent);
  visit("LongitudeExtent", c.LongitudeExtent);
}

}  // namespace keelmark
