#include "ui/frmBasic.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QTimer>
#include <QUrl>
#include <exception>
#include <new>

#include "dialogs/Help.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmOptions.h"
#include "files/GameFile.h"
#include "game/Drag.h"
#include "game/GameLayouts.h"
#include "game/Measures.h"
#include "platform/OuterPlace.h"
#include "platform/Program.h"
#include "platform/RuntimeError.h"
#include "platform/TextFile.h"
#include "platform/Twips.h"
#include "recent/mdlRecentFiles.h"
#include "resources/Artwork.h"
#include "resources/BoardPicture.h"
#include "ui/mdlBasic.h"
#include "util/mdlFilesFoldersFunctions.h"

namespace {

const QString kTitle = QStringLiteral("Ταρβέξη");
const QString kReverseOff = QStringLiteral("Αντιστροφή Αρχής-Τέλους");
const QString kReverseOn = QStringLiteral("Επαναφορά Αρχής-Τέλους");

constexpr int kClientWidth = game::kTrayWidthPixels;
constexpr int kClientHeight = game::kTrayHeightPixels;  // the board picture alone
static_assert(game::kTwipsPerPixel == platform::kTwipsPerPixel);
// The read-out boxes lie right of the client area, where they are never seen.
constexpr int kHiddenLeft = kClientWidth + 20;

const QString kGameFilter = QStringLiteral("Αρχείο Ταρβέξης (*.tvx)|*.tvx");
const QString kOpenFilter = QStringLiteral("Αρχείο Ταρβέξης (*.tvx)|*.tvx|Όλα τα αρχεία (*.*)|*.*");
const QString kSaveErrorTitle = QStringLiteral("Σφάλμα αποθήκευσης");
const QString kOpenErrorTitle = QStringLiteral("Σφάλμα ανοίγματος");
// Any other failure that reaches a file command, as the run-time error it is reported as.
platform::RuntimeError AsRuntimeError(const std::exception& error) {
    if (const auto* runtime = dynamic_cast<const platform::RuntimeError*>(&error)) {
        return *runtime;
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return platform::RuntimeError(platform::ErrOutOfMemory);
    }
    return platform::RuntimeError(platform::ErrInternal);
}

}  // namespace

WindowPlace PlaceOnScreen(float screenWidth, float screenHeight, float currentLeft,
                          float currentTop) {
    WindowPlace place{currentLeft, currentTop};
    if (screenWidth > 9645.0f) {
        place.left = static_cast<float>((screenWidth - 9645.0f) * 0.7);
    }
    if (screenHeight > 4905.0f) {
        place.top = static_cast<float>((screenHeight - 4905.0f) / 2.0);
    }
    return place;
}

QString SaveFailureText(const platform::RuntimeError& error) {
    if (error.Number() == platform::ErrPermissionDenied) {
        return QStringLiteral("Το αρχείο αυτό είναι μόνο για ανάγνωση");
    }
    return QStringLiteral("Σφάλμα %1. Κωδικός σφάλματος %2")
        .arg(error.Description(), QString::number(error.Number()));
}

QString OpenFailureText(const platform::RuntimeError& error) {
    return QStringLiteral(
               "Προέκυψε σφάλμα κατά το άνοιγμα του αρχείου.\r"
               "Περιγραφή σφάλματος: %1\rΚωδικός σφάλματος: %2")
        .arg(error.Description(), QString::number(error.Number()));
}

QString CommandFileFromArguments(const QStringList& arguments) {
    QString line = arguments.join(QLatin1Char(' '));
    if (line.size() >= 2 && line.startsWith(QLatin1Char('"')) && line.endsWith(QLatin1Char('"'))) {
        line = line.mid(1, line.size() - 2);
    }
    if (line.isEmpty()) {
        return line;
    }
    // Held in full, so that the caption, Save and the recent list do not depend on the folder
    // the program was started in. "." and doubled separators go; ".." stays for the system to
    // resolve, as the shell does, since the folder before it may be a link.
    line = QDir::fromNativeSeparators(line);
    if (QDir::isRelativePath(line)) {
        line = QDir::currentPath() + QLatin1Char('/') + line;
    }
    const QStringList parts = line.split(QLatin1Char('/'));
    QStringList kept{parts.constFirst()};
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (!parts.at(i).isEmpty() && parts.at(i) != QLatin1String(".")) {
            kept << parts.at(i);
        }
    }
    return QDir::toNativeSeparators(kept.join(QLatin1Char('/')));
}

