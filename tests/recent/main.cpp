#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "support/QuietOffscreen.h"

int main(int argc, char** argv) {
    testsupport::UseQuietOffscreenPlatform();
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const QTemporaryDir settings;
    testsupport::UseSettingsFolder(settings.path());
    return RUN_ALL_TESTS();
}
