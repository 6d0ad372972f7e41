// The C library's numeric conventions that the core's texts rely on.
#pragma once

namespace keelmark {

// Call after constructing the Q(Core|Gui)Application.
void UseCNumericLocale();

}  // namespace keelmark
