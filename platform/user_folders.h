// Whose per-user settings and data these are: the desktop's standard per-user folders hold them
// under these names.
#pragma once

namespace keelmark {

inline constexpr const char* kSettingsOrganisation = "Brineholt Productions";
inline constexpr const char* kSettingsApplication = "Keelmark Route";

}  // namespace keelmark
