#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QWindow>
#include <cerrno>

#include "WindowFixture.h"
#include "dialogs/frmOptions.h"
#include "files/GameFile.h"
#include "game/Drag.h"
#include "game/GameLayouts.h"
#include "platform/FileErrors.h"
#include "platform/SettingsStore.h"
#include "platform/TextFile.h"
#include "recent/mdlRecentFiles.h"

namespace {

const QString kAskText =
    QStringLiteral("Το προηγούμενο παιχνίδι δεν έχει αποθηκευτεί. Θέλετε να αποθηκευτεί;");
const QString kAskTitle = QStringLiteral("Έξοδος από το τρέχον παιχνίδι");
const char* kLyingLeft = "30 10 11 30 / 31 12 13 31 / 20 21 0 0 / 30 40 40 30 / 31 40 40 31";

class FileTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(folder.isValid());
    }

    QString PathOf(const QString& name) const { return folder.filePath(name); }

    std::vector<QByteArray> LinesOf(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        std::vector<QByteArray> lines;
        for (const QByteArray& line : file.readAll().split('\n')) {
            lines.push_back(line);
        }
        if (!lines.empty() && lines.back().isEmpty()) {
            lines.pop_back();
        }
        return lines;
    }

    QWidget* CommonDialogOwner() const { return window->CommonDialog1.Owner; }

    void SaveAs(const QString& path) {
        desktop.fileNames.push_back(path);
        window->M0SaveAs_Click();
    }

    QTemporaryDir folder;
};

