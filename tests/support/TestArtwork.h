#pragma once

#include "resources/Artwork.h"

namespace testsupport {

// The pictures every test window is built with, drawn once by the test program's main.
inline const resources::Artwork*& TestArtworkSlot() {
    static const resources::Artwork* artwork = nullptr;
    return artwork;
}
inline void SetTestArtwork(const resources::Artwork* artwork) {
    TestArtworkSlot() = artwork;
}
inline const resources::Artwork& TestArtwork() {
    return *TestArtworkSlot();
}

}  // namespace testsupport
