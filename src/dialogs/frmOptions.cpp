#include "dialogs/frmOptions.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>

#include "dialogs/ClickRelay.h"
#include "dialogs/Help.h"
#include "game/GameLayouts.h"
#include "game/Measures.h"
#include "platform/TaskBar.h"

namespace dialogs {

DialogPlace ChooserPlace(float mainLeft, float mainTop, float screenWidth, float screenHeight) {
    DialogPlace place{};
    if (mainLeft + 9630.0f < screenWidth) {
        place.left = mainLeft + 3660.0f;
    } else if (mainLeft < 6105.0f) {
        place.left = 0.0f;
    } else {
        place.left = mainLeft - 6105.0f;
    }
    if (mainTop + 5400.0f <= screenHeight) {
        place.top = mainTop;
    } else {
        // On a screen lower than the dialog, its title bar stays reachable.
        place.top = std::max(screenHeight - 5400.0f, 0.0f);
    }
    return place;
}

}  // namespace dialogs

namespace {

constexpr QPalette::ColorRole kButtonShadow = QPalette::Dark;
constexpr QPalette::ColorRole kButtonFace = QPalette::Button;

// A frame drawn as the program's frames are: an etched border from the middle of the caption
// line down, the caption breaking into its top edge, the whole frame filled with its
// background role.
class GameFrame : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics = fontMetrics();
        const QRect border = rect().adjusted(0, metrics.height() / 2, -1, -1);
        const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
        const QBrush background = palette().brush(backgroundRole());
        painter.fillRect(rect(), background);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(border.adjusted(0, 0, -1, -1));
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(border.adjusted(1, 1, 0, 0));
        // The border stops on either side of the caption.
        painter.fillRect(caption, background);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter, title());
    }
};

QString FrameCaption(int index) {
    return index == game::ClassicGame ? QStringLiteral("Κλασικό")
                                      : QStringLiteral("Παιχνίδι %1").arg(index);
}

}  // namespace

frmOptions::frmOptions(dialogs::MainWindowLink& main, platform::Desktop& desktop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      CommonDialog1(desktop, this),
      main_(main) {
    setWindowTitle(QStringLiteral("Επιλογή παιχνιδιού"));
    platform::KeepOutOfTaskBar(*this);
    setFixedSize(393, 302);

    for (int i = 0; i < game::kGameCount; ++i) {
        const auto index = static_cast<std::int16_t>(i);
        QGroupBox* frame = new GameFrame(FrameCaption(i), this);
        frame->setGeometry(8 + 128 * (i % 3), 8 + 88 * (i / 3), 121, 81);
        new dialogs::ClickRelay(
            frame, [this, index] { Frame_Click(index); }, [this, index] { Frame_DblClick(index); });
        Frame[i] = frame;

        auto thumbnail = [frame](const QPixmap& picture, int left) {
            auto* image = new QLabel(frame);
            image->setPixmap(picture);
            image->setGeometry(left, 16, game::kThumbWidthPixels, game::kThumbHeightPixels);
            return image;
        };
        Image1[i] = thumbnail(main.Pictures().Start[i], 8);
        new dialogs::ClickRelay(
            Image1[i], [this, index] { Image1_Click(index); },
            [this, index] { Image1_DblClick(index); });
        Image2[i] = thumbnail(main.Pictures().Finish[i], 64);
        new dialogs::ClickRelay(
            Image2[i], [this, index] { Image2_Click(index); },
            [this, index] { Image2_DblClick(index); });
    }

    auto button = [this](const QString& caption, int left, int width) {
        auto* command = new QPushButton(caption, this);
        command->setGeometry(left, 272, width, 25);
        return command;
    };
    // Created in tab order.
    Command1 = button(QStringLiteral("ΟΚ"), 240, 73);  // Greek capitals Omicron, Kappa
    Command2 = button(QStringLiteral("Άκυρο"), 320, 65);
    Command3 = button(QStringLiteral("Βοήθεια"), 8, 65);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    Form_Load();
}

void frmOptions::Form_Load() {
    dialogs::PlaceBeside(*this, main_, dialogs::ChooserPlace);

    SelectedGame = main_.CurrentGame();
    for (int i = 0; i < game::kGameCount; ++i) {
        Highlight(i, i == SelectedGame);
    }
}

void frmOptions::Highlight(int index, bool selected) {
    if (index >= 0 && index < game::kGameCount) {
        Frame[index]->setBackgroundRole(selected ? kButtonShadow : kButtonFace);
    }
}

void frmOptions::Frame_Click(std::int16_t Index) {
    if (Index < 0 || Index >= game::kGameCount) {
        return;
    }
    Highlight(SelectedGame, false);
    SelectedGame = static_cast<std::uint8_t>(Index);
    Highlight(SelectedGame, true);
}

void frmOptions::Frame_DblClick(std::int16_t Index) {
    if (Index < 0 || Index >= game::kGameCount) {
        return;
    }
    Frame_Click(Index);
    Command1_Click();
}

void frmOptions::Command1_Click() {
    main_.StartChosenGame(SelectedGame, *this);
    accept();
}

void frmOptions::Command2_Click() {
    reject();
}

void frmOptions::Command3_Click() {
    dialogs::ShowChooserHelp(CommonDialog1);
}

void frmOptions::keyPressEvent(QKeyEvent* event) {
    // No button is the cancel button, so Escape does not leave the dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