frmBasic::frmBasic(const resources::Artwork& artwork, platform::Desktop& desktop,
                   const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      CommonDialog1(desktop, this),
      artwork_(artwork),
      arguments_(arguments),
      desktop_(desktop) {
    SetCaption(kTitle);
    setAcceptDrops(true);
    CreateControls(artwork);
    CreateMenus();
    Form_Load();
}

frmBasic::~frmBasic() {
    Form_Terminate();
}

void frmBasic::CreateControls(const resources::Artwork& art) {
    PawnBig = art.PawnBig;
    PawnHor = art.PawnHor;
    PawnVer = art.PawnVer;
    PawnSmall = art.PawnSmall;
    ExtraArrow = art.ExtraArrow;
    ExtraArrowBack = art.ExtraArrowBack;
    ExtraTick = art.ExtraTick;
    Start = art.Start;
    Finish = art.Finish;
    HandPoint = art.HandPoint;
    HandMove = art.HandMove;
    setWindowIcon(art.ProgramIcon);

    Client = new QWidget(this);
    setCentralWidget(Client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    SetClientHeight(kClientHeight);

    // Creation order is stacking order: a later control lies above an earlier one, so a cell
    // with a higher index lies above the piece picture that spreads over it.
    Table = new platform::ImageControl(Client);
    Table->SetPicture(art.Table);
    for (int index = 0; index < game::kCellCount; ++index) {
        auto* image = new platform::ImageControl(Client);
        image->MouseDown = [this, index](int button, int shift, float x, float y) {
            Image1_MouseDown(index, button, shift, x, y);
        };
        image->MouseMove = [this, index](int button, int shift, float x, float y) {
            Image1_MouseMove(index, button, shift, x, y);
        };
        image->MouseUp = [this, index](int button, int shift, float x, float y) {
            Image1_MouseUp(index, button, shift, x, y);
        };
        Image1[index] = image;
    }
    ExtraPlace = new platform::ImageControl(Client);
    ExtraPlace->MoveTwips(0, game::kStripTopTwips);
    ExtraPlace->SetPicture(ExtraArrow);
    StartPlace = new platform::ImageControl(Client);
    FinishPlace = new platform::ImageControl(Client);

    Text1 = new platform::TextBox(Client);
    Text2 = new platform::TextBox(Client);
    Text1->setGeometry(kHiddenLeft, 0, 60, 20);
    Text2->setGeometry(kHiddenLeft, 30, 60, 20);
}

void frmBasic::CreateMenus() {
    using platform::MenuItem;
    auto item = [](QMenu* menu, const char* caption, const QKeySequence& shortcut = {}) {
        return std::make_unique<MenuItem>(menu, QString::fromUtf8(caption), shortcut);
    };

    M0 = menuBar()->addMenu(QStringLiteral("Αρχείο"));
    Menu11 = item(M0, "Νέο παιχνίδι", QKeySequence(Qt::CTRL | Qt::Key_N));
    MRecents = M0->addMenu(QStringLiteral("Πρόσφατα"));
    for (int i = 0; i < 10; ++i) {
        MRecent[i] = std::make_unique<MenuItem>(MRecents, QStringLiteral("Π%1").arg(i + 1));
    }
    MRecents->addSeparator();
    MDeleteRecentHistory = item(MRecents, "Διαγραφή ιστορικού πρόσφατων αρχείων");
    M0->addSeparator();
    M0Open = item(M0, "Άνοιγμα", QKeySequence(Qt::CTRL | Qt::Key_O));
    M0Save = item(M0, "Αποθήκευση", QKeySequence(Qt::CTRL | Qt::Key_S));
    M0SaveAs = item(M0, "Αποθήκευση ως...");
    M0->addSeparator();
    Menu15 = item(M0, "Έξοδος", QKeySequence(Qt::CTRL | Qt::Key_Q));

    Menu1 = menuBar()->addMenu(QStringLiteral("Επιλογές"));
    MUndo = item(Menu1, "Αναίρεση κίνησης", QKeySequence(Qt::CTRL | Qt::Key_R));
    MRedo = item(Menu1, "Επανάληψη κίνησης", QKeySequence(Qt::CTRL | Qt::Key_F));
    Menu1->addSeparator();
    Menu12 = item(Menu1, "Επιλογή παιχνιδιού", QKeySequence(Qt::CTRL | Qt::Key_G));
    Menu13 = item(Menu1, "Εμφάνιση Αρχής-Τέλους", QKeySequence(Qt::CTRL | Qt::Key_T));
    Menu14 = item(Menu1, "Αντιστροφή Αρχής-Τέλους");

    Menu2 = menuBar()->addMenu(QStringLiteral("Βοήθεια"));
    Menu21 = item(Menu2, "Κανόνες παιχνιδιού", QKeySequence(Qt::CTRL | Qt::Key_H));
    Menu2->addSeparator();
    Menu22 = item(Menu2, "Πληροφορίες");

    Menu11->Click = [this] { Menu11_Click(); };
    Menu12->Click = [this] { Menu12_Click(); };
    Menu13->Click = [this] { Menu13_Click(); };
    Menu14->Click = [this] { Menu14_Click(); };
    Menu15->Click = [this] { Menu15_Click(); };
    Menu21->Click = [this] { Menu21_Click(); };
    Menu22->Click = [this] { Menu22_Click(); };
    M0Open->Click = [this] { M0Open_Click(); };
    for (int i = 0; i < 10; ++i) {
        MRecent[i]->Click = [this, i] { OpenRecentFile(i + 1); };
    }
    MDeleteRecentHistory->Click = [this] { MDeleteRecentHistory_Click(); };
    M0Save->Click = [this] { M0Save_Click(); };
    M0SaveAs->Click = [this] { M0SaveAs_Click(); };
    MUndo->Click = [this] { MUndo_Click(); };
    MRedo->Click = [this] { MRedo_Click(); };
}

void frmBasic::SetClientHeight(int pixels) {
    Client->setFixedSize(kClientWidth, pixels);
    layout()->activate();
}

int frmBasic::HeightTwips() const {
    return platform::PixelsToTwips(frameGeometry().height());
}

void frmBasic::Form_Load() {
    mdlBasic::VersionText = QStringLiteral("%1.%2")
                                .arg(platform::ProgramMajorVersion())
                                .arg(platform::ProgramMinorVersion());
    MRecentsWatch = std::make_unique<mdlRecentFiles::RecentListWatch>(
        [this] { mdlRecentFiles::RefreshRecentMenu(*MRecents, MRecent); });
    mdlRecentFiles::LoadRecentFiles(mdlBasic::VersionText);
    CommandFile = CommandFileFromArguments(arguments_);
    StartFinishHidden = true;

    const QSizeF screen = platform::ScreenSizeTwips();
    const WindowPlace place =
        PlaceOnScreen(static_cast<float>(screen.width()), static_cast<float>(screen.height()),
                      static_cast<float>(platform::PixelsToTwips(x())),
                      static_cast<float>(platform::PixelsToTwips(y())));
    platform::MoveOuter(
        *this, QPoint(platform::TwipsToPixels(place.left), platform::TwipsToPixels(place.top)));

    for (int x = 1; x <= game::kColumns; ++x) {
        for (int y = 1; y <= game::kRows; ++y) {
            platform::ImageControl* image = Image1[game::CellIndex(x, y)];
            cellImage_[x - 1][y - 1] = image;
            image->MoveTwips(game::CellStartTwips(x), game::CellStartTwips(y));
            image->SetPicture(PawnSmall);
            image->SetPicture(QPixmap());
        }
    }
    StartPlace->MoveTwips(game::kStartSlotLeftTwips, game::kSlotTopTwips);
    FinishPlace->MoveTwips(game::kFinishSlotLeftTwips, game::kSlotTopTwips);

    mdlBasic::GameNumber = game::ClassicGame;
    mdlBasic::ChangedFromChooser = false;
    StartGame(mdlBasic::GameNumber, QString());
    CurrentFilePath.clear();
    if (!CommandFile.isEmpty()) {
        OpenGame(false, CommandFile);
    }
}

QString frmBasic::SaveFolder() {
    return platform::ProgramFolder() + mdlFilesFoldersFunctions::kFolderSeparator +
           QStringLiteral("TarvexSaveGame");
}

void frmBasic::SetGameCaption(int number, const QString& filePath) {
    QString caption = number == game::ClassicGame
                          ? QStringLiteral("Ταρβέξη-Κλασικό")
                          : QStringLiteral("Ταρβέξη-Παιχνίδι %1").arg(number);
    if (!filePath.isEmpty()) {
        caption += QLatin1Char('-') + mdlFilesFoldersFunctions::GetFileTitle(filePath);
    }
    SetCaption(caption);
}

void frmBasic::SetCaption(const QString& caption) {
    caption_ = caption;
    // Qt reads "[*]" in a title as the place of its modified mark, and "[*][*]" as "[*]".
    QString title = caption;
    setWindowTitle(title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

void frmBasic::AskToSaveGame() {
    SaveCancelled = false;
    Answer = desktop_.MsgBox(
        Owner(),
        QStringLiteral("Το προηγούμενο παιχνίδι δεν έχει αποθηκευτεί. Θέλετε να αποθηκευτεί;"),
        platform::vbYesNoCancel + platform::vbQuestion + platform::vbDefaultButton1,
        QStringLiteral("Έξοδος από το τρέχον παιχνίδι"));
    // Yes that ends in no save (the dialog cancelled, the write failed) stops the command as
    // Cancel does: the player asked for the game to be kept.
    if (Answer == platform::vbCancel) {
        SaveCancelled = true;
    } else if (Answer == platform::vbYes) {
        SaveCancelled = !M0Save_Click();
    }
}

bool frmBasic::M0Save_Click() {
    if (!CurrentFilePath.isEmpty()) {
        return SaveGame(CurrentFilePath);
    }
    return M0SaveAs_Click();
}

bool frmBasic::M0SaveAs_Click() {
    // Every failure here, a cancelled dialog included, ends the command without a word.
    try {
        platform::FileDialogProperties& dialog = CommonDialog1.Properties;
        dialog.CancelError = true;
        dialog.Flags = platform::cdlOFNOverwritePrompt + platform::cdlOFNNoReadOnlyReturn;
        if (!CurrentFilePath.isEmpty()) {
            dialog.FileName = CurrentFilePath;
        } else {
            dialog.InitDir = SaveFolder();
            const QString name = inPlayNumber_ == 0
                                     ? QStringLiteral("Κλασσικό.tvx")
                                     : QStringLiteral("Παιχνίδι %1.tvx").arg(inPlayNumber_);
            // The name is made free in the folder the dialog really opens, which is not the
            // default folder when that does not exist.
            dialog.FileName = mdlFilesFoldersFunctions::GetUniqueFileName(
                platform::DialogStartFolder(dialog.InitDir) +
                mdlFilesFoldersFunctions::kFolderSeparator + name);
        }
        dialog.Filter = kGameFilter;
        CommonDialog1.ShowSave();
        if (!dialog.FileName.isEmpty()) {
            return SaveGame(dialog.FileName);
        }
    } catch (const std::exception&) {
    }
    return false;
}

bool frmBasic::SaveGame(const QString& FilePath) {
    try {
        const files::GameFileData data = files::GameFileDataOf(inPlayNumber_, Menu13->Checked(),
                                                               inPlayReversed_, Board, History);
        const std::unique_ptr<platform::TextStream> file =
            platform::FileSystemObject::CreateTextFile(FilePath);
        for (const QByteArray& line : files::GameFileLines(data, mdlBasic::VersionText)) {
            file->WriteLine(line);
        }
        file->Close();
    } catch (const std::exception& error) {
        desktop_.MsgBox(Owner(), SaveFailureText(AsRuntimeError(error)),
                        platform::vbOKOnly + platform::vbCritical, kSaveErrorTitle);
        return false;
    }
    CurrentFilePath = FilePath;
    SetGameCaption(inPlayNumber_, CurrentFilePath);
    GameChanged = false;
    mdlRecentFiles::AddRecentFile(CurrentFilePath);
    return true;
}

void frmBasic::M0Open_Click() {
    OpenGame(true, QString());
}

void frmBasic::OpenRecentFile(int Index) {
    const QString path = mdlRecentFiles::RecentPaths[Index];
    if (mdlFilesFoldersFunctions::FileExists(path)) {
        OpenGame(false, path);
    } else {
        desktop_.MsgBox(Owner(), QStringLiteral("Το αρχείο %1 δεν υπάρχει").arg(path),
                        platform::vbOKOnly + platform::vbCritical,
                        QStringLiteral("Εσφαλμένη διαδρομή πρόσφατου αρχείου"));
        mdlRecentFiles::RemoveRecentFile(Index);
    }
}

void frmBasic::MDeleteRecentHistory_Click() {
    mdlRecentFiles::ClearRecentFiles();
}

void frmBasic::OpenGame(const bool& ShowDialog, const QString& FilePath) {
    if (GameChanged) {
        AskToSaveGame();
        if (SaveCancelled) {
            return;
        }
    }
    files::GameFileReading reading;
    try {
        if (ShowDialog) {
            platform::FileDialogProperties& dialog = CommonDialog1.Properties;
            dialog.CancelError = true;
            dialog.Flags = platform::cdlOFNFileMustExist;
            dialog.DefaultExt = QStringLiteral("tvx");
            dialog.FileName.clear();
            dialog.InitDir = CurrentFilePath.isEmpty()
                                 ? SaveFolder()
                                 : mdlFilesFoldersFunctions::GetFolderPath(CurrentFilePath);
            dialog.Filter = kOpenFilter;
            CommonDialog1.ShowOpen();
            if (dialog.FileName.isEmpty()) {
                return;
            }
            OpenPath = dialog.FileName;
        } else {
            OpenPath = FilePath;
        }
        const std::unique_ptr<platform::TextStream> file =
            platform::FileSystemObject::OpenTextFile(OpenPath);
        reading = files::ReadGameFile(*file);
        file->Close();
    } catch (const std::exception& error) {
        const platform::RuntimeError failure = AsRuntimeError(error);
        if (failure.Number() != platform::ErrDialogCancelled) {
            desktop_.MsgBox(Owner(), OpenFailureText(failure),
                            platform::vbOKOnly + platform::vbCritical, kOpenErrorTitle);
        }
        return;
    }
    if (!reading.Data) {
        desktop_.MsgBox(Owner(), QStringLiteral("Το αρχείο %1 δεν είναι έγκυρο").arg(OpenPath),
                        platform::vbOKOnly + platform::vbCritical, kOpenErrorTitle);
        return;
    }

    const files::GameFileData& loaded = *reading.Data;
    mdlBasic::GameNumber = loaded.GameNumber;
    Menu13->SetChecked(loaded.StripWanted);
    Menu14->SetCaption(loaded.Reversed ? kReverseOn : kReverseOff);
    History.Load(loaded.HistoryIndex, loaded.HistoryLast, loaded.Entries);
    MUndo->SetEnabled(History.CanUndo());
    MRedo->SetEnabled(History.CanRedo());
    LoadingFromFile = true;
    CurrentFilePath = OpenPath;
    StartGame(mdlBasic::GameNumber, CurrentFilePath);
    mdlRecentFiles::AddRecentFile(CurrentFilePath);
    Board = loaded.Board;
    DrawBoard();
    UpdateMoves();
}

void frmBasic::Menu11_Click() {
    const std::uint8_t number = mdlBasic::GameNumber;
    StartGame(number, QString());
}

void frmBasic::Menu13_Click() {
    if (!Menu13->Checked()) {
        HideStartFinish(false);
        Menu13->SetChecked(true);
    } else {
        HideStartFinish(true);
        Menu13->SetChecked(false);
    }
}

void frmBasic::Menu14_Click() {
    const QString before = Menu14->Caption();
    Menu14->SetCaption(before == kReverseOff ? kReverseOn : kReverseOff);
    const std::uint8_t number = mdlBasic::GameNumber;
    SaveCancelled = false;
    StartGame(number, QString());
    if (SaveCancelled) {
        Menu14->SetCaption(before);
    }
}

void frmBasic::Menu15_Click() {
    close();
}

void frmBasic::Menu12_Click() {
    // The chooser starts the chosen game itself.
    frmOptions chooser(*this, desktop_, this);
    desktop_.ShowModal(chooser);
}

void frmBasic::Menu21_Click() {
    dialogs::ShowRules(CommonDialog1);
}

void frmBasic::Menu22_Click() {
    frmAbout about(*this, desktop_, this);
    desktop_.ShowModal(about);
}

void frmBasic::Form_Unload(std::int16_t& Cancel) {
    if (GameChanged) {
        Answer = desktop_.MsgBox(
            Owner(),
            QStringLiteral(
                "Το τελευταίο τρέχον παιχνίδι δεν έχει αποθηκευτεί. Θέλετε να αποθηκευτεί;"),
            platform::vbYesNoCancel + platform::vbQuestion + platform::vbDefaultButton1,
            QStringLiteral("Έξοδος από το τρέχον παιχνίδι"));
        // Yes without a completed save keeps the window open, as Cancel does.
        if (Answer == platform::vbCancel || (Answer == platform::vbYes && !M0Save_Click())) {
            Cancel = -1;
        }
    }
    mdlRecentFiles::SaveRecentFiles();
}

void frmBasic::closeEvent(QCloseEvent* event) {
    std::int16_t cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) {
        event->ignore();
    } else {
        event->accept();
    }
}

void frmBasic::StartChosenGame(std::uint8_t Number, QWidget& owner) {
    const QScopedValueRollback<QWidget*> chooserOwns(CommonDialog1.Owner, &owner);
    mdlBasic::PreviousGameNumber = mdlBasic::GameNumber;
    mdlBasic::GameNumber = Number;
    mdlBasic::ChangedFromChooser = true;
    const std::uint8_t number = mdlBasic::GameNumber;
    StartGame(number, QString());
}

std::uint8_t frmBasic::CurrentGame() const {
    return mdlBasic::GameNumber;
}

QString frmBasic::VersionText() const {
    return mdlBasic::VersionText;
}

void frmBasic::Form_OLEDragDrop(const QStringList& files) {
    if (!files.isEmpty()) {
        OpenGame(false, files.first());
    }
}

void frmBasic::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void frmBasic::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            files << url.toLocalFile();
        }
    }
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, files] { Form_OLEDragDrop(files); });
}

