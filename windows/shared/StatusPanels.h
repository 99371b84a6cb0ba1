#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

namespace shared {

// The panels of both windows' status bars: the text panel keyed "Status",
// where work in progress is shown, and the date and time, kept current.
class StatusPanels : public QObject
{
    Q_OBJECT

public:
    // Adds the panels to bar; they live as long as it does.
    explicit StatusPanels(QStatusBar &bar);

    QLabel *status() const { return mStatus; }

private:
    void showClock();

    QLabel *mStatus = nullptr;
    QLabel *mDate = nullptr;
    QLabel *mTime = nullptr;
};

} // namespace shared