TEST_F(FileTest, FirstSaveAsksForANameInTheDefaultFolder) {
    DragPiece(2, 3, -1, 0);
    desktop.fileNames.push_back(PathOf("first.tvx"));
    window->M0Save_Click();

    ASSERT_EQ(desktop.dialogs.size(), 1u);
    const auto& dialog = desktop.dialogs[0];
    EXPECT_TRUE(dialog.save);
    EXPECT_TRUE(dialog.properties.CancelError);
    EXPECT_EQ(dialog.properties.Flags, 32770);
    EXPECT_EQ(dialog.properties.InitDir, frmBasic::SaveFolder());
    // The default folder does not exist here, so the dialog opens the home folder.
    EXPECT_EQ(dialog.properties.FileName, QDir::homePath() + "/Κλασσικό.tvx");
    EXPECT_EQ(dialog.properties.Filter, QStringLiteral("Αρχείο Ταρβέξης (*.tvx)|*.tvx"));
    EXPECT_TRUE(desktop.messages.empty());

    EXPECT_EQ(window->CurrentFilePath, PathOf("first.tvx"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό-first"));
    EXPECT_FALSE(window->GameChanged);
    const auto lines = LinesOf(PathOf("first.tvx"));
    ASSERT_EQ(lines.size(), 68u);  // two entries
    EXPECT_EQ(lines[0], "Kivuno\r");
    EXPECT_EQ(lines[1], "Tarvex\r");
    EXPECT_EQ(lines[2], "v1.0\r");

    // The next save writes the same file without asking; the next move marks it again.
    DragPiece(1, 3, 1, 0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό-first*"));
    window->M0Save_Click();
    EXPECT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(LinesOf(PathOf("first.tvx")).size(), 88u);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό-first"));

    // Save As proposes the current path.
    desktop.fileNames.push_back(QString());
    window->M0SaveAs_Click();
    ASSERT_EQ(desktop.dialogs.size(), 2u);
    EXPECT_EQ(desktop.dialogs[1].properties.FileName, PathOf("first.tvx"));
}

// The proposed name is free in the folder the dialog really opens: the default folder when it
// exists, else the home folder.
TEST_F(FileTest, ProposedNameSkipsFilesThatExist) {
    StartGame(3, false);
    for (const QString& dialogFolder : {frmBasic::SaveFolder(), QDir::homePath()}) {
        SCOPED_TRACE(dialogFolder.toStdString());
        const bool makeDefault = dialogFolder == frmBasic::SaveFolder();
        ASSERT_TRUE(!makeDefault || QDir().mkpath(dialogFolder));
        const QString taken = dialogFolder + "/Παιχνίδι 3.tvx";
        QFile(taken).open(QIODevice::WriteOnly);
        desktop.dialogs.clear();
        window->M0SaveAs_Click();
        QFile::remove(taken);
        if (makeDefault) {
            QDir().rmdir(dialogFolder);
        }
        ASSERT_EQ(desktop.dialogs.size(), 1u);
        EXPECT_EQ(desktop.dialogs[0].properties.InitDir, frmBasic::SaveFolder());
        EXPECT_EQ(desktop.dialogs[0].properties.FileName, dialogFolder + "/Παιχνίδι 3[1].tvx");
    }
}

TEST_F(FileTest, CancelledSaveChangesNothing) {
    DragPiece(2, 3, -1, 0);
    window->M0Save_Click();
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(window->CurrentFilePath.isEmpty());
    EXPECT_TRUE(window->GameChanged);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό*"));
}

TEST_F(FileTest, FailedSaveIsReportedAndKeepsTheMark) {
    DragPiece(2, 3, -1, 0);
    SaveAs(PathOf("no such folder/x.tvx"));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("Σφάλμα αποθήκευσης"));
    EXPECT_EQ(desktop.messages[0].style, platform::vbOKOnly + platform::vbCritical);
    EXPECT_TRUE(desktop.messages[0].prompt.startsWith(QStringLiteral("Σφάλμα ")));
    EXPECT_TRUE(desktop.messages[0].prompt.contains(QStringLiteral(". Κωδικός σφάλματος 76")));
    EXPECT_TRUE(window->GameChanged);
    EXPECT_TRUE(window->CurrentFilePath.isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό*"));
}

// Every description reads once in both messages: after "Σφάλμα " in the save message and after
// "Περιγραφή σφάλματος: " in the open message (permission denied has the save's own text).
TEST(FailureTexts, EachDescriptionReadsInBothMessages) {
    using platform::RuntimeError;
    using platform::WriteFailure;
    const QString readOnly = QStringLiteral("Το αρχείο αυτό είναι μόνο για ανάγνωση");
    const struct {
        const char* name;
        RuntimeError error;
        const char* description;
    } cases[] = {
        {"overflow", RuntimeError(platform::ErrOverflow), "«Ένας αριθμός δεν χωρά στο πεδίο του»"},
        {"out of memory", RuntimeError(platform::ErrOutOfMemory), "«Η μνήμη δεν επαρκεί»"},
        {"internal", RuntimeError(platform::ErrInternal),
         "«Το πρόγραμμα συνάντησε απρόβλεπτη δυσλειτουργία»"},
        {"file not found", RuntimeError(platform::ErrFileNotFound), "«Το αρχείο δεν βρέθηκε»"},
        {"past the end", RuntimeError(platform::ErrInputPastEndOfFile),
         "«Το αρχείο τελειώνει πριν από τα δεδομένα που χρειάζονται»"},
        {"denied", RuntimeError(platform::ErrPermissionDenied), "«Δεν επιτρέπεται η πρόσβαση»"},
        {"access", RuntimeError(platform::ErrPathFileAccess),
         "«Η πρόσβαση στη διαδρομή ή στο αρχείο απέτυχε»"},
        {"path not found", RuntimeError(platform::ErrPathNotFound), "«Η διαδρομή δεν βρέθηκε»"},
        {"no space", WriteFailure(ENOSPC), "«Ο δίσκος είναι γεμάτος»"},
        {"quota", WriteFailure(EDQUOT), "«Ο δίσκος είναι γεμάτος»"},
        {"read-only system", WriteFailure(EROFS), "«Δεν επιτρέπεται η πρόσβαση»"},
        {"too large", WriteFailure(EFBIG), "«Το αρχείο ξεπερνά το μέγεθος που επιτρέπεται»"},
        {"device", WriteFailure(EIO), "«Η συσκευή του δίσκου δεν ολοκλήρωσε την εγγραφή»"},
        {"a folder", WriteFailure(EISDIR), "«Η διαδρομή είναι φάκελος»"},
        {"long name", WriteFailure(ENAMETOOLONG), "«Το όνομα του αρχείου είναι πολύ μεγάλο»"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString description = QString::fromUtf8(c.description);
        const QString number = QString::number(c.error.Number());
        EXPECT_EQ(c.error.Description(), description);
        EXPECT_EQ(SaveFailureText(c.error),
                  c.error.Number() == platform::ErrPermissionDenied
                      ? readOnly
                      : "Σφάλμα " + description + ". Κωδικός σφάλματος " + number);
        EXPECT_EQ(OpenFailureText(c.error),
                  "Προέκυψε σφάλμα κατά το άνοιγμα του αρχείου.\rΠεριγραφή σφάλματος: " +
                      description + "\rΚωδικός σφάλματος: " + number);
    }

    // A failure the program has no words for carries the system's own, in the same form.
    const RuntimeError other = WriteFailure(EXDEV);
    EXPECT_EQ(other.Number(), platform::ErrPathFileAccess);
    EXPECT_TRUE(SaveFailureText(other).startsWith("Σφάλμα «Η εγγραφή του αρχείου απέτυχε ("));
    EXPECT_TRUE(SaveFailureText(other).endsWith(")». Κωδικός σφάλματος 75"));
}

// A save onto a path that has become a folder, as the player meets it.
TEST_F(FileTest, SaveOntoAFolderSaysSoOnce) {
    SaveAs(PathOf("game.tvx"));
    ASSERT_TRUE(QFile::remove(PathOf("game.tvx")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("game.tvx")));
    DragPiece(2, 3, -1, 0);
    window->M0Save_Click();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].prompt,
              QStringLiteral("Σφάλμα «Η πρόσβαση στη διαδρομή ή στο αρχείο απέτυχε». "
                             "Κωδικός σφάλματος 75"));
}

TEST_F(FileTest, SavedGameOpensOnTheSamePositionWithItsHistory) {
    window->Menu13->SetChecked(true);
    StartGame(2, true);
    const game::Board start = window->Board;
    const game::MoveTable table = game::BuildMoveTable(start);
    // Three slides back and forth of any movable piece, then two undos.
    int px = 0, py = 0, dy = 0;
    for (int x = 1; x <= 4 && px == 0; ++x) {
        for (int y = 1; y <= 5 && px == 0; ++y) {
            if (game::AnchorOf(start, x, y) == game::CellPlace{x, y} && start(x, y) != 0) {
                if (table.CanMove(x, y, game::MoveDown)) {
                    px = x, py = y, dy = 1;
                } else if (table.CanMove(x, y, game::MoveUp)) {
                    px = x, py = y, dy = -1;
                }
            }
        }
    }
    ASSERT_NE(px, 0);
    DragPiece(px, py, 0, dy);
    DragPiece(px, py + dy, 0, -dy);
    DragPiece(px, py, 0, dy);
    window->MUndo_Click();
    window->MUndo_Click();
    const game::Board shown = window->Board;
    SaveAs(PathOf("game two.tvx"));

    window->Menu13->SetChecked(false);
    StartGame(0, false);
    window->OpenGame(false, PathOf("game two.tvx"));

    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(mdlBasic::GameNumber, 2);
    EXPECT_EQ(window->Menu14->Caption(), kReverseOn);
    EXPECT_TRUE(window->Menu13->Checked());
    EXPECT_FALSE(window->StartFinishHidden);
    EXPECT_EQ(window->Board, shown);
    EXPECT_EQ(window->TargetBoard, game::GetGameLayout(2).start);
    EXPECT_EQ(window->History.Index(), 1);
    EXPECT_EQ(window->History.Last(), 3);
    EXPECT_TRUE(window->MUndo->Enabled());
    EXPECT_TRUE(window->MRedo->Enabled());
    EXPECT_FALSE(window->GameChanged);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Παιχνίδι 2-game two"));
    EXPECT_EQ(window->CurrentFilePath, PathOf("game two.tvx"));
    window->MRedo_Click();
    window->MRedo_Click();
    EXPECT_FALSE(window->MRedo->Enabled());
}

TEST_F(FileTest, UnsavedGameIsAskedAboutBeforeItIsReplaced) {
    DragPiece(2, 3, -1, 0);
    desktop.answers.push_back(platform::vbCancel);
    window->StartGame(mdlBasic::GameNumber);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].prompt, kAskText);
    EXPECT_EQ(desktop.messages[0].title, kAskTitle);
    EXPECT_EQ(desktop.messages[0].style,
              platform::vbYesNoCancel + platform::vbQuestion + platform::vbDefaultButton1);
    EXPECT_EQ(window->Board, Rows(kLyingLeft));
    EXPECT_TRUE(window->GameChanged);
    EXPECT_EQ(window->History.Index(), 1);

    // Open: Cancel at the prompt shows no dialog.
    desktop.answers.push_back(platform::vbCancel);
    window->M0Open_Click();
    EXPECT_TRUE(desktop.dialogs.empty());

    // No, then a cancelled open dialog: the unsaved game stays, still marked.
    desktop.answers.push_back(platform::vbNo);
    window->M0Open_Click();
    EXPECT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.messages.size(), 3u);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό*"));

    // No: the new game starts.
    desktop.answers.push_back(platform::vbNo);
    window->StartGame(mdlBasic::GameNumber);
    EXPECT_EQ(window->Board, game::GetGameLayout(0).start);
    EXPECT_FALSE(window->GameChanged);

    // A fresh game is replaced without a prompt.
    window->StartGame(mdlBasic::GameNumber);
    EXPECT_EQ(desktop.messages.size(), 4u);
}