void frmBasic::StartGame(const std::uint8_t& Number, const QString& FilePathGiven) {
    if (!LoadingFromFile && GameChanged) {
        AskToSaveGame();
        if (SaveCancelled) {
            if (mdlBasic::ChangedFromChooser) {
                mdlBasic::GameNumber = mdlBasic::PreviousGameNumber;
                mdlBasic::ChangedFromChooser = false;
            }
            return;
        }
    }
    mdlBasic::ChangedFromChooser = false;
    // Whatever piece is held belongs to the board about to be replaced.
    EndDrag();

    SetGameCaption(Number, FilePathGiven);

    const game::GameLayout& layout = game::GetGameLayout(Number);
    Board = layout.start;
    TargetBoard = layout.goal;

    Menu13->SetEnabled(true);
    HideStartFinish(!Menu13->Checked());

    if (Number != game::ClassicGame) {
        Menu14->SetEnabled(true);
    } else {
        Menu14->SetEnabled(false);
        Menu14->SetCaption(kReverseOff);
    }

    inPlayNumber_ = Number;
    inPlayReversed_ = Menu14->Caption() == kReverseOn;
    if (inPlayReversed_) {
        game::SwapStartAndGoal(Board, TargetBoard);
        ExtraPlace->SetPicture(ExtraArrowBack);
    } else {
        ExtraPlace->SetPicture(ExtraArrow);
    }

    StartPlace->SetPicture(Start[Number]);
    FinishPlace->SetPicture(Finish[Number]);

    if (LoadingFromFile) {
        LoadingFromFile = false;
    } else {
        CurrentFilePath.clear();
        History.Reset(Board);
        MUndo->SetEnabled(false);
        MRedo->SetEnabled(false);
    }

    GameChanged = false;
    DrawBoard();
    UpdateMoves();
}

