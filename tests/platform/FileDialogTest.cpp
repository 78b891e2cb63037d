// The program's open and save dialogs, shown offscreen. CTest runs these twice, under the C
// locale and under the Greek one, as the dates, and so the widths, follow the system's locale.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QCollator>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>
#include <functional>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include "DialogScript.h"
#include "QtGreek.h"
#include "platform/CommonDialog.h"
#include "platform/FileDialog.h"
#include "platform/QtDesktop.h"
#include "support/FileViewWait.h"
#include "support/QuietOffscreen.h"
#include "support/Unprivileged.h"

// Test output shows texts as they read.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

using namespace platform;

const QString kOpenFilter = QStringLiteral("Αρχείο Ταρβέξης (*.tvx)|*.tvx|Όλα τα αρχεία (*.*)|*.*");
const QString kSaveFilter = QStringLiteral("Αρχείο Ταρβέξης (*.tvx)|*.tvx");

constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;

void WriteFile(const QString& path, qint64 size) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(QByteArray("Kivuno\nTarvex\nv1.0\n").leftJustified(size, 'x', true));
}

// A folder of saved games as the program leaves them: games, a copy's name, the game folder.
class GameFolder {
  public:
    GameFolder() {
        QDir(Path()).mkdir(QStringLiteral("TarvexSaveGame"));
        WriteFile(Path(QStringLiteral("Κλασσικό.tvx")), 622);
        WriteFile(Path(QStringLiteral("Παιχνίδι 3.tvx")), 1536);
        WriteFile(Path(QStringLiteral("Παιχνίδι 3[2].tvx")), 622);
    }
    QString Path(const QString& name = QString()) const {
        return name.isEmpty() ? folder_.path() : QDir(folder_.path()).filePath(name);
    }

  private:
    QTemporaryDir folder_;
};

FileDialogProperties Properties(const QString& folder, const QString& filter,
                                const QString& fileName = QString()) {
    FileDialogProperties properties;
    properties.InitDir = folder;
    properties.Filter = filter;
    properties.DefaultExt = QStringLiteral("tvx");
    properties.FileName = fileName;
    return properties;
}

using testsupport::WaitFor;

QTreeView* DetailView(const QFileDialog& dialog) {
    return dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
}

// Shows the dialog in detail view and waits until the folder's `rows` have all their columns;
// then until the dialog has followed them.
void ShowAndSettle(FileDialog& dialog, int rows) {
    dialog.setViewMode(QFileDialog::Detail);
    dialog.show();
    const QTreeView* view = DetailView(dialog);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(WaitFor([&] { return testsupport::RowsTyped(*view, rows, kTypeColumn); }));
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
    }
}

// The texts of the shown rows, by column, in the order shown.
std::vector<QStringList> ShownRows(const QTreeView& view) {
    std::vector<QStringList> rows;
    const QAbstractItemModel* model = view.model();
    for (int row = 0; row < model->rowCount(view.rootIndex()); ++row) {
        QStringList texts;
        for (int column = 0; column < model->columnCount(view.rootIndex()); ++column) {
            texts << model->index(row, column, view.rootIndex()).data().toString();
        }
        rows.push_back(texts);
    }
    return rows;
}

QStringList ShownRow(const QTreeView& view, const QString& name) {
    for (const QStringList& row : ShownRows(view)) {
        if (row.value(0) == name) {
            return row;
        }
    }
    ADD_FAILURE() << "no row " << name.toStdString();
    return {};
}

// The dialog turns the desktop's dialogs off for as long as Qt builds it, then gives the
// application its own setting back, whichever it was.
TEST(FileDialogTest, ApplicationKeepsItsNativeDialogSetting) {
    GameFolder folder;
    for (const bool off : {false, true}) {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, off);
        {
            const FileDialog dialog(nullptr, Properties(folder.Path(), kOpenFilter),
                                    QFileDialog::AcceptOpen);
            EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
            EXPECT_EQ(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs), off);
        }
        EXPECT_EQ(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs), off);
    }
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false);
}

