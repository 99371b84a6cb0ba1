#include "windows/ancillary/ProgramLogo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ancillary {

QPixmap ProgramLogo()
{
    QPixmap logo(kLogoSize, kLogoSize);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kLogoSize);
    sky.setColorAt(0, QColor(0x3a, 0x7b, 0xd5));
    sky.setColorAt(1, QColor(0x1c, 0x3f, 0x7a));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(2, 2, 96, 96), 16, 16);

    // The page with its element rows.
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(16, 14, 50, 64), 4, 4);
    p.setBrush(QColor(0x9c, 0xb4, 0xd8));
    for (int row = 0; row < 6; ++row)
        p.drawRect(QRectF(22, 22 + row * 9, row % 2 ? 30 : 38, 4));

    // The magnifying glass over the page's lower right.
    const QPointF centre(62, 58);
    p.setPen(QPen(QColor(0xf2, 0xb1, 0x34), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(15, 15), QPointF(88, 88));
    p.setPen(QPen(QColor(0xff, 0xd2, 0x6a), 6));
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(centre, 19, 19);
    return logo;
}

QIcon ProgramIcon()
{
    return QIcon(QStringLiteral(":/icons/program.svg"));
}

} // namespace ancillary
