#include <QApplication>

#include "ui/frmBasic.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    frmBasic window(QApplication::arguments().mid(1));
    window.show();
    return QApplication::exec();
}
