#include "QtGreek.h"

#include <QLocale>
#include <QTranslator>

namespace translations {

bool InstallQtGreek(QCoreApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece));
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/translations/qt_el.qm")) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace translations
