#pragma once

#include <QCursor>
#include <QDialog>
#include <QLabel>
#include <QPixmap>

#include "dialogs/DialogPlace.h"
#include "dialogs/MainWindowLink.h"
#include "platform/Desktop.h"

namespace dialogs {

// The About box's place beside a main window whose outer top-left corner is (mainLeft,
// mainTop) on a screen of screenWidth x screenHeight, all in twips: right of the main window
// when there is room, else left of it, else at the screen's left edge; a little below its top
// unless that runs off the bottom, and never above the screen's top.
DialogPlace AboutPlace(float mainLeft, float mainTop, float screenWidth, float screenHeight);

// The mail address of the About box and its link.
inline const QString kMailAddress = QStringLiteral("info@tarvex.gr");

}  // namespace dialogs

// The About box: a picture of the game with the version, the maker and a mail link over its
// lower part. It has no buttons; the close box closes it.
class frmAbout : public QDialog {
    Q_OBJECT
  public:
    frmAbout(const dialogs::MainWindowLink& main, platform::Desktop& desktop,
             QWidget* parent = nullptr);

    void Form_Load();
    void Label2_Click();

    QPixmap Picture;  // 250 x 250, the whole client area
    QLabel* LabelInfo = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QCursor imgCursorPoint;  // a pointing hand, hot spot (5, 1)

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const dialogs::MainWindowLink& main_;
    platform::Desktop& desktop_;
};
