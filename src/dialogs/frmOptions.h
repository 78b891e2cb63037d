#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <cstdint>

#include "dialogs/DialogPlace.h"
#include "dialogs/MainWindowLink.h"
#include "game/GameLayouts.h"
#include "platform/CommonDialog.h"
#include "platform/Desktop.h"

namespace dialogs {

// The chooser's place beside a main window whose outer top-left corner is (mainLeft, mainTop)
// on a screen of screenWidth x screenHeight, all in twips: right of the main window when there
// is room, else left of it, else at the screen's left edge; level with it unless that runs off
// the bottom, and never above the screen's top.
DialogPlace ChooserPlace(float mainLeft, float mainTop, float screenWidth, float screenHeight);

}  // namespace dialogs

// The game chooser: one captioned frame per game with its start and goal thumbnails. OK starts
// the highlighted game on the main window. Shown modally, built afresh for every showing.
class frmOptions : public QDialog {
    Q_OBJECT
  public:
    frmOptions(dialogs::MainWindowLink& main, platform::Desktop& desktop,
               QWidget* parent = nullptr);

    void Form_Load();
    // Index: a frame's index, below game::kGameCount; any other index is ignored.
    void Frame_Click(std::int16_t Index);
    void Frame_DblClick(std::int16_t Index);
    void Image1_Click(std::int16_t Index) { Frame_Click(Index); }
    void Image2_Click(std::int16_t Index) { Frame_Click(Index); }
    void Image1_DblClick(std::int16_t Index) { Frame_DblClick(Index); }
    void Image2_DblClick(std::int16_t Index) { Frame_DblClick(Index); }
    void Command1_Click();  // OK
    void Command2_Click();  // Cancel
    void Command3_Click();  // Help

    std::uint8_t SelectedGame = 0;

    // Controls.
    std::array<QGroupBox*, game::kGameCount> Frame{};
    std::array<QLabel*, game::kGameCount> Image1{};  // start thumbnails
    std::array<QLabel*, game::kGameCount> Image2{};  // goal thumbnails
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    platform::CommonDialog CommonDialog1;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Highlight(int index, bool selected);

    dialogs::MainWindowLink& main_;
};
