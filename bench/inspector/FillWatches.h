#pragma once

#include "bench/inspector/TimedApplication.h"

#include <QList>

#include <optional>

namespace bench {

class InspectorDriver;

// When the grid was first painted with every row in view shown (its short
// cells in, its long texts still marked as coming), and when with every
// row in view whole, after arm(): what the user sees, not what the model
// holds.
class RowsInViewShown final : public EventWatch
{
public:
    RowsInViewShown(TimedApplication &app, const InspectorDriver &inspector);

    void arm();
    // On the application's step clock.
    std::optional<qint64> shownNs() const { return m_shownNs; }
    std::optional<qint64> wholeNs() const { return m_wholeNs; }

    void delivering(QObject *receiver, QEvent *event) override;
    void delivered(QObject *receiver, QEvent::Type type) override;

private:
    TimedApplication &m_app;
    const InspectorDriver &m_inspector;
    const QObject *m_viewport;
    bool m_armed = false;
    bool m_paintShowsShort = false;
    bool m_paintShowsWhole = false;
    std::optional<qint64> m_shownNs;
    std::optional<qint64> m_wholeNs;
};

// The ticks of the inspector's step timer, and at which of them the fill
// count in its status text went up, counted from mark().
class FillTicks final : public EventWatch
{
public:
    FillTicks(TimedApplication &app, const InspectorDriver &inspector);

    void mark();
    // How many ticks after the mark the count first went up.
    std::optional<int> ticksToRise() const;
    // The most ticks the count stayed put between the mark and a rise or
    // two rises.
    std::optional<int> mostTicksBetweenRises() const;

    void delivering(QObject *, QEvent *) override {}
    void delivered(QObject *receiver, QEvent::Type type) override;

private:
    const InspectorDriver &m_inspector;
    int m_ticks = 0;
    int m_markTicks = 0;
    int m_highest = -1; // the highest count the status showed
    QList<int> m_rises; // ticks since the mark
};

} // namespace bench