void frmBasic::HideStartFinish(const bool& Hide) {
    if (Hide && !StartFinishHidden) {
        SetClientHeight(kClientHeight);
        StartFinishHidden = true;
    }
    if (!Hide && StartFinishHidden) {
        SetClientHeight(kClientHeight + game::kStripHeightPixels);
        StartFinishHidden = false;
    }
}

void frmBasic::DrawBoard() {
    const resources::PiecePictures pieces{PawnBig, PawnHor, PawnVer, PawnSmall};
    for (int x = 1; x <= game::kColumns; ++x) {
        for (int y = 1; y <= game::kRows; ++y) {
            CellImage(x, y)->SetPicture(resources::PictureOfCell(pieces, Board(x, y)));
        }
    }
}

void frmBasic::UpdateMoves() {
    Solved = game::IsSolved(Board, TargetBoard);
    if (Solved) {
        ExtraPlace->SetPicture(ExtraTick);
        HideStartFinish(false);
        Menu13->SetEnabled(false);
        Menu14->SetEnabled(false);
        for (platform::ImageControl* image : Image1) {
            image->SetMousePointer(platform::PointerDefault);
        }
        return;
    }

    for (platform::ImageControl* image : Image1) {
        image->SetMousePointer(platform::PointerDefault);
    }
    CanMove = game::BuildMoveTable(Board);
    for (int x = 1; x <= game::kColumns; ++x) {
        for (int y = 1; y <= game::kRows; ++y) {
            if (!CanMove.HasSlide(x, y)) {
                continue;
            }
            const game::PieceCells cells = game::CellsOfPiece(Board, x, y);
            for (int i = 0; i < cells.count; ++i) {
                platform::ImageControl* image = CellImage(cells.x[i], cells.y[i]);
                image->SetMouseIcon(HandPoint);
                image->SetMousePointer(platform::PointerCustom);
            }
        }
    }
}