TEST(FileDialogTest, FileTypeIsTheLabelOfTheFilterThatMatchesIt) {
    struct Case {
        const char* filter;
        const char* gameType;   // of the .tvx files
        const char* notesType;  // of a .txt file; "" for Qt's own
    };
    const Case cases[] = {
        {"Αρχείο Ταρβέξης (*.tvx)|*.tvx|Όλα τα αρχεία (*.*)|*.*", "Αρχείο Ταρβέξης", ""},
        // A label that sorts after Qt's types shows whether sorting goes by the type shown.
        {"Παιχνίδι Ταρβέξης (*.tvx)|*.tvx|Όλα τα αρχεία (*.*)|*.*", "Παιχνίδι Ταρβέξης", ""},
        {"Παρτίδα|*.tvx;*.TXT|Όλα|*.*", "Παρτίδα", "Παρτίδα"},
    };
    GameFolder folder;
    WriteFile(folder.Path(QStringLiteral("Σημειώσεις.txt")), 10);
    const QFileIconProvider qtTypes;
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        FileDialog dialog(nullptr, Properties(folder.Path(), QString::fromUtf8(c.filter)),
                          QFileDialog::AcceptOpen);
        dialog.selectNameFilter(dialog.nameFilters().constLast());
        ShowAndSettle(dialog, 5);
        QTreeView& view = *DetailView(dialog);

        for (const QString& game :
             {QStringLiteral("Κλασσικό.tvx"), QStringLiteral("Παιχνίδι 3[2].tvx")}) {
            EXPECT_EQ(ShownRow(view, game).value(kTypeColumn), QString::fromUtf8(c.gameType));
        }
        const QString notes = QStringLiteral("Σημειώσεις.txt");
        EXPECT_EQ(ShownRow(view, notes).value(kTypeColumn),
                  *c.notesType ? QString::fromUtf8(c.notesType)
                               : qtTypes.type(QFileInfo(folder.Path(notes))));
        const QString gameFolder = QStringLiteral("TarvexSaveGame");
        EXPECT_EQ(ShownRow(view, gameFolder).value(kTypeColumn),
                  qtTypes.type(QFileInfo(folder.Path(gameFolder))));

        view.sortByColumn(kTypeColumn, Qt::AscendingOrder);
        ASSERT_TRUE(WaitFor([&] {
            const std::vector<QStringList> rows = ShownRows(view);
            for (size_t row = 1; row < rows.size(); ++row) {
                if (collator.compare(rows[row - 1].value(kTypeColumn),
                                     rows[row].value(kTypeColumn)) > 0) {
                    return false;
                }
            }
            return true;
        })) << "rows not in the order of their types";
    }
}

