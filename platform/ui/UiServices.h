#pragma once

// What the windows ask of the platform around them, behind one interface so
// that tests can record it instead: message boxes, the beep, the Ctrl key,
// the application-wide mouse pointer, the clipboard, topmost and opacity.

#include <QString>

class QWidget;

namespace ui {

enum class MessageIcon { None, Information, Warning, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageResult { Ok, Cancel, Yes, No };

enum class MousePointer { Default, Hourglass, ArrowHourglass };

class UiServices
{
public:
    virtual ~UiServices() = default;

    // Modal; returns the button the user chose (closing the box counts as
    // Cancel, or as the only button of an Ok box).
    virtual MessageResult messageBox(const QString &text, const QString &title,
                                     MessageIcon icon = MessageIcon::None,
                                     MessageButtons buttons = MessageButtons::Ok) = 0;
    virtual void beep() = 0;
    virtual bool isCtrlKeyDown() = 0;
    virtual void setMousePointer(MousePointer pointer) = 0;
    // Replaces whatever the clipboard held with plain text.
    virtual void setClipboardText(const QString &text) = 0;

    // Neither moves, resizes nor focuses the window.
    virtual void setTopMost(QWidget *window, bool topMost) = 0;
    virtual bool canFadeWindows() = 0;
    virtual void setWindowOpacity(QWidget *window, int percent) = 0;
};

// The program's services. Start-up installs the real ones and tests their
// double; using them before anything is installed is a programming error
// and ends the program with a message saying so.
UiServices &services();

// Installs services for its own lifetime and puts back the ones it replaced.
class ScopedServices
{
public:
    explicit ScopedServices(UiServices &installed);
    ~ScopedServices();
    ScopedServices(const ScopedServices &) = delete;
    ScopedServices &operator=(const ScopedServices &) = delete;

private:
    UiServices *m_previous;
};

} // namespace ui
