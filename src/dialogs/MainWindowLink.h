#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "resources/Artwork.h"

namespace dialogs {

// What the chooser and the About box need of the main window, which hands itself to them
// through this.
class MainWindowLink {
  public:
    virtual ~MainWindowLink() = default;

    // The game in play, below game::kGameCount.
    virtual std::uint8_t CurrentGame() const = 0;
    // Starts game Number (below game::kGameCount) for the chooser: the game in play is remembered
    // so that a cancelled unsaved-game prompt keeps it. The prompt and what it opens stand over
    // owner.
    virtual void StartChosenGame(std::uint8_t Number, QWidget& owner) = 0;
    // The main window's outer rectangle, frame included, in pixels.
    virtual QRect OuterRect() const = 0;
    // The pictures the main window shows: the tray, the pieces, the thumbnails.
    virtual const resources::Artwork& Pictures() const = 0;
    // The program's version, "major.minor".
    virtual QString VersionText() const = 0;
};

}  // namespace dialogs
