#pragma once

#include "platform/ui/UiServices.h"

namespace ui {

class QtUiServices final : public UiServices
{
public:
    QtUiServices() = default;
    ~QtUiServices() override;
    QtUiServices(const QtUiServices &) = delete;
    QtUiServices &operator=(const QtUiServices &) = delete;

    MessageResult messageBox(const QString &text, const QString &title, MessageIcon icon,
                             MessageButtons buttons) override;
    void beep() override;
    bool isCtrlKeyDown() override;
    void setMousePointer(MousePointer pointer) override;
    void setClipboardText(const QString &text) override;
    void setTopMost(QWidget *window, bool topMost) override;
    bool canFadeWindows() override;
    void setWindowOpacity(QWidget *window, int percent) override;

private:
    // Whether the override cursor on top of the application's stack is ours.
    bool m_overridingCursor = false;
};

} // namespace ui
