#include "tests/ui/RecordingUiServices.h"

namespace ui {

RecordingUiServices::RecordingUiServices()
    : m_installation(*this)
{
}

MessageResult RecordingUiServices::messageBox(const QString &text, const QString &title,
                                              MessageIcon icon, MessageButtons buttons)
{
    messageBoxes.append({text, title, icon, buttons});
    if (onMessageBox)
        onMessageBox();
    if (!messageResults.isEmpty())
        return messageResults.dequeue();
    return buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
}

void RecordingUiServices::beep()
{
    ++beeps;
}

bool RecordingUiServices::isCtrlKeyDown()
{
    return ctrlKeyDown;
}

void RecordingUiServices::setMousePointer(MousePointer pointer)
{
    pointers.append(pointer);
}

void RecordingUiServices::setClipboardText(const QString &text)
{
    clipboardTexts.append(text);
}

void RecordingUiServices::setTopMost(QWidget *window, bool topMost)
{
    m_topMost.insert(window, topMost);
}

bool RecordingUiServices::canFadeWindows()
{
    return canFade;
}

void RecordingUiServices::setWindowOpacity(QWidget *window, int percent)
{
    m_opacity.insert(window, percent);
}

std::optional<bool> RecordingUiServices::topMostOf(const QWidget *window) const
{
    const auto it = m_topMost.constFind(window);
    return it == m_topMost.cend() ? std::nullopt : std::optional<bool>(*it);
}

std::optional<int> RecordingUiServices::opacityOf(const QWidget *window) const
{
    const auto it = m_opacity.constFind(window);
    return it == m_opacity.cend() ? std::nullopt : std::optional<int>(*it);
}

MousePointer RecordingUiServices::pointer() const
{
    return pointers.isEmpty() ? MousePointer::Default : pointers.last();
}

} // namespace ui