TEST_F(FileTest, SaveAtThePromptOfAGameChangeWritesTheGameInPlay) {
    DragPiece(2, 3, -1, 0);
    // The chooser has picked game 5 for the game in play, the classic one.
    mdlBasic::PreviousGameNumber = 0;
    mdlBasic::GameNumber = 5;
    mdlBasic::ChangedFromChooser = true;
    desktop.answers.push_back(platform::vbYes);
    desktop.fileNames.push_back(PathOf("classic.tvx"));
    window->StartGame(mdlBasic::GameNumber);

    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.dialogs[0].properties.FileName, QDir::homePath() + "/Κλασσικό.tvx");
    const files::GameFileData saved = ReadBack(PathOf("classic.tvx"));
    EXPECT_EQ(saved.GameNumber, 0);
    EXPECT_EQ(saved.Board, Rows(kLyingLeft));
    EXPECT_EQ(window->Board, game::GetGameLayout(5).start);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Παιχνίδι 5"));
}

TEST_F(FileTest, CancelAtThePromptOfTheChooserKeepsTheGameInPlay) {
    DragPiece(2, 3, -1, 0);
    mdlBasic::PreviousGameNumber = 0;
    mdlBasic::GameNumber = 5;
    mdlBasic::ChangedFromChooser = true;
    desktop.answers.push_back(platform::vbCancel);
    window->StartGame(mdlBasic::GameNumber);
    EXPECT_EQ(mdlBasic::GameNumber, 0);
    EXPECT_FALSE(mdlBasic::ChangedFromChooser);
    EXPECT_EQ(window->Board, Rows(kLyingLeft));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό*"));
}

