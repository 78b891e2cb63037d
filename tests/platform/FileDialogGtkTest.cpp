// The program's open and save dialogs on a real X server with Qt's GTK platform theme loaded,
// as on GNOME and Xfce, where a plain QFileDialog is GTK's own dialog. The test runs its own
// Xvfb; without one it fails.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QShowEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

#include "DialogScript.h"
#include "QtGreek.h"
#include "platform/FileDialog.h"
#include "platform/QtDesktop.h"
#include "platform/TaskBar.h"
#include "support/FileViewWait.h"

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

using namespace platform;
using testsupport::Later;
using testsupport::Script;
using testsupport::ShownFileDialog;

constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;

// The GTK theme makes a dialog without the option GTK's: Qt then builds none of its widgets.
// Without that the tests below would prove nothing.
bool ThemeMakesPlainDialogsNative() {
    const QFileDialog plain;
    return plain.findChild<QTreeView*>() == nullptr && plain.findChild<QLineEdit*>() == nullptr;
}

TEST(FileDialogGtkTest, ThemeIsActive) {
    EXPECT_EQ(QApplication::platformName(), QStringLiteral("xcb"));
    EXPECT_TRUE(ThemeMakesPlainDialogsNative()) << "the GTK platform theme is not in use";
}

template <typename T>
T* Part(const QWidget& dialog, const char* name) {
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

struct Shown {
    const char* title;
    const char* lookIn;
    QDialogButtonBox::StandardButton accept;
    const char* acceptText;
    int rows;  // in the start folder
};

// Waits for the dialog, checks that it is Qt's widget dialog with the program's Greek texts and
// the game files' type and Greek size, then types `name` and accepts, or rejects on "".
std::function<bool()> CheckTypeAndAnswer(const Shown& shown, const QString& name) {
    return [shown, name] {
        FileDialog* dialog = ShownFileDialog();
        if (dialog == nullptr) {
            return false;
        }
        auto* view = Part<QTreeView>(*dialog, "treeView");
        auto* edit = Part<QLineEdit>(*dialog, "fileNameEdit");
        if (view == nullptr || edit == nullptr) {
            ADD_FAILURE() << "not Qt's widget dialog";
            Later([dialog] { dialog->reject(); });
            return true;
        }
        if (!testsupport::RowsTyped(*view, shown.rows, kTypeColumn)) {
            return false;
        }
        if (!name.isEmpty() && !edit->hasFocus()) {
            dialog->activateWindow();
            edit->setFocus();
            return false;
        }
        EXPECT_TRUE(edit->isVisible());
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(shown.title));
        const struct {
            const char* label;
            const char* text;
        } labels[] = {
            {"lookInLabel", shown.lookIn},
            {"fileNameLabel", "Όνομα αρχείου:"},
            {"fileTypeLabel", "Αρχεία τύπου:"},
        };
        for (const auto& label : labels) {
            const auto* shownLabel = Part<QLabel>(*dialog, label.label);
            EXPECT_TRUE(shownLabel != nullptr &&
                        shownLabel->text() == QString::fromUtf8(label.text))
                << label.label;
        }
        const auto* types = Part<QComboBox>(*dialog, "fileTypeCombo");
        EXPECT_TRUE(types != nullptr &&
                    types->currentText() == QStringLiteral("Αρχείο Ταρβέξης (*.tvx)"));
        QPushButton* accept = dialog->findChild<QDialogButtonBox*>()->button(shown.accept);
        EXPECT_TRUE(accept != nullptr && accept->text() == QString::fromUtf8(shown.acceptText));

        bool listed = false;
        const QAbstractItemModel* rows = view->model();
        for (int row = 0; row < rows->rowCount(view->rootIndex()); ++row) {
            const auto cell = [&](int column) {
                return rows->index(row, column, view->rootIndex()).data().toString();
            };
            if (cell(0) == QStringLiteral("Κλασσικό.tvx")) {
                listed = true;
                EXPECT_EQ(cell(kTypeColumn), QStringLiteral("Αρχείο Ταρβέξης"));
                EXPECT_EQ(cell(kSizeColumn), QStringLiteral("622 byte"));
            }
        }
        EXPECT_TRUE(listed);

        if (name.isEmpty()) {
            Later([dialog] { dialog->reject(); });
        } else {
            edit->clear();
            testsupport::TypeInto(edit, name);
            Later([accept] { accept->click(); });
        }
        return true;
    };
}

