#include "platform/qt/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace vz {
namespace {

const QColor kInk(40, 60, 90);
const QColor kAccent(40, 120, 200);

// A disc: the picture of an image file, the common thread of the artwork.
void paintDisc(QPainter& painter, const QRectF& box) {
    QRadialGradient shine(box.center() - QPointF(box.width() / 6, box.height() / 6),
                          box.width() / 1.4);
    shine.setColorAt(0, QColor(235, 245, 255));
    shine.setColorAt(0.6, QColor(150, 190, 235));
    shine.setColorAt(1, kAccent);
    painter.setPen(QPen(kInk, std::max(1.0, box.width() / 32)));
    painter.setBrush(shine);
    painter.drawEllipse(box);
    QRectF hole(0, 0, box.width() / 4, box.height() / 4);
    hole.moveCenter(box.center());
    painter.setBrush(Qt::white);
    painter.drawEllipse(hole);
}

QPixmap canvas(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void paintFolder(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(250, 210, 110));
    QPainterPath path;
    path.moveTo(1.5, 4.5);
    path.lineTo(6.5, 4.5);
    path.lineTo(8, 6);
    path.lineTo(14.5, 6);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    p.drawPath(path);
}

void paintDocument(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
    for (int y = 5; y <= 11; y += 3)
        p.drawLine(QPointF(5.5, y + 0.5), QPointF(10.5, y + 0.5));
}

}  // namespace

QPixmap logoPixmap(int size) {
    QPixmap pixmap = canvas(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paintDisc(painter, QRectF(2, 2, size - 4, size - 4));
    QFont font("Sans Serif");
    font.setBold(true);
    font.setPixelSize(size / 4);
    painter.setFont(font);
    painter.setPen(kInk);
    painter.drawText(QRectF(0, size * 0.62, size, size * 0.3), Qt::AlignCenter, "VZ");
    return pixmap;
}

QIcon glyphIcon(Glyph glyph) {
    QPixmap pixmap = canvas(16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
        case Glyph::Browse:
            paintFolder(p);
            break;
        case Glyph::Help: {
            p.setPen(Qt::NoPen);
            p.setBrush(kAccent);
            p.drawEllipse(QRectF(1, 1, 14, 14));
            QFont font("Sans Serif");
            font.setBold(true);
            font.setPixelSize(11);
            p.setFont(font);
            p.setPen(Qt::white);
            p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, "?");
            break;
        }
        case Glyph::Ini:
            paintDocument(p);
            break;
        case Glyph::OpenList:
            paintFolder(p);
            p.setPen(QPen(kAccent, 2));
            p.drawLine(QPointF(8, 12), QPointF(8, 7.5));
            p.drawLine(QPointF(5.5, 10), QPointF(8, 7.5));
            p.drawLine(QPointF(10.5, 10), QPointF(8, 7.5));
            break;
        case Glyph::SaveList:
            p.setPen(QPen(kInk, 1));
            p.setBrush(kAccent);
            p.drawRect(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, 1.5, 7, 5));
            p.drawRect(QRectF(3.5, 9.5, 9, 5));
            break;
    }
    return QIcon(pixmap);
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QPixmap pixmap = canvas(size);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paintDisc(painter, QRectF(1, 1, size - 2, size - 2));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon trayButtonIcon() {
    QPixmap pixmap = canvas(16);
    QPainter p(&pixmap);
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setBrush(kAccent);
    p.drawRect(QRectF(9.5, 9.5, 4, 3));
    return QIcon(pixmap);
}

}  // namespace vz
