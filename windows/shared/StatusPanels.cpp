#include "windows/shared/StatusPanels.h"

#include "platform/ui/Twips.h"

#include <QDateTime>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace shared {

namespace {

QLabel *newPanel(QStatusBar &bar, const QString &name)
{
    auto *label = new QLabel(&bar);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

} // namespace

StatusPanels::StatusPanels(QStatusBar &bar)
    : QObject(&bar)
    , mStatus(newPanel(bar, u"Status"_s))
    , mDate(newPanel(bar, u"Date"_s))
    , mTime(newPanel(bar, u"Time"_s))
{
    mStatus->setMinimumWidth(ui::TwipsToPixelsX(bar, ui::kTwipsPerInch));
    bar.addWidget(mStatus, 1);
    bar.addPermanentWidget(mDate);
    bar.addPermanentWidget(mTime);

    auto *clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &StatusPanels::showClock);
    clock->start(1000);
    showClock();
}

// The Japanese forms, whatever the system's locale: the windows are Japanese.
void StatusPanels::showClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    mDate->setText(now.toString(u"yyyy/MM/dd"_s));
    mTime->setText(now.toString(u"HH:mm"_s));
}

} // namespace shared