void frmBasic::EndDrag() {
    GrabX = 0;
    GrabY = 0;
    dragOpen_ = false;
}

void frmBasic::CancelDrag() {
    if (!dragOpen_) {
        return;
    }
    if (ShownX != PieceX || ShownY != PieceY) {
        CellImage(ShownX, ShownY)->SetPicture(QPixmap());
        CellImage(PieceX, PieceY)->SetPicture(MoveImage);
        ShownX = PieceX;
        ShownY = PieceY;
    }
    CellImage(GrabX, GrabY)->SetMouseIcon(HandPoint);
    EndDrag();
}

bool frmBasic::event(QEvent* event) {
    // A modal window (a prompt, a dialog, the chooser) takes the mouse: its release never
    // comes here, so the piece held goes back to where Board has it.
    if (event->type() == QEvent::WindowBlocked) {
        CancelDrag();
    }
    return QMainWindow::event(event);
}

void frmBasic::Image1_MouseDown(int Index, int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    Text1->SetText(QString::number(Index));
    if (Button != platform::ButtonLeft) {
        return;
    }
    // A press before the release of the last one (the release never came): the held piece
    // goes back to its start first.
    CancelDrag();
    GrabX = static_cast<std::uint8_t>(Index / 5 + 1);
    GrabY = static_cast<std::uint8_t>(Index % 5 + 1);
    platform::ImageControl* pressed = CellImage(GrabX, GrabY);
    if (pressed->MousePointer() != platform::PointerCustom) {
        return;
    }
    pressed->SetMouseIcon(HandMove);
    const game::CellPlace anchor = game::AnchorOf(Board, GrabX, GrabY);
    PieceX = static_cast<std::uint8_t>(anchor.x);
    PieceY = static_cast<std::uint8_t>(anchor.y);
    ShownX = PieceX;
    ShownY = PieceY;
    MoveImage = CellImage(PieceX, PieceY)->Picture();
    dragOpen_ = true;
}