TEST_F(FileTest, OpenDialogStartsInTheFolderOfTheGame) {
    window->M0Open_Click();
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    const auto& first = desktop.dialogs[0].properties;
    EXPECT_FALSE(desktop.dialogs[0].save);
    EXPECT_EQ(first.InitDir, frmBasic::SaveFolder());
    EXPECT_TRUE(first.FileName.isEmpty());
    EXPECT_EQ(first.DefaultExt, QStringLiteral("tvx"));
    EXPECT_EQ(first.Flags, 4096);
    EXPECT_TRUE(first.CancelError);
    EXPECT_EQ(first.Filter,
              QStringLiteral("Αρχείο Ταρβέξης (*.tvx)|*.tvx|Όλα τα αρχεία (*.*)|*.*"));
    EXPECT_TRUE(desktop.messages.empty());

    SaveAs(PathOf("g.tvx"));
    window->M0Open_Click();
    EXPECT_EQ(desktop.dialogs.back().properties.InitDir, folder.path());
    // The save dialog that follows keeps the open dialog's default extension.
    window->M0SaveAs_Click();
    EXPECT_EQ(desktop.dialogs.back().properties.DefaultExt, QStringLiteral("tvx"));
}

TEST_F(FileTest, InvalidOrMissingFilesAreReportedAndChangeNothing) {
    DragPiece(2, 3, -1, 0);
    desktop.answers.push_back(platform::vbNo);
    QFile picture(PathOf("picture.png"));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write("\x89PNG\r\n\x1a\n");
    picture.close();
    window->OpenGame(false, PathOf("picture.png"));
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[1].prompt,
              QStringLiteral("Το αρχείο %1 δεν είναι έγκυρο").arg(PathOf("picture.png")));
    EXPECT_EQ(desktop.messages[1].title, QStringLiteral("Σφάλμα ανοίγματος"));
    EXPECT_EQ(window->Board, Rows(kLyingLeft));

    // A file that ends early is a failure, not a refusal.
    SaveAs(PathOf("short.tvx"));
    QFile file(PathOf("short.tvx"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.resize(file.size() - 10);
    file.close();
    window->OpenGame(false, PathOf("short.tvx"));
    ASSERT_EQ(desktop.messages.size(), 3u);
    EXPECT_TRUE(desktop.messages[2].prompt.startsWith(
        QStringLiteral("Προέκυψε σφάλμα κατά το άνοιγμα του αρχείου.\rΠεριγραφή σφάλματος: ")));
    EXPECT_TRUE(desktop.messages[2].prompt.endsWith(QStringLiteral("\rΚωδικός σφάλματος: 62")));

    window->OpenGame(false, PathOf("gone.tvx"));
    ASSERT_EQ(desktop.messages.size(), 4u);
    EXPECT_TRUE(desktop.messages[3].prompt.endsWith(QStringLiteral("Κωδικός σφάλματος: 53")));
    EXPECT_EQ(window->Board, Rows(kLyingLeft));
    EXPECT_EQ(window->CurrentFilePath, PathOf("short.tvx"));
}

TEST_F(FileTest, ClassicGameFromAReversedFileIsPlayedForward) {
    files::GameFileData data =
        files::GameFileDataOf(0, false, true, game::GetGameLayout(0).start, window->History);
    const auto file = platform::FileSystemObject::CreateTextFile(PathOf("c.tvx"));
    for (const QByteArray& line : files::GameFileLines(data, QStringLiteral("1.0"))) {
        file->WriteLine(line);
    }
    file->Close();
    StartGame(4, true);
    window->OpenGame(false, PathOf("c.tvx"));
    EXPECT_EQ(window->Menu14->Caption(), kReverseOff);
    EXPECT_FALSE(window->Menu14->Enabled());
    EXPECT_EQ(window->Board, game::GetGameLayout(0).start);
}

TEST_F(FileTest, SolvedGameOpensSolved) {
    StartGame(6, false);
    window->Board = game::GetGameLayout(6).goal;
    window->History.Record(window->Board);
    SaveAs(PathOf("solved.tvx"));
    StartGame(1, false);
    window->OpenGame(false, PathOf("solved.tvx"));
    EXPECT_TRUE(window->Solved);
    EXPECT_TRUE(window->ExtraPlace->Shows(window->ExtraTick));
    EXPECT_FALSE(window->StartFinishHidden);
}

TEST_F(FileTest, CommandLineAndDropsOpenTheirFirstFile) {
    SaveAs(PathOf("from the shell.tvx"));
    frmBasic started(TestArtwork(), desktop, {PathOf("from the shell.tvx")});
    EXPECT_EQ(started.CurrentFilePath, PathOf("from the shell.tvx"));
    EXPECT_EQ(started.windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό-from the shell"));

    frmBasic quoted(TestArtwork(), desktop, {"\"" + PathOf("from the shell.tvx") + "\""});
    EXPECT_EQ(quoted.CurrentFilePath, PathOf("from the shell.tvx"));

    // A relative path is held in full, as the recent list will keep it.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    frmBasic relative(TestArtwork(), desktop, {QStringLiteral("from the shell.tvx")});
    QDir::setCurrent(before);
    EXPECT_EQ(relative.CurrentFilePath, PathOf("from the shell.tvx"));
    EXPECT_EQ(mdlRecentFiles::RecentPaths[1], PathOf("from the shell.tvx"));

    frmBasic missing(TestArtwork(), desktop, {PathOf("gone.tvx")});
    EXPECT_TRUE(missing.CurrentFilePath.isEmpty());
    EXPECT_EQ(missing.windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό"));
    EXPECT_TRUE(desktop.messages.back().prompt.endsWith(QStringLiteral("Κωδικός σφάλματος: 53")));

    SaveAs(PathOf("second.tvx"));
    StartGame(7, false);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(PathOf("second.tvx")),
                  QUrl::fromLocalFile(PathOf("from the shell.tvx"))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    QCoreApplication::processEvents();
    EXPECT_EQ(window->CurrentFilePath, PathOf("second.tvx"));

    // A drop without a file opens nothing.
    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    QDropEvent textDrop(QPointF(50, 50), Qt::CopyAction, &text, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &textDrop);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->CurrentFilePath, PathOf("second.tvx"));
}

// The drop is answered at once; the unsaved-game prompt and the open come after, so the program
// the file was dragged from is not kept waiting for the player.
TEST_F(FileTest, DropIsAnsweredBeforeTheGameIsAskedAbout) {
    SaveAs(PathOf("dropped.tvx"));
    StartGame(0, false);
    DragPiece(2, 3, -1, 0);
    ASSERT_TRUE(window->GameChanged);
    const std::size_t before = desktop.messages.size();
    desktop.answers.push_back(platform::vbNo);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(PathOf("dropped.tvx"))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(desktop.messages.size(), before);
    EXPECT_TRUE(window->CurrentFilePath.isEmpty());

    QCoreApplication::processEvents();
    ASSERT_EQ(desktop.messages.size(), before + 1);
    EXPECT_EQ(desktop.messages.back().prompt, kAskText);
    EXPECT_EQ(window->CurrentFilePath, PathOf("dropped.tvx"));
}

// Every box and dialog names the window it stands over, also right after another modal window
// has closed and no window is active: the main window, or the chooser for the game it starts.
TEST_F(FileTest, EveryBoxAndDialogIsOwnedByItsWindow) {
    QWidget* const main = window.get();
    // A failed Save As: the dialog, then the save error.
    SaveAs(PathOf("no such folder/x.tvx"));
    ASSERT_FALSE(desktop.dialogs.empty());
    EXPECT_EQ(desktop.dialogs.back().owner, main);
    ASSERT_FALSE(desktop.messages.empty());
    EXPECT_EQ(desktop.messages.back().owner, main);

    // The open refusal after the open dialog.
    desktop.fileNames.push_back(PathOf("gone.tvx"));
    window->M0Open_Click();
    EXPECT_EQ(desktop.dialogs.back().owner, main);
    EXPECT_EQ(desktop.messages.back().owner, main);

    // Yes at the unsaved-game prompt of the chooser's OK: the prompt and the Save As dialog
    // stand over the chooser, which is still shown.
    DragPiece(2, 3, -1, 0);
    QWidget* chooser = nullptr;
    desktop.answers.push_back(platform::vbYes);
    desktop.fileNames.push_back(PathOf("chosen.tvx"));
    desktop.onModal = [&](QDialog& dialog) {
        chooser = &dialog;
        auto* options = qobject_cast<frmOptions*>(&dialog);
        ASSERT_NE(options, nullptr);
        options->Frame_Click(4);
        options->Command1_Click();
    };
    const std::size_t messages = desktop.messages.size();
    const std::size_t dialogs = desktop.dialogs.size();
    window->Menu12_Click();
    ASSERT_NE(chooser, nullptr);
    ASSERT_EQ(desktop.messages.size(), messages + 1);
    EXPECT_EQ(desktop.messages.back().prompt, kAskText);
    EXPECT_EQ(desktop.messages.back().owner, chooser);
    ASSERT_EQ(desktop.dialogs.size(), dialogs + 1);
    EXPECT_EQ(desktop.dialogs.back().owner, chooser);
    EXPECT_EQ(mdlBasic::GameNumber, 4);

    // Once the chooser has gone, the main window owns its boxes again.
    StartGame(0, false);
    DragPiece(2, 3, -1, 0);
    desktop.answers.push_back(platform::vbYes);
    desktop.fileNames.push_back(PathOf("no such folder/y.tvx"));
    std::int16_t cancel = 0;
    window->Form_Unload(cancel);
    EXPECT_EQ(desktop.dialogs.back().owner, main);
    EXPECT_EQ(desktop.messages.back().owner, main);
    EXPECT_EQ(CommonDialogOwner(), main);
}

// The system resolves ".." after a link, as the shell does: "deep/link/.." is the folder the
// link points into. A title that holds "[*]" shows as it is, not as Qt's modified mark.
TEST_F(FileTest, CommandLinePathThroughALinkOpensWithItsTitleAsItIs) {
    const QDir root(folder.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("elsewhere/inner")));
    ASSERT_TRUE(root.mkdir(QStringLiteral("deep")));
    ASSERT_TRUE(QFile::link(PathOf("elsewhere/inner"), PathOf("deep/link")));
    SaveAs(PathOf("elsewhere/x[*]y.tvx"));
    ASSERT_FALSE(QFile::exists(PathOf("x[*]y.tvx")));  // what removing ".." as text would open

    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    frmBasic started(TestArtwork(), desktop, {QStringLiteral("deep/link/../x[*]y.tvx")});
    QDir::setCurrent(before);
    const std::size_t messages = desktop.messages.size();
    EXPECT_EQ(started.CurrentFilePath, PathOf("deep/link/../x[*]y.tvx"));
    EXPECT_EQ(desktop.messages.size(), messages);

    started.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&started));
    EXPECT_EQ(started.Caption(), QStringLiteral("Ταρβέξη-Κλασικό-x[*]y"));
    EXPECT_EQ(started.windowHandle()->title(), started.Caption());
    started.Board = game::Board{};
    started.RecordMove();
    EXPECT_EQ(started.windowHandle()->title(), QStringLiteral("Ταρβέξη-Κλασικό-x[*]y*"));
}

