// The main of the test programs that build windows: offscreen, with a settings store of their
// own and one set of pictures for every window of the run, as the program draws it once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "support/QuietOffscreen.h"
#include "support/TestArtwork.h"

int main(int argc, char** argv) {
    testsupport::UseQuietOffscreenPlatform();
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const QTemporaryDir settings;
    testsupport::UseSettingsFolder(settings.path());
    // The save dialog falls back to the home folder: one of the run's own.
    const QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    const auto artwork = std::make_unique<resources::Artwork>(resources::DrawArtwork());
    testsupport::SetTestArtwork(artwork.get());
    const int result = RUN_ALL_TESTS();
    testsupport::SetTestArtwork(nullptr);
    return result;
}
