#pragma once

namespace dialogs {

// Where a window goes, in twips.
struct DialogPlace {
    float left;
    float top;
};

}  // namespace dialogs