TEST_F(FileTest, SavedAndOpenedFilesLeadTheRecentList) {
    SaveAs(PathOf("a.tvx"));
    SaveAs(PathOf("b.tvx"));
    EXPECT_EQ(mdlRecentFiles::RecentPaths[1], PathOf("b.tvx"));
    EXPECT_TRUE(window->MRecent[0]->Visible());
    EXPECT_TRUE(window->MRecents->menuAction()->isEnabled());
    window->MRecent[1]->Action()->trigger();  // a.tvx
    EXPECT_EQ(window->CurrentFilePath, PathOf("a.tvx"));
    EXPECT_EQ(mdlRecentFiles::RecentPaths[1], PathOf("a.tvx"));
    EXPECT_EQ(mdlRecentFiles::RecentPaths[2], PathOf("b.tvx"));

    // An entry whose file has gone is reported with its full path and removed.
    QFile::remove(PathOf("b.tvx"));
    window->MRecent[1]->Action()->trigger();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].prompt,
              QStringLiteral("Το αρχείο %1 δεν υπάρχει").arg(PathOf("b.tvx")));
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("Εσφαλμένη διαδρομή πρόσφατου αρχείου"));
    EXPECT_EQ(desktop.messages[0].style, platform::vbOKOnly + platform::vbCritical);
    EXPECT_NE(mdlRecentFiles::RecentPaths[2], PathOf("b.tvx"));

    // The list is written when the window is about to close, also when it stays open.
    DragPiece(2, 3, -1, 0);
    desktop.answers.push_back(platform::vbCancel);
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(platform::GetSetting(QStringLiteral("Tarvex") + mdlBasic::VersionText,
                                   QStringLiteral("MenuRecentPaths"), QStringLiteral("1")),
              PathOf("a.tvx"));

    window->MDeleteRecentHistory->Action()->trigger();
    EXPECT_FALSE(window->MRecents->menuAction()->isEnabled());
}

}  // namespace
