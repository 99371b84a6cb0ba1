#include "windows/main/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace {

// Both are drawn on a 16-unit square and scaled, so each size stays sharp.
using Drawing = void (*)(QPainter &);

// A sheet with lines of text and a pen across it.
void drawProperties(QPainter &p)
{
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 10, 13));
    p.setPen(QPen(QColor(40, 90, 170), 1));
    for (double y : {4.5, 7.0, 9.5})
        p.drawLine(QPointF(4.5, y), QPointF(10.5, y));
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.setBrush(QColor(230, 180, 40));
    QPainterPath pen;
    pen.moveTo(8.5, 13.5);
    pen.lineTo(14.0, 8.0);
    pen.lineTo(15.5, 9.5);
    pen.lineTo(10.0, 15.0);
    pen.lineTo(8.0, 15.5);
    pen.closeSubpath();
    p.drawPath(pen);
}

// A question mark in a blue disc.
void drawHelp(QPainter &p)
{
    p.setPen(QPen(QColor(20, 60, 140), 1));
    p.setBrush(QColor(50, 110, 210));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QFont font;
    font.setBold(true);
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, u"?"_s);
}

QIcon drawnIcon(Drawing draw)
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(size / 16.0, size / 16.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon ToolbarIcon(const QString &key)
{
    if (key == u"Properties"_s) {
        static const QIcon properties = drawnIcon(drawProperties);
        return properties;
    }
    if (key == u"Help"_s) {
        static const QIcon help = drawnIcon(drawHelp);
        return help;
    }
    return {};
}
