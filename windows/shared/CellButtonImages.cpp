#include "windows/shared/CellButtonImages.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace shared {

using namespace Qt::StringLiterals;

namespace {

const QColor kFace(212, 208, 200);
const QColor kHighlight(255, 255, 255);
const QColor kShadow(128, 128, 128);
const QColor kDarkShadow(0, 0, 0);

// The largest size up to 11 pixels at which the label clears the bevels,
// with room for the pressed label's shift.
QFont labelFont(const QString &label)
{
    QFont font(u"Noto Sans CJK JP"_s);
    font.setHintingPreference(QFont::PreferFullHinting);
    for (int pixels = 11;; --pixels) {
        font.setPixelSize(pixels);
        if (pixels == 8 || QFontMetrics(font).horizontalAdvance(label) <= CellButtonImages::kWidth - 8)
            return font;
    }
}

// A push button face with a two-pixel bevel; pressed, the bevel turns
// inwards and the label moves one pixel down and right, as a real one does.
QPixmap drawButton(const QString &label, bool pressed)
{
    const int w = CellButtonImages::kWidth;
    const int h = CellButtonImages::kHeight;
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(kFace);
    QPainter painter(&image);
    const QColor outerTopLeft = pressed ? kDarkShadow : kHighlight;
    const QColor innerTopLeft = pressed ? kShadow : kFace;
    const QColor outerBottomRight = pressed ? kHighlight : kDarkShadow;
    const QColor innerBottomRight = pressed ? kFace : kShadow;
    painter.setPen(outerTopLeft);
    painter.drawLine(0, 0, w - 1, 0);
    painter.drawLine(0, 0, 0, h - 1);
    painter.setPen(innerTopLeft);
    painter.drawLine(1, 1, w - 2, 1);
    painter.drawLine(1, 1, 1, h - 2);
    painter.setPen(outerBottomRight);
    painter.drawLine(0, h - 1, w - 1, h - 1);
    painter.drawLine(w - 1, 0, w - 1, h - 1);
    painter.setPen(innerBottomRight);
    painter.drawLine(1, h - 2, w - 2, h - 2);
    painter.drawLine(w - 2, 1, w - 2, h - 2);

    painter.setPen(Qt::black);
    painter.setFont(labelFont(label));
    const int shift = pressed ? 1 : 0;
    painter.drawText(QRect(2 + shift, 2 + shift, w - 4, h - 4), Qt::AlignCenter, label);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

CellButtonImages::CellButtonImages()
{
    for (int index = 0; index < kCount; ++index)
        m_images[index] = drawButton(label(index), index % 2 == 1);
}

QString CellButtonImages::label(int index)
{
    const QString labels[] = {u"クリック"_s, u"IE表示"_s, u"詳細"_s};
    return index >= 0 && index < kCount ? labels[index / 2] : QString();
}

QPixmap CellButtonImages::image(int index) const
{
    return index >= 0 && index < kCount ? m_images[index] : QPixmap();
}

} // namespace shared
