#include <QApplication>
#include <memory>

#include "QtGreek.h"
#include "platform/Process.h"
#include "platform/QtDesktop.h"
#include "resources/Artwork.h"
#include "ui/frmBasic.h"

int main(int argc, char* argv[]) {
    const std::unique_ptr<QApplication> app = platform::StartApplication(argc, argv);
    translations::InstallQtGreek(*app);
    const resources::Artwork artwork = resources::DrawArtwork();
    frmBasic window(artwork, platform::QtDesktop(), QApplication::arguments().mid(1));
    window.show();
    return QApplication::exec();
}