// The dialog never reads a file to name its type: a picture whose name says nothing is of the
// generic type, a text named as a picture is a picture.
TEST(FileDialogTest, FileTypeIsToldFromTheNameAlone) {
    GameFolder folder;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(4, 4, QImage::Format_RGB32).save(&buffer, "PNG");
    ASSERT_TRUE(png.startsWith("\x89PNG"));
    for (const auto& [name, content] :
         {std::pair{"picture", png}, std::pair{"notes.png", QByteArray("notes")}}) {
        QFile file(folder.Path(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const QMimeDatabase types;
    const struct {
        const char* name;
        QString type;
    } cases[] = {
        {"picture", types.mimeTypeForName(QStringLiteral("application/octet-stream")).comment()},
        {"notes.png", types.mimeTypeForName(QStringLiteral("image/png")).comment()},
        {"Κλασσικό.tvx", QStringLiteral("Αρχείο Ταρβέξης")},
        {"TarvexSaveGame", QStringLiteral("Φάκελος")},
    };
    ASSERT_NE(cases[0].type, types.mimeTypeForData(png).comment());

    FileDialog dialog(nullptr, Properties(folder.Path(), kOpenFilter), QFileDialog::AcceptOpen);
    dialog.selectNameFilter(dialog.nameFilters().constLast());
    ShowAndSettle(dialog, 6);
    for (const auto& c : cases) {
        EXPECT_EQ(ShownRow(*DetailView(dialog), QString::fromUtf8(c.name)).value(kTypeColumn),
                  c.type)
            << c.name;
    }
}

TEST(FileDialogTest, SizesAreGreekWhateverTheSystemLocaleAndDatesFollowIt) {
    GameFolder folder;
    FileDialog dialog(nullptr, Properties(folder.Path(), kSaveFilter), QFileDialog::AcceptSave);
    ShowAndSettle(dialog, 4);
    const QTreeView& view = *DetailView(dialog);

    struct Case {
        const char* name;
        QString size;
    };
    const Case cases[] = {
        {"Κλασσικό.tvx", QStringLiteral("622 byte")},
        {"Παιχνίδι 3.tvx", QLocale(QLocale::Greek, QLocale::Greece).formattedDataSize(1536)},
        {"TarvexSaveGame", QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromUtf8(c.name);
        const QStringList row = ShownRow(view, name);
        EXPECT_EQ(row.value(kSizeColumn), c.size);
        EXPECT_EQ(row.value(kDateColumn),
                  QLocale::system().toString(QFileInfo(folder.Path(name)).lastModified(),
                                             QLocale::ShortFormat));
    }
    if (QLocale::system().language() != QLocale::Greek) {
        EXPECT_NE(QLocale::system().formattedDataSize(622), QStringLiteral("622 byte"));
    }
}

// Each column as wide as its header and its rows ask, all of them beside a vertical scroll bar
// without a horizontal one, every sidebar entry whole, and the window on the screen.
void ExpectEverythingWhole(const FileDialog& dialog) {
    const QTreeView& view = *DetailView(dialog);
    const QAbstractItemView& items = view;
    const QHeaderView& header = *view.header();
    for (int column = 0; column < header.count(); ++column) {
        SCOPED_TRACE("column " + std::to_string(column));
        EXPECT_FALSE(header.isSectionHidden(column));
        EXPECT_GE(header.sectionSize(column), items.sizeHintForColumn(column));
        EXPECT_GE(header.sectionSize(column), header.sectionSizeHint(column));
    }
    EXPECT_LE(header.length(),
              view.width() - 2 * view.frameWidth() - view.verticalScrollBar()->sizeHint().width());
    EXPECT_FALSE(view.horizontalScrollBar()->isVisible());

    const auto* sidebar = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
    ASSERT_NE(sidebar, nullptr);
    EXPECT_GE(sidebar->model()->rowCount(), 2);
    EXPECT_LE(static_cast<const QAbstractItemView*>(sidebar)->sizeHintForColumn(0),
              sidebar->viewport()->width());
    EXPECT_FALSE(sidebar->horizontalScrollBar()->isVisible());

    EXPECT_TRUE(dialog.screen()->availableGeometry().contains(dialog.frameGeometry()));
}

TEST(FileDialogTest, DialogOpensWithEveryColumnAndSidebarEntryWhole) {
    struct Case {
        const char* what;
        QStringList moreGames;
        bool sizeKnownAtOpening;  // no name longer than the name column opens for
    };
    QStringList many;
    for (int i = 1; i <= 40; ++i) {
        many << QStringLiteral("Παιχνίδι %1.tvx").arg(i + 3);
    }
    const Case cases[] = {
        {"the game's files", {}, true},
        {"more than the view holds", many, true},
        {"a long name", {QStringLiteral("Παιχνίδι με όνομα μακρύτερο από τα άλλα.tvx")}, false},
    };
    for (const Case& c : cases) {
        for (const QFileDialog::AcceptMode mode :
             {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
            SCOPED_TRACE(std::string(c.what) +
                         (mode == QFileDialog::AcceptOpen ? ", open" : ", save"));
            GameFolder folder;
            for (const QString& name : c.moreGames) {
                WriteFile(folder.Path(name), 622);
            }
            FileDialog dialog(
                nullptr,
                Properties(folder.Path(),
                           mode == QFileDialog::AcceptOpen ? kOpenFilter : kSaveFilter,
                           mode == QFileDialog::AcceptSave ? QStringLiteral("Παιχνίδι 3[2].tvx")
                                                           : QString()),
                mode);
            dialog.setViewMode(QFileDialog::Detail);
            dialog.show();
            const QSize opening = dialog.size();
            ShowAndSettle(dialog, 4 + static_cast<int>(c.moreGames.size()));
            if (c.sizeKnownAtOpening) {
                EXPECT_EQ(dialog.size(), opening);
            }
            if (c.moreGames.size() > 30) {
                EXPECT_TRUE(DetailView(dialog)->verticalScrollBar()->isVisible());
            }
            ExpectEverythingWhole(dialog);
        }
    }
}

TEST(FileDialogTest, LookInLabelSaysWhatTheDialogIsFor) {
    struct Case {
        QFileDialog::AcceptMode mode;
        const char* title;
        const char* lookIn;
        QDialogButtonBox::StandardButton accept;
        const char* acceptText;
    };
    const Case cases[] = {
        {QFileDialog::AcceptOpen, "Άνοιγμα", "Αναζήτηση σε:", QDialogButtonBox::Open, "Άνοιγμα"},
        {QFileDialog::AcceptSave, "Αποθήκευση ως", "Αποθήκευση σε:", QDialogButtonBox::Save,
         "Αποθήκευση"},
    };
    GameFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        FileDialog dialog(nullptr, Properties(folder.Path(), kSaveFilter), c.mode);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
        const auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
        ASSERT_NE(lookIn, nullptr);
        EXPECT_EQ(lookIn->text(), QString::fromUtf8(c.lookIn));
        const QPushButton* accept = dialog.findChild<QDialogButtonBox*>()->button(c.accept);
        ASSERT_NE(accept, nullptr);
        EXPECT_EQ(accept->text(), QString::fromUtf8(c.acceptText));
    }
}

using testsupport::Later;
using testsupport::Script;
using testsupport::ShownFileDialog;
using testsupport::ShownMessageBox;

QLineEdit* NameEdit(const FileDialog& dialog) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// Clicks the dialog's accept button once the dialog shows `name`.
std::function<bool()> AcceptWhenShowing(const QString& name) {
    return [name] {
        FileDialog* dialog = ShownFileDialog();
        if (dialog == nullptr || ShownMessageBox() != nullptr ||
            NameEdit(*dialog)->text() != name) {
            return false;
        }
        QPushButton* save = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save);
        Later([save] { save->click(); });
        return true;
    };
}

// Answers the message box with `button` after checking that it stands, modal, over the
// dialog, which is still on screen, with `text` and the dialog's title.
std::function<bool()> Answer(const QString& text, QMessageBox::StandardButton button) {
    return [text, button] {
        QMessageBox* box = ShownMessageBox();
        if (box == nullptr) {
            return false;
        }
        FileDialog* dialog = ShownFileDialog();
        EXPECT_NE(dialog, nullptr) << "the dialog left the screen";
        EXPECT_TRUE(box->parentWidget() != nullptr && box->parentWidget()->window() == dialog);
        EXPECT_NE(box->windowModality(), Qt::NonModal);
        EXPECT_EQ(box->text(), text);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Αποθήκευση ως"));
        EXPECT_NE(box->button(button), nullptr);
        if (box->button(button) == nullptr) {
            return false;
        }
        QAbstractButton* answer = box->button(button);
        Later([answer] { answer->click(); });
        return true;
    };
}

TEST(FileDialogTest, OverwriteQuestionStandsOverTheSaveDialog) {
    GameFolder folder;
    const QString name = QStringLiteral("Κλασσικό.tvx");
    const QString path = QDir::toNativeSeparators(folder.Path(name));
    FileDialogProperties properties = Properties(folder.Path(), kSaveFilter, name);
    properties.Flags = cdlOFNOverwritePrompt | cdlOFNNoReadOnlyReturn;
    const QString question = QStringLiteral("Το αρχείο ") + path +
                             QStringLiteral(" υπάρχει ήδη.\nΘέλετε να αντικατασταθεί;");

    const Script script({
        AcceptWhenShowing(name),
        [] {
            // No is the default answer.
            QMessageBox* box = ShownMessageBox();
            if (box != nullptr) {
                EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
            }
            return box != nullptr;
        },
        Answer(question, QMessageBox::No),
        // Refused, the dialog stays with the name.
        AcceptWhenShowing(name),
        Answer(question, QMessageBox::Yes),
    });
    EXPECT_EQ(QtDesktop().ShowSave(nullptr, properties), path);
    EXPECT_TRUE(script.Done());
}

// The names the dialog's list has selected.
QStringList SelectedNames(const FileDialog& dialog) {
    QStringList names;
    const auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
    if (list != nullptr) {
        for (const QModelIndex& index : list->selectionModel()->selectedRows()) {
            names << index.data().toString();
        }
    }
    return names;
}

TEST(FileDialogTest, RefusedOverwriteLeavesTheNameAsTypedAndTheSelection) {
    GameFolder folder;
    const QString typed = QStringLiteral("a & b");
    const QString name = typed + QStringLiteral(".tvx");
    WriteFile(folder.Path(name), 622);
    FileDialogProperties properties = Properties(folder.Path(), kSaveFilter);
    properties.Flags = cdlOFNOverwritePrompt | cdlOFNNoReadOnlyReturn;

    const Script script({
        [&] {
            FileDialog* dialog = ShownFileDialog();
            if (dialog == nullptr || !testsupport::RowsTyped(*DetailView(*dialog), 5)) {
                return false;
            }
            if (!testsupport::TypeInto(NameEdit(*dialog), typed)) {
                return false;
            }
            // Qt selects the file the typed name stands for.
            EXPECT_EQ(SelectedNames(*dialog), QStringList{name});
            QPushButton* save =
                dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save);
            Later([save] { save->click(); });
            return true;
        },
        Answer(QStringLiteral("Το αρχείο ") + QDir::toNativeSeparators(folder.Path(name)) +
                   QStringLiteral(" υπάρχει ήδη.\nΘέλετε να αντικατασταθεί;"),
               QMessageBox::No),
        [&] {
            FileDialog* dialog = ShownFileDialog();
            if (dialog == nullptr || ShownMessageBox() != nullptr) {
                return false;
            }
            for (int i = 0; i < 10; ++i) {
                QCoreApplication::processEvents();
            }
            EXPECT_EQ(NameEdit(*dialog)->text(), typed);
            EXPECT_EQ(SelectedNames(*dialog), QStringList{name});
            Later([dialog] { dialog->reject(); });
            return true;
        },
    });
    EXPECT_EQ(QtDesktop().ShowSave(nullptr, properties), QString());
    EXPECT_TRUE(script.Done());
}

// Saving as `name` from the dialog shown with properties is refused with `refusal`; the dialog
// then stays with the name, and is cancelled.
void ExpectSaveRefused(const FileDialogProperties& properties, const QString& name,
                       const QString& refusal) {
    const Script script({
        AcceptWhenShowing(name),
        Answer(refusal, QMessageBox::Ok),
        [name] {
            FileDialog* dialog = ShownFileDialog();
            if (dialog == nullptr || ShownMessageBox() != nullptr) {
                return false;
            }
            EXPECT_EQ(NameEdit(*dialog)->text(), name);
            Later([dialog] { dialog->reject(); });
            return true;
        },
    });
    EXPECT_EQ(QtDesktop().ShowSave(nullptr, properties), QString());
    EXPECT_TRUE(script.Done());
}

void ExpectReadOnlyRefusal(const GameFolder& folder) {
    const QString name = QStringLiteral("Κλασσικό.tvx");
    const QString path = QDir::toNativeSeparators(folder.Path(name));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    ASSERT_FALSE(QFileInfo(path).isWritable()) << "a read-only file is writable for this user";
    FileDialogProperties properties = Properties(folder.Path(), kSaveFilter, name);
    properties.Flags = cdlOFNOverwritePrompt | cdlOFNNoReadOnlyReturn;
    ExpectSaveRefused(properties, name,
                      QStringLiteral("Το αρχείο ") + path +
                          QStringLiteral(" είναι μόνο για ανάγνωση.\nΔώστε άλλο όνομα αρχείου."));
}

// Root ignores permissions: the dialog runs as a user they hold for.
TEST(FileDialogTest, ReadOnlyRefusalStandsOverTheSaveDialog) {
    const GameFolder folder;
    testsupport::RunUnprivileged({folder.Path()}, [&] { ExpectReadOnlyRefusal(folder); });
}

// What the player types in the name field and confirms with Enter, and where the dialog then
// stands. The program's working folder is elsewhere: it holds no folder of the typed folders'
// names, but one of each typed file name.
struct TypedCase {
    const char* label;
    QFileDialog::AcceptMode mode;
    QString typed;     // "<other>" stands for another folder's absolute path
    QString entered;   // the folder the dialog then shows, relative to the game folder; "" none
    QString returned;  // the path returned when the dialog closes, relative to the game folder
};

TEST(FileDialogTest, TypedFolderIsEnteredAndOnlyAFileNameGetsTheExtension) {
    const QTemporaryDir other;
    const QTemporaryDir working;
    for (const char* name : {"new", "game", "Κλασσικό"}) {
        QDir(working.path()).mkdir(QString::fromUtf8(name));
    }
    const QString home = QDir::currentPath();
    QDir::setCurrent(working.path());
    const TypedCase cases[] = {
        {"open: folder", QFileDialog::AcceptOpen, "TarvexSaveGame", "TarvexSaveGame", ""},
        {"open: folder with slash", QFileDialog::AcceptOpen, "TarvexSaveGame/", "TarvexSaveGame",
         ""},
        {"open: parent", QFileDialog::AcceptOpen, "TarvexSaveGame/..", ".", ""},
        {"open: absolute", QFileDialog::AcceptOpen, "<other>", "<other>", ""},
        {"open: a game by its title", QFileDialog::AcceptOpen, "Κλασσικό", "", "Κλασσικό.tvx"},
        {"save: folder", QFileDialog::AcceptSave, "TarvexSaveGame", "TarvexSaveGame", ""},
        {"save: absolute", QFileDialog::AcceptSave, "<other>", "<other>", ""},
        {"save: new name", QFileDialog::AcceptSave, "new", "", "new.tvx"},
        {"save: name with a folder", QFileDialog::AcceptSave, "TarvexSaveGame/game", "",
         "TarvexSaveGame/game.tvx"},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.label);
        GameFolder folder;
        const QString typed = c.typed == "<other>" ? other.path() : c.typed;
        const QString entered = c.entered == "<other>" ? other.path()
                                : c.entered.isEmpty()  ? QString()
                                                       : QDir::cleanPath(folder.Path(c.entered));
        bool checked = false;
        std::vector<std::function<bool()>> steps{[&] {
            FileDialog* dialog = ShownFileDialog();
            if (dialog == nullptr || !testsupport::RowsTyped(*DetailView(*dialog), 4)) {
                return false;
            }
            if (!testsupport::TypeInto(NameEdit(*dialog), typed)) {
                return false;
            }
            QLineEdit* edit = NameEdit(*dialog);
            Later([edit] { QTest::keyClick(edit, Qt::Key_Return); });
            return true;
        }};
        if (!entered.isEmpty()) {
            steps.push_back([&] {
                FileDialog* dialog = ShownFileDialog();
                if (dialog == nullptr) {
                    ADD_FAILURE() << "the dialog closed";
                    return true;
                }
                if (QMessageBox* box = ShownMessageBox()) {
                    ADD_FAILURE() << "a box: " << box->text().toStdString();
                    Later([box, dialog] {
                        box->buttons().constFirst()->click();
                        Later([dialog] { dialog->reject(); });
                    });
                    return true;
                }
                if (QDir::cleanPath(dialog->directory().absolutePath()) != entered) {
                    return false;
                }
                checked = true;
                Later([dialog] { dialog->reject(); });
                return true;
            });
        }
        const Script script(std::move(steps));
        FileDialogProperties properties = Properties(
            folder.Path(), c.mode == QFileDialog::AcceptOpen ? kOpenFilter : kSaveFilter);
        // As the program shows them.
        properties.Flags = c.mode == QFileDialog::AcceptOpen
                               ? cdlOFNFileMustExist
                               : cdlOFNOverwritePrompt | cdlOFNNoReadOnlyReturn;
        const QString chosen = c.mode == QFileDialog::AcceptOpen
                                   ? QtDesktop().ShowOpen(nullptr, properties)
                                   : QtDesktop().ShowSave(nullptr, properties);
        EXPECT_TRUE(script.Done());
        if (entered.isEmpty()) {
            EXPECT_EQ(chosen, QDir::toNativeSeparators(folder.Path(c.returned)));
        } else {
            EXPECT_TRUE(checked);
            EXPECT_EQ(chosen, QString());
        }
    }
    QDir::setCurrent(home);
}

// The help file goes to the desktop's opener, which may run as long as the viewer it starts:
// the call does not wait for it, and an opener that ends saying nothing opens the file, or that
// is missing, gets the program's message over the window that asked.
TEST(HelpTest, FailureOfTheOpenerIsToldOverTheAskingWindowWithoutWaitingForIt) {
    const QTemporaryDir bin;
    const QString help = QDir(bin.path()).filePath(QStringLiteral("Tarvex.hlp"));
    ASSERT_TRUE(QFile(help).open(QIODevice::WriteOnly));
    const QString started = QDir(bin.path()).filePath(QStringLiteral("started"));
    const QString go = QDir(bin.path()).filePath(QStringLiteral("go"));
    const QByteArray path = qgetenv("PATH");
    const struct {
        const char* label;
        int exitCode;  // -1: no opener
        bool told;
    } cases[] = {
        {"nothing opens the file", 3, true},
        {"the viewer opened it", 0, false},
        {"no opener", -1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        QFile::remove(started);
        QFile::remove(go);
        QFile::remove(QDir(bin.path()).filePath(QStringLiteral("xdg-open")));
        if (c.exitCode >= 0) {
            QFile opener(QDir(bin.path()).filePath(QStringLiteral("xdg-open")));
            ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
            opener.write(QStringLiteral("#!/bin/sh\necho \"$1\" > '%1'\n"
                                        "while [ ! -e '%2' ]; do sleep 0.02; done\nexit %3\n")
                             .arg(started, go)
                             .arg(c.exitCode)
                             .toLocal8Bit());
            opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner);
        }
        qputenv("PATH", bin.path().toLocal8Bit());
        QWidget window;
        window.show();
        QtDesktop().ShowHelp(&window, help, cdlHelpContents, 0);
        qputenv("PATH", path);
        EXPECT_EQ(ShownMessageBox(), nullptr);
        if (c.exitCode >= 0) {
            ASSERT_TRUE(WaitFor([&] { return QFileInfo(started).size() > 0; }));
            QFile file(started);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll().trimmed(), help.toLocal8Bit());
            for (int i = 0; i < 10; ++i) {
                QCoreApplication::processEvents();
            }
            EXPECT_EQ(ShownMessageBox(), nullptr) << "told before the opener ended";
            ASSERT_TRUE(QFile(go).open(QIODevice::WriteOnly));
        }
        QString text;
        QWidget* owner = nullptr;
        const Script script({[&] {
            QMessageBox* box = ShownMessageBox();
            if (box == nullptr) {
                return false;
            }
            text = box->text();
            owner = box->parentWidget();
            QAbstractButton* ok = box->buttons().constFirst();
            Later([ok] { ok->click(); });
            return true;
        }});
        WaitFor([&] { return script.Done(); }, c.told ? 5000 : 500);
        if (c.told) {
            EXPECT_EQ(text,
                      QStringLiteral("Δεν ήταν δυνατό να ανοίξει το αρχείο βοήθειας: ") + help);
            EXPECT_EQ(owner, &window);
        } else {
            EXPECT_FALSE(script.Done()) << text.toStdString();
        }
    }
}

