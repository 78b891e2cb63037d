#pragma once

#include <QString>
#include <cstdint>

// Variables shared by the windows.
namespace mdlBasic {

extern std::uint8_t GameNumber;          // the game in play, below game::kGameCount
extern std::uint8_t PreviousGameNumber;  // the game before the chooser's choice
extern bool ChangedFromChooser;          // the chooser has just set GameNumber
extern QString VersionText;              // "major.minor"

}  // namespace mdlBasic
