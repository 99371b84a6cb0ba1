#pragma once

// UI services that record what the code under test asked for instead of
// doing it, so a test can assert "one beep and no message box" and a
// message box never waits for a user. Installs itself for its lifetime.

#include "platform/ui/UiServices.h"

#include <QHash>
#include <QList>
#include <QQueue>

#include <functional>

#include <optional>

namespace ui {

class RecordingUiServices final : public UiServices
{
public:
    struct MessageBoxCall
    {
        QString text;
        QString title;
        MessageIcon icon;
        MessageButtons buttons;
    };

    RecordingUiServices();

    MessageResult messageBox(const QString &text, const QString &title, MessageIcon icon,
                             MessageButtons buttons) override;
    void beep() override;
    bool isCtrlKeyDown() override;
    void setMousePointer(MousePointer pointer) override;
    void setClipboardText(const QString &text) override;
    void setTopMost(QWidget *window, bool topMost) override;
    bool canFadeWindows() override;
    void setWindowOpacity(QWidget *window, int percent) override;

    // What the code asked for, in order.
    QList<MessageBoxCall> messageBoxes;
    int beeps = 0;
    QList<MousePointer> pointers;
    QList<QString> clipboardTexts;

    // What the platform looks like to the code.
    bool ctrlKeyDown = false;
    bool canFade = true;
    // Answers for the next message boxes; when none is queued a box is
    // answered with its first button.
    QQueue<MessageResult> messageResults;
    // Runs while a box is up, to look at the windows behind it.
    std::function<void()> onMessageBox;

    // The last state each window was given; absent when never set.
    std::optional<bool> topMostOf(const QWidget *window) const;
    std::optional<int> opacityOf(const QWidget *window) const;

    MousePointer pointer() const;

private:
    QHash<const QWidget *, bool> m_topMost;
    QHash<const QWidget *, int> m_opacity;
    ScopedServices m_installation;
};

} // namespace ui
