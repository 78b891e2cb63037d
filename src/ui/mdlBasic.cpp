#include "ui/mdlBasic.h"

namespace mdlBasic {

std::uint8_t GameNumber = 0;
std::uint8_t PreviousGameNumber = 0;
bool ChangedFromChooser = false;
QString VersionText;

}  // namespace mdlBasic