TEST(FileDialogGtkTest, OpenAndSaveAreTheProgramsGreekWidgetDialogs) {
    ASSERT_TRUE(ThemeMakesPlainDialogsNative()) << "the GTK platform theme is not in use";
    const QTemporaryDir folder;
    QFile game(QDir(folder.path()).filePath(QStringLiteral("Κλασσικό.tvx")));
    ASSERT_TRUE(game.open(QIODevice::WriteOnly));
    game.write(QByteArray(622, 'x'));
    game.close();
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("TarvexSaveGame")));

    FileDialogProperties properties;
    properties.InitDir = folder.path();
    properties.DefaultExt = QStringLiteral("tvx");
    properties.Filter = QStringLiteral("Αρχείο Ταρβέξης (*.tvx)|*.tvx");
    properties.Flags = cdlOFNOverwritePrompt | cdlOFNNoReadOnlyReturn;
    const Shown save{"Αποθήκευση ως", "Αποθήκευση σε:", QDialogButtonBox::Save, "Αποθήκευση", 2};
    const QString saved = QDir(folder.path()).filePath(QStringLiteral("Νέο παιχνίδι.tvx"));
    {
        const Script script({CheckTypeAndAnswer(save, QStringLiteral("Νέο παιχνίδι"))});
        EXPECT_EQ(QtDesktop().ShowSave(nullptr, properties), QDir::toNativeSeparators(saved));
        EXPECT_TRUE(script.Done());
    }
    ASSERT_TRUE(QFile::copy(game.fileName(), saved));

    properties.Filter = QStringLiteral("Αρχείο Ταρβέξης (*.tvx)|*.tvx|Όλα τα αρχεία (*.*)|*.*");
    properties.Flags = cdlOFNFileMustExist;
    const Shown open{"Άνοιγμα", "Αναζήτηση σε:", QDialogButtonBox::Open, "Άνοιγμα", 3};
    struct Case {
        QString typed;
        QString chosen;
    };
    const Case cases[] = {
        {QStringLiteral("Νέο παιχνίδι.tvx"), QDir::toNativeSeparators(saved)},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const Script script({CheckTypeAndAnswer(open, c.typed)});
        EXPECT_EQ(QtDesktop().ShowOpen(nullptr, properties), c.chosen);
        EXPECT_TRUE(script.Done());
    }
}

// The states listed in the window's _NET_WM_STATE, by name.
QStringList WindowStates(const QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        ADD_FAILURE() << "no X connection";
        return {};
    }
    const QByteArray name("_NET_WM_STATE");
    const auto atom = [&](const QByteArray& text) {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(
                connection,
                xcb_intern_atom(connection, 0, static_cast<uint16_t>(text.size()), text.data()),
                nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    };
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, static_cast<xcb_window_t>(window.winId()), atom(name),
                             XCB_ATOM_ATOM, 0, 1024),
            nullptr),
        &std::free);
    QStringList states;
    if (!reply || reply->format != 32) {
        return states;
    }
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    for (int i = 0; i < xcb_get_property_value_length(reply.get()) / 4; ++i) {
        std::unique_ptr<xcb_get_atom_name_reply_t, decltype(&std::free)> named(
            xcb_get_atom_name_reply(connection, xcb_get_atom_name(connection, atoms[i]), nullptr),
            &std::free);
        if (named) {
            states << QString::fromLatin1(xcb_get_atom_name_name(named.get()),
                                          xcb_get_atom_name_name_length(named.get()));
        }
    }
    return states;
}

// The task-bar state is asked for once, however often the window is shown: again after it was
// hidden, and again without an unmap, as a restore after a minimise shows it.
TEST(FileDialogGtkTest, TaskBarSkipIsAskedOnceWhateverTheShows) {
    QDialog window;
    KeepOutOfTaskBar(window);
    const QString skip = QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(WindowStates(window).count(skip), 1);

    QShowEvent restored;
    QCoreApplication::sendEvent(&window, &restored);
    window.hide();
    QCoreApplication::processEvents();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(WindowStates(window).count(skip), 1) << WindowStates(window).join(u' ').toStdString();
}

// A private X server on a display it picks itself, so that parallel runs do not meet; it ends
// with this process, however that ends.
class PrivateXServer {
  public:
    PrivateXServer() {
        int ready[2];
        if (pipe(ready) != 0) {
            return;
        }
        const pid_t parent = getpid();
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (getppid() != parent) {
                _exit(1);
            }
            close(ready[0]);
            const std::string fd = std::to_string(ready[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            std::perror("Xvfb");
            _exit(127);
        }
        close(ready[1]);
        if (pid_ < 0) {
            close(ready[0]);
            return;
        }
        // Xvfb writes its display number once it takes connections.
        std::string number;
        char c = 0;
        while (read(ready[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        close(ready[0]);
        if (!number.empty()) {
            display_ = ":" + number;
        }
    }
    ~PrivateXServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // ":n", or "" when the server did not start.
    const std::string& Display() const { return display_; }

  private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const PrivateXServer server;
    if (server.Display().empty()) {
        std::fprintf(stderr, "no X server: Xvfb did not start\n");
        return 1;
    }
    qputenv("DISPLAY", QByteArray::fromStdString(server.Display()));
    qputenv("QT_QPA_PLATFORM", "xcb");
    // The platform theme comes from the environment CTest gives: the desktop, or Qt's variable.
    qputenv("NO_AT_BRIDGE", "1");
    // No session bus: GLib would start one that lives as long as the private server, and ends
    // the process when the bus goes.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QApplication app(argc, argv);
    return testsupport::RunDialogTests(app);
}
