#pragma once

#include "platform/ui/UiServices.h"

namespace ui {

// Services for a program without windows: no box is shown, nothing sounds,
// the Ctrl key is up and windows cannot fade. Override what must be heard.
class QuietUiServices : public UiServices
{
public:
    MessageResult messageBox(const QString &, const QString &, MessageIcon, MessageButtons) override
    {
        return MessageResult::Ok;
    }
    void beep() override {}
    bool isCtrlKeyDown() override { return false; }
    void setMousePointer(MousePointer) override {}
    void setClipboardText(const QString &) override {}
    void setTopMost(QWidget *, bool) override {}
    bool canFadeWindows() override { return false; }
    void setWindowOpacity(QWidget *, int) override {}
};

} // namespace ui