// A link leads the refusal to the folder a save through it really writes: from the read-only
// folder ro into the writable rw it is taken, from rw into ro it is refused and names ro.
void ExpectRefusalWhereTheLinkLeads(const QString& root) {
    const QDir dir(root);
    const QString ro = dir.filePath(QStringLiteral("ro"));
    const QString rw = dir.filePath(QStringLiteral("rw"));
    ASSERT_TRUE(dir.mkdir(QStringLiteral("ro")) && dir.mkdir(QStringLiteral("rw")));
    WriteFile(rw + QStringLiteral("/game.tvx"), 622);
    WriteFile(ro + QStringLiteral("/kept.tvx"), 622);
    ASSERT_TRUE(QFile::link(QStringLiteral("../rw/game.tvx"), ro + QStringLiteral("/game.tvx")));
    ASSERT_TRUE(QFile::link(QStringLiteral("../ro/kept.tvx"), rw + QStringLiteral("/kept.tvx")));
    QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ASSERT_FALSE(QFileInfo(ro).isWritable()) << "a read-only folder is writable for this user";

    const QString name = QStringLiteral("game.tvx");
    const QString link = QDir::toNativeSeparators(ro + QStringLiteral("/game.tvx"));
    FileDialogProperties properties = Properties(ro, kSaveFilter, name);
    properties.Flags = cdlOFNOverwritePrompt | cdlOFNNoReadOnlyReturn;
    {
        const Script script({
            AcceptWhenShowing(name),
            Answer(QStringLiteral("Το αρχείο ") + link +
                       QStringLiteral(" υπάρχει ήδη.\nΘέλετε να αντικατασταθεί;"),
                   QMessageBox::Yes),
        });
        EXPECT_EQ(QtDesktop().ShowSave(nullptr, properties), link);
        EXPECT_TRUE(script.Done());
    }

    const QString kept = QStringLiteral("kept.tvx");
    properties.InitDir = rw;
    properties.FileName = kept;
    ExpectSaveRefused(properties, kept,
                      QStringLiteral("Ο φάκελος ") + QDir::toNativeSeparators(ro) +
                          QStringLiteral(" δεν επιτρέπει εγγραφή.\nΕπιλέξτε άλλο φάκελο."));
    QFile::setPermissions(ro,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(FileDialogTest, ReadOnlyRefusalFollowsALinkToWhereTheSaveIsWritten) {
    const QTemporaryDir root;
    testsupport::RunUnprivileged({root.path()},
                                 [&] { ExpectRefusalWhereTheLinkLeads(root.path()); });
}

}  // namespace

int main(int argc, char** argv) {
    testsupport::UseQuietOffscreenPlatform();
    testing::InitGoogleTest(&argc, argv);
    // A screen of 1024 by 768, a small desktop's, for the dialog to grow in.
    QTemporaryDir screen;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        QFile config(QDir(screen.path()).filePath(QStringLiteral("screen.json")));
        if (config.open(QIODevice::WriteOnly)) {
            config.write(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1024,
                             "height": 768, "logicalDpi": 96, "dpr": 1}]})");
            config.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
        }
    }
    QApplication app(argc, argv);
    return testsupport::RunDialogTests(app);
}