void frmBasic::Image1_MouseMove(int /*Index*/, int Button, int /*Shift*/, float X, float Y) {
    Text1->SetText(QString::number(X, 'g', 7));
    Text2->SetText(QString::number(Y, 'g', 7));
    if (dragOpen_ && (Button & platform::ButtonLeft) == 0) {
        // The release went elsewhere (to a window that took the mouse): the drag is over.
        CancelDrag();
        return;
    }
    if (Button != platform::ButtonLeft || !dragOpen_ || GrabX < 1 || GrabX > 4 || GrabY < 1 ||
        GrabY > 5 || CellImage(GrabX, GrabY)->MousePointer() != platform::PointerCustom) {
        return;
    }
    const game::DragPlace place =
        game::WorkOutDrop({PieceX, PieceY}, X, Y, CanMove.Flags(GrabX, GrabY));
    DropX = static_cast<std::uint8_t>(place.drop.x);
    DropY = static_cast<std::uint8_t>(place.drop.y);
    if (DropX != ShownX || DropY != ShownY) {
        CellImage(ShownX, ShownY)->SetPicture(QPixmap());
        CellImage(DropX, DropY)->SetPicture(MoveImage);
        ShownX = DropX;
        ShownY = DropY;
    }
}

void frmBasic::Image1_MouseUp(int /*Index*/, int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    Text1->SetText(QString::number(Button));
    if (!dragOpen_ || GrabX < 1 || GrabX > 4 || GrabY < 1 || GrabY > 5 ||
        Button != platform::ButtonLeft ||
        CellImage(GrabX, GrabY)->MousePointer() != platform::PointerCustom) {
        return;
    }
    game::MovePiece(Board, {PieceX, PieceY}, {ShownX, ShownY});
    GrabX = 0;
    GrabY = 0;
    dragOpen_ = false;
    RecordMove();
    UpdateMoves();
}

