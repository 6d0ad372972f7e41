// GeoPoint: a place on the sphere as the navigation arithmetic reads and moves it, and LatLon,
// a bare latitude and longitude. Every located record is a GeoPoint, so the arithmetic works
// on records without knowing them.
#pragma once

namespace keelmark {

class GeoPoint {
 public:
  GeoPoint() = default;
  GeoPoint(const GeoPoint&) = default;
  GeoPoint& operator=(const GeoPoint&) = default;
  virtual ~GeoPoint() = default;

  // Decimal degrees, north and east positive.
  [[nodiscard]] virtual double GetLatitude() const = 0;
  [[nodiscard]] virtual double GetLongitude() const = 0;
  virtual void SetLatitude(double degrees) = 0;
  virtual void SetLongitude(double degrees) = 0;
};

// Defaults to 45N 005E, the position a new record starts at.
class LatLon final : public GeoPoint {
 public:
  LatLon() = default;
  LatLon(double latitude, double longitude) : latitude_(latitude), longitude_(longitude) {}

  [[nodiscard]] double GetLatitude() const override { return latitude_; }
  [[nodiscard]] double GetLongitude() const override { return longitude_; }
  void SetLatitude(double degrees) override { latitude_ = degrees; }
  void SetLongitude(double degrees) override { longitude_ = degrees; }

 private:
  double latitude_ = 45.0;
  double longitude_ = 5.0;
};

}  // namespace keelmark
