#pragma once

#include <QMainWindow>
#include <QMenu>
#include <QPixmap>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>

#include "dialogs/MainWindowLink.h"
#include "game/Board.h"
#include "game/GameLayouts.h"
#include "game/History.h"
#include "game/Moves.h"
#include "platform/CommonDialog.h"
#include "platform/Desktop.h"
#include "platform/ImageControl.h"
#include "platform/MenuItem.h"
#include "platform/RuntimeError.h"
#include "platform/TextBox.h"
#include "recent/mdlRecentFiles.h"

namespace resources {
struct Artwork;
}

// Where the window goes on a screen of the given size (all in twips). A coordinate whose test
// fails keeps its current value.
struct WindowPlace {
    float left;
    float top;
};
WindowPlace PlaceOnScreen(float screenWidth, float screenHeight, float currentLeft,
                          float currentTop);

// The texts of the save and open failure messages for a run-time error.
QString SaveFailureText(const platform::RuntimeError& error);
QString OpenFailureText(const platform::RuntimeError& error);

// The game file named on the command line: the arguments joined by single blanks, without a
// pair of enclosing double quotes, made absolute against the current folder. Empty when there
// is none.
QString CommandFileFromArguments(const QStringList& arguments);

// The main window. The chooser and the About box reach it only through dialogs::MainWindowLink;
// its controls and game state are public for the window tests, which drive and inspect them.
class frmBasic : public QMainWindow, public dialogs::MainWindowLink {
    Q_OBJECT
  public:
    // artwork: the pictures, drawn once at start-up; desktop: message boxes and dialogs;
    // arguments: the command line without the program's own path.
    frmBasic(const resources::Artwork& artwork, platform::Desktop& desktop,
             const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~frmBasic() override;

    // Sets up game Number (below game::kGameCount); FilePathGiven is the game file just opened, or
    // empty.
    void StartGame(const std::uint8_t& Number, const QString& FilePathGiven = QString());

    // What the chooser and the About box are handed.
    std::uint8_t CurrentGame() const override;
    void StartChosenGame(std::uint8_t Number, QWidget& owner) override;
    QRect OuterRect() const override { return frameGeometry(); }
    const resources::Artwork& Pictures() const override { return artwork_; }
    QString VersionText() const override;

    void Form_Load();
    void Form_Terminate() {}
    void HideStartFinish(const bool& Hide);
    void DrawBoard();
    void UpdateMoves();
    void RecordMove();
    void MUndo_Click();
    void MRedo_Click();
    void AskToSaveGame();
    // The three save commands return whether the game was written; a save that did not happen
    // (cancelled or failed, its message shown) stops a command that asked for it.
    bool M0Save_Click();
    bool M0SaveAs_Click();
    bool SaveGame(const QString& FilePath);
    void M0Open_Click();
    void OpenRecentFile(int Index);
    void MDeleteRecentHistory_Click();
    void Menu11_Click();
    void Menu12_Click();
    void Menu13_Click();
    void Menu14_Click();
    void Menu15_Click();
    void Menu21_Click();
    void Menu22_Click();
    // The window is about to close; Cancel keeps it open.
    void Form_Unload(std::int16_t& Cancel);
    void OpenGame(const bool& ShowDialog, const QString& FilePath);
    // The first file of a drop on the window, the board or a cell. A drop event hands its files
    // over only once it has returned, so the program the file came from is not kept waiting.
    void Form_OLEDragDrop(const QStringList& files);
    // The folder for new game files: TarvexSaveGame in the program's folder.
    static QString SaveFolder();

    void Image1_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Image1_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Image1_MouseUp(int Index, int Button, int Shift, float X, float Y);

    // The cell image of column x (1..4), row y (1..5).
    platform::ImageControl* CellImage(int x, int y) const { return cellImage_[x - 1][y - 1]; }
    // The window's caption as the program writes it; the title bar shows it as it is.
    const QString& Caption() const { return caption_; }
    // The window's outer height in twips.
    int HeightTwips() const;
    // A command replaced the board: whatever piece is held is let go without a drop.
    void EndDrag();
    // The drag was cut short: the held piece is drawn back at its start and let go.
    void CancelDrag();
    // A drag is in progress: a left press on a movable cell that has not been released yet.
    bool Dragging() const { return dragOpen_; }

    // Controls, bottom layer first.
    QWidget* Client = nullptr;  // the client area
    platform::ImageControl* Table = nullptr;
    std::array<platform::ImageControl*, game::kCellCount> Image1{};
    platform::ImageControl* ExtraPlace = nullptr;
    platform::ImageControl* StartPlace = nullptr;
    platform::ImageControl* FinishPlace = nullptr;
    platform::TextBox* Text1 = nullptr;
    platform::TextBox* Text2 = nullptr;

    // Picture holders, never shown themselves.
    QPixmap PawnBig, PawnHor, PawnVer, PawnSmall;
    QPixmap ExtraArrow, ExtraArrowBack, ExtraTick;
    std::array<QPixmap, game::kGameCount> Start, Finish;
    QCursor HandPoint, HandMove;
    QPixmap MoveImage;

    // Menus.
    QMenu* M0 = nullptr;
    QMenu* Menu1 = nullptr;
    QMenu* Menu2 = nullptr;
    QMenu* MRecents = nullptr;
    std::unique_ptr<platform::MenuItem> Menu11;
    std::array<std::unique_ptr<platform::MenuItem>, 10> MRecent;  // MRecent1 .. MRecent10
    // Refreshes MRecents after every change of the recent list; goes before the items do.
    std::unique_ptr<mdlRecentFiles::RecentListWatch> MRecentsWatch;
    std::unique_ptr<platform::MenuItem> MDeleteRecentHistory;
    std::unique_ptr<platform::MenuItem> M0Open, M0Save, M0SaveAs, Menu15;
    std::unique_ptr<platform::MenuItem> MUndo, MRedo, Menu12, Menu13, Menu14;
    std::unique_ptr<platform::MenuItem> Menu21, Menu22;

    // Game state.
    game::Board Board{};
    game::Board TargetBoard{};
    game::MoveTable CanMove{};
    game::History History;
    bool Solved = false;
    bool GameChanged = false;
    bool SaveCancelled = false;
    bool LoadingFromFile = false;
    int Answer = 0;
    QString CurrentFilePath;
    QString OpenPath;
    platform::CommonDialog CommonDialog1;
    bool StartFinishHidden = true;
    QString CommandFile;

    // Drag state.
    std::uint8_t GrabX = 0, GrabY = 0;
    std::uint8_t PieceX = 0, PieceY = 0;
    std::uint8_t ShownX = 0, ShownY = 0;
    std::uint8_t DropX = 0, DropY = 0;

  protected:
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void SetGameCaption(int number, const QString& filePath);
    void SetCaption(const QString& caption);
    // Undo and redo: the entry now on show replaces the board, and both items follow the history.
    void ShowHistoryEntry(const game::Board& entry);
    void CreateControls(const resources::Artwork& art);
    void CreateMenus();
    void SetClientHeight(int pixels);

    // The window that the boxes and dialogs of the operation under way belong to: the owner of
    // the window's common dialog, which is this window, or the chooser while it starts a game.
    QWidget* Owner() const { return CommonDialog1.Owner; }
    resources::Artwork artwork_;
    QStringList arguments_;
    QString caption_;
    std::array<std::array<platform::ImageControl*, game::kRows>, game::kColumns> cellImage_{};
    bool dragOpen_ = false;
    // The game in play as the last set-up left it: a save writes this game even while a
    // command that replaces it has already chosen the next one.
    std::uint8_t inPlayNumber_ = 0;
    bool inPlayReversed_ = false;
    platform::Desktop& desktop_;
};
