#include "dialogs/frmAbout.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

#include "dialogs/ClickRelay.h"
#include "game/GameLayouts.h"
#include "platform/TaskBar.h"
#include "resources/BoardPicture.h"

namespace dialogs {

DialogPlace AboutPlace(float mainLeft, float mainTop, float screenWidth, float screenHeight) {
    DialogPlace place{};
    if (mainLeft + 7500.0f <= screenWidth) {
        place.left = mainLeft + 3660.0f;
    } else if (mainLeft < 3960.0f) {
        place.left = 0.0f;
    } else {
        place.left = mainLeft - 3960.0f;
    }
    if (mainTop + 4995.0f <= screenHeight) {
        place.top = mainTop + 405.0f;
    } else {
        // The box has only its close box: on a screen lower than the box, it stays reachable.
        place.top = std::max(screenHeight - 4590.0f, 0.0f);
    }
    return place;
}

}  // namespace dialogs

namespace {

constexpr int kSide = 250;
const QColor kPaleYellow(255, 255, 192);
const QColor kOrange(255, 128, 0);

// The classic game's start position on the main window's tray, at full size.
QImage ClassicTray(const resources::Artwork& art) {
    QImage tray = art.Table.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&tray);
    resources::PaintPieces(painter, game::GetGameLayout(game::ClassicGame).start,
                           {art.PawnBig, art.PawnHor, art.PawnVer, art.PawnSmall});
    return tray;
}

// The tray lying a little askew on a dark walnut table, lit from the top left; the lower part
// stays dark for the texts.
QPixmap DrawAboutPicture(const resources::Artwork& art) {
    QPixmap picture(kSide, kSide);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    QRadialGradient light(QPointF(105, 80), 210);
    light.setColorAt(0.0, QColor(112, 70, 40));
    light.setColorAt(0.55, QColor(62, 36, 18));
    light.setColorAt(1.0, QColor(24, 12, 4));
    painter.fillRect(picture.rect(), light);
    // Grain of the table top.
    for (int i = 0; i < 14; ++i) {
        QPainterPath grain;
        const double y0 = 6 + 18.5 * i;
        grain.moveTo(0, y0);
        grain.cubicTo(80, y0 + 5 - (i % 3) * 4, 170, y0 - 6 + (i % 4) * 3, kSide, y0 + 2);
        painter.setPen(QPen(QColor(20, 8, 0, 34 + 6 * (i % 3)), 1.2 + 0.4 * (i % 2)));
        painter.drawPath(grain);
    }

    const QImage tray = ClassicTray(art);
    constexpr double kScale = 0.57;
    const QSizeF size(tray.width() * kScale, tray.height() * kScale);
    painter.translate(126, 93);
    painter.rotate(-7);
    const QRectF place(QPointF(-size.width() / 2, -size.height() / 2), size);
    // Soft shadow, falling right and down.
    painter.setPen(Qt::NoPen);
    for (int i = 6; i >= 1; --i) {
        painter.setBrush(QColor(0, 0, 0, 26));
        painter.drawRoundedRect(place.translated(4, 6).adjusted(-i, -i, i, i), 3 + i, 3 + i);
    }
    painter.drawImage(place, tray);
    painter.end();
    return picture;
}

// A white gloved hand pointing up with its index finger, whose tip is the hot spot (5, 1).
QCursor PointingHand() {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    auto part = [](double left, double top, double width, double height, double radius) {
        QPainterPath path;
        path.addRoundedRect(QRectF(left, top, width, height), radius, radius);
        return path;
    };
    const QPainterPath hand = part(2.5, 1.7, 6, 15.8, 3)
                                  .united(part(8.5, 9.5, 5, 10, 2.5))
                                  .united(part(13.5, 10.5, 5, 9, 2.5))
                                  .united(part(18.5, 12.5, 4.5, 8, 2.2))
                                  .united(part(2.5, 14.5, 20.5, 11, 4))
                                  .united(part(0.5, 15.5, 5, 8, 2.5));
    const QPen outline(Qt::black, 1.2);
    painter.setPen(outline);
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    painter.drawRect(QRectF(5.5, 25.5, 15, 5));  // the cuff
    painter.drawLine(QPointF(8.5, 12), QPointF(8.5, 17));
    painter.drawLine(QPointF(13.5, 12.5), QPointF(13.5, 17.5));
    painter.drawLine(QPointF(18.5, 14), QPointF(18.5, 18.5));
    painter.end();
    return QCursor(picture, 5, 1);
}

QLabel* TextLabel(QWidget* parent, int left, int top, int width, const QColor& colour) {
    auto* label = new QLabel(parent);
    label->setGeometry(left, top, width, 17);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont font = label->font();
    font.setPixelSize(10);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

}  // namespace

frmAbout::frmAbout(const dialogs::MainWindowLink& main, platform::Desktop& desktop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      main_(main),
      desktop_(desktop) {
    setWindowTitle(QStringLiteral("Πληροφορίες"));
    platform::KeepOutOfTaskBar(*this);
    setFixedSize(kSide, kSide);
    Picture = DrawAboutPicture(main.Pictures());
    imgCursorPoint = PointingHand();

    LabelInfo = TextLabel(this, 32, 192, 161, kPaleYellow);
    Label1 = TextLabel(this, 40, 208, 145, kPaleYellow);
    Label1->setText(QStringLiteral("Η ομάδα της Ταρβέξης"));
    Label2 = TextLabel(this, 72, 224, 81, kOrange);
    Label2->setText(dialogs::kMailAddress);
    new dialogs::ClickRelay(Label2, [this] { Label2_Click(); });

    Form_Load();
}

void frmAbout::Form_Load() {
    dialogs::PlaceBeside(*this, main_, dialogs::AboutPlace);

    LabelInfo->setText(QStringLiteral("Ταρβέξη - Έκδοση ") + main_.VersionText());
    Label2->setCursor(imgCursorPoint);
}

void frmAbout::Label2_Click() {
    desktop_.ShellOpen(QStringLiteral("mailto:") + Label2->text());
}

void frmAbout::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, Picture);
    // Line1: the address's underline.
    painter.setPen(QPen(kOrange, 1));
    painter.drawLine(74, 237, 152, 237);
}