void frmBasic::RecordMove() {
    if (!History.Record(Board)) {
        return;
    }
    MRedo->SetEnabled(false);
    MUndo->SetEnabled(true);
    if (!GameChanged) {
        SetCaption(caption_ + QLatin1Char('*'));
    }
    GameChanged = true;
}

void frmBasic::ShowHistoryEntry(const game::Board& entry) {
    EndDrag();
    Board = entry;
    MUndo->SetEnabled(History.CanUndo());
    MRedo->SetEnabled(History.CanRedo());
    DrawBoard();
    // Leaving a solved board, either way (a file may hold moves after one), returns the
    // window to play.
    if (ExtraPlace->Shows(ExtraTick)) {
        Menu13->SetEnabled(true);
        HideStartFinish(!Menu13->Checked());
        Menu14->SetEnabled(mdlBasic::GameNumber != 0);
        ExtraPlace->SetPicture(Menu14->Caption() == kReverseOn ? ExtraArrowBack : ExtraArrow);
    }
}

void frmBasic::MUndo_Click() {
    if (!History.CanUndo()) {
        return;
    }
    ShowHistoryEntry(History.Undo());
    UpdateMoves();
}

void frmBasic::MRedo_Click() {
    if (!History.CanRedo()) {
        return;
    }
    ShowHistoryEntry(History.Redo());
    UpdateMoves();
}
