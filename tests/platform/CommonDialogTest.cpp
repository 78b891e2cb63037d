#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMutex>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <QTranslator>
#include <QTreeView>
#include <utility>
#include <vector>

#include "QtGreek.h"
#include "platform/CommonDialog.h"
#include "platform/FileDialog.h"
#include "platform/RuntimeError.h"
#include "support/FileViewWait.h"
#include "support/ScriptedDesktop.h"

namespace {

using namespace platform;

using testsupport::ScriptedDesktop;

// Open, rules, then Save As on one dialog object, as the main window uses it.
TEST(CommonDialogTest, PropertiesStayUntilSetAgain) {
    ScriptedDesktop desktop;
    desktop.fileNames = {"/g/a.tvx", "/g/b.tvx"};
    CommonDialog dialog(desktop, nullptr);

    dialog.Properties.CancelError = true;
    dialog.Properties.Flags = cdlOFNFileMustExist;
    dialog.Properties.DefaultExt = "tvx";
    dialog.Properties.FileName = "";
    dialog.Properties.InitDir = "/g";
    dialog.Properties.Filter = "Αρχείο Ταρβέξης (*.tvx)|*.tvx|Όλα τα αρχεία (*.*)|*.*";
    dialog.ShowOpen();
    EXPECT_EQ(dialog.Properties.FileName, "/g/a.tvx");

    dialog.HelpCommand = cdlHelpContents;
    dialog.HelpFile = "/p/Tarvex.hlp";
    dialog.ShowHelp();

    dialog.Properties.CancelError = true;
    dialog.Properties.Flags = cdlOFNOverwritePrompt | cdlOFNNoReadOnlyReturn;
    dialog.Properties.FileName = "/h/c.tvx";
    dialog.Properties.Filter = "Αρχείο Ταρβέξης (*.tvx)|*.tvx";
    dialog.ShowSave();
    EXPECT_EQ(dialog.Properties.FileName, "/g/b.tvx");

    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(desktop.fileNames.empty());
    ASSERT_EQ(desktop.dialogs.size(), 2u);
    ASSERT_FALSE(desktop.dialogs[0].save);
    EXPECT_EQ(desktop.dialogs[0].properties.InitDir, "/g");
    EXPECT_EQ(desktop.dialogs[0].properties.FileName, "");
    ASSERT_EQ(desktop.helps.size(), 1u);
    EXPECT_EQ(desktop.helps[0], QStringLiteral("/p/Tarvex.hlp|%1|0").arg(cdlHelpContents));
    ASSERT_TRUE(desktop.dialogs[1].save);
    const FileDialogProperties& save = desktop.dialogs[1].properties;
    EXPECT_EQ(save.Flags, 32770);
    EXPECT_EQ(save.FileName, "/h/c.tvx");
    EXPECT_EQ(save.Filter, "Αρχείο Ταρβέξης (*.tvx)|*.tvx");
    // Not set by the save: left from the open.
    EXPECT_EQ(save.DefaultExt, "tvx");
    EXPECT_EQ(save.InitDir, "/g");
    EXPECT_TRUE(save.CancelError);
}

TEST(CommonDialogTest, CancelRaises32755OnlyWithCancelError) {
    for (const bool cancelError : {true, false}) {
        for (const bool save : {false, true}) {
            SCOPED_TRACE((save ? "save, CancelError " : "open, CancelError ") +
                         std::to_string(cancelError));
            ScriptedDesktop desktop;
            desktop.fileNames = {"", "/g/chosen.tvx"};
            CommonDialog dialog(desktop, nullptr);
            dialog.Properties.CancelError = cancelError;
            dialog.Properties.FileName = "/g/proposed.tvx";
            const auto show = [&] { save ? dialog.ShowSave() : dialog.ShowOpen(); };

            if (cancelError) {
                try {
                    show();
                    ADD_FAILURE() << "a cancel raised nothing";
                } catch (const RuntimeError& e) {
                    EXPECT_EQ(e.Number(), ErrDialogCancelled);
                }
            } else {
                EXPECT_NO_THROW(show());
            }
            EXPECT_EQ(dialog.Properties.FileName, "");

            // A confirmed choice raises nothing, whatever CancelError says.
            EXPECT_NO_THROW(show());
            EXPECT_EQ(dialog.Properties.FileName, "/g/chosen.tvx");
            EXPECT_EQ(desktop.dialogs.size(), 2u);
            EXPECT_TRUE(desktop.messages.empty());
        }
    }
}

// Installed before the Greek translation, so asked only for the texts it has no answer for.
// Qt may look texts up from its file information thread.
class MissedTexts : public QTranslator {
  public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int /*n*/) const override {
        // Key names stay as they are printed on the keys.
        if (qstrcmp(context, "QShortcut") != 0) {
            const QMutexLocker lock(&mutex_);
            QString text = QString::fromUtf8(context) + u'/' + QString::fromUtf8(sourceText);
            if (disambiguation != nullptr && *disambiguation != 0) {
                text += QStringLiteral(" (") + QString::fromUtf8(disambiguation) + u')';
            }
            if (!missed_.contains(text)) {
                missed_ << text;
            }
        }
        return QString();
    }
    QStringList Take() {
        const QMutexLocker lock(&mutex_);
        return std::exchange(missed_, {});
    }

  private:
    mutable QMutex mutex_;
    mutable QStringList missed_;
};

// Both dialogs as the player sees them: detail view of a folder with a folder and a file, their
// column headers, tool tips, context menu entries and buttons.
TEST(FileDialogTest, QtTextsOfShownDialogsAreAllGreek) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int argc = 1;
    char name[] = "tarvex_platform_tests";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    // The dialog keeps its state in Qt's own settings file, here a file of the test's.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("φάκελος")));
    QFile game(QDir(folder.path()).filePath(QStringLiteral("παιχνίδι.tvx")));
    ASSERT_TRUE(game.open(QIODevice::WriteOnly));
    game.close();

    const QLocale locale;
    MissedTexts missed;
    QCoreApplication::installTranslator(&missed);
    ASSERT_TRUE(translations::InstallQtGreek(app));
    missed.Take();

    for (const QFileDialog::AcceptMode mode : {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
        SCOPED_TRACE(mode == QFileDialog::AcceptOpen ? "open" : "save");
        FileDialogProperties properties;
        properties.InitDir = folder.path();
        properties.Filter = QStringLiteral("Αρχείο Ταρβέξης (*.tvx)|*.tvx|Όλα τα αρχεία (*.*)|*.*");
        FileDialog dialog(nullptr, properties, mode);
        dialog.setViewMode(QFileDialog::Detail);
        dialog.show();
        const QTreeView* view = dialog.findChild<QTreeView*>();
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(testsupport::WaitFor([&] { return testsupport::RowsTyped(*view, 2); }));
        for (int column = 0; column < view->model()->columnCount(view->rootIndex()); ++column) {
            view->model()->headerData(column, Qt::Horizontal);
        }
        const QStringList untranslated = missed.Take();
        EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(u'\n').toStdString();
    }
    QLocale::setDefault(locale);
}

}  // namespace
