#pragma once

#include <QPixmap>

#include <array>

namespace shared {

// The six small push buttons that list grids draw inside cells, in pairs:
// an even index is a button raised, the next odd index the same button
// pressed. 0/1 "クリック", 2/3 "IE表示", 4/5 "詳細". Drawn on construction,
// which needs a QGuiApplication.
class CellButtonImages
{
public:
    static constexpr int kCount = 6;
    static constexpr int kWidth = 47;
    static constexpr int kHeight = 16;
    static constexpr int kClickRaised = 0;
    static constexpr int kClickPressed = 1;
    static constexpr int kDetailRaised = 4;
    static constexpr int kDetailPressed = 5;

    CellButtonImages();

    // A null pixmap for an index outside 0 to 5.
    QPixmap image(int index) const;
    // What the button says, for a screen reader; empty outside 0 to 5.
    static QString label(int index);

private:
    std::array<QPixmap, kCount> m_images;
};

} // namespace shared
