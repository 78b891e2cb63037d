#pragma once

#include <ostream>

// Where a dialog goes for a main window at (mainLeft, mainTop) on a screen of the given size,
// all in twips.
struct PlaceCase {
    const char* name;
    float mainLeft, mainTop, screenWidth, screenHeight;
    float left, top;
};

inline void PrintTo(const PlaceCase& c, std::ostream* os) {
    *os << c.name;
}
