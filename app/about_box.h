// CAboutBox: the "About Keelmark Route" dialog: the version, how the program was built, where
// its files are, and the libraries it ships with and their licences.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

namespace keelmark {

// The version line of the About box.
inline constexpr const char* kVersionText = "Keelmark Route Version 4.05";

// A library the program ships with, and its licence.
struct LibraryLicence {
  const char* library;
  const char* licence;
};
inline constexpr std::array<LibraryLicence, 5> kLibraryLicences = {{
    {"Qt 6", "GNU Lesser General Public License 3.0 (LGPL-3.0)"},
    {"pugixml", "MIT License"},
    {"JSON for Modern C++ (nlohmann-json)", "MIT License"},
    {"libcurl", "curl License"},
    {"libX11", "MIT/X Consortium License"},
}};

class CAboutBox : public QDialog {
  Q_OBJECT

 public:
  // The folder of the data files and the file of the settings, as they are shown.
  CAboutBox(const QString& dataFolder, const QString& settingsFile, QWidget* parent = nullptr);

  // The day this program was compiled, "7 Dec 2026".
  [[nodiscard]] static QString BuildDate();
};

}  // namespace keelmark
