// The Help menu's commands: the homepage and the About box.
#pragma once

class QWidget;

namespace keelmark {

class CKeelmarkRouteXPDoc;

// Said by Help > Homepage while no address is set, and when the one set is no web address.
inline constexpr const char* kNoHomepage =
    "No homepage address is set.\nEnter it as \"Homepage\" on the General page of Tools > Options.";
inline constexpr const char* kBadHomepage =
    "The homepage address is not a web address:\n%1\nCorrect it on the General page of "
    "Tools > Options.";
inline constexpr const char* kCannotOpenHomepage = "The homepage could not be opened:\n%1";

// Opens the homepage address of the settings with the desktop's browser, or says why not.
void OpenHomepage(CKeelmarkRouteXPDoc& doc);

// The About box, with where this document's data files and settings are.
void ShowAbout(QWidget* parent, CKeelmarkRouteXPDoc& doc);

}  // namespace keelmark
