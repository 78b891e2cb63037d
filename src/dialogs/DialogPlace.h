#pragma once

#include <QWidget>

#include "dialogs/MainWindowLink.h"

namespace dialogs {

// Where a window goes, in twips.
struct DialogPlace {
    float left;
    float top;
};

// A dialog's place rule: where it goes beside a main window whose outer top-left corner is
// (mainLeft, mainTop) on a screen of screenWidth x screenHeight, all in twips.
using PlaceRule = DialogPlace (*)(float mainLeft, float mainTop, float screenWidth,
                                  float screenHeight);

// Puts the dialog's outer frame where its rule places it beside the main window's outer frame
// on the primary screen.
void PlaceBeside(QWidget& dialog, const MainWindowLink& main, PlaceRule rule);

}  // namespace dialogs
