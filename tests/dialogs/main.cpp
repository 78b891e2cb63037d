#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "WindowFixture.h"
#include "support/QuietOffscreen.h"

int main(int argc, char** argv) {
    testsupport::UseQuietOffscreenPlatform();
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const QTemporaryDir settings;
    testsupport::UseSettingsFolder(settings.path());
    // One set of pictures for every window of the run, as the program draws it once.
    const auto artwork = std::make_unique<resources::Artwork>(resources::DrawArtwork());
    SetTestArtwork(artwork.get());
    const int result = RUN_ALL_TESTS();
    SetTestArtwork(nullptr);
    return result;
}
