#pragma once

#include "platform/automation/Automation.h"
#include "tests/support/automation_double/DocumentDouble.h"
#include "tests/support/automation_double/Scripted.h"

#include <functional>

namespace automation::doubles {

// A scripted browser window. Navigating replaces its document at once and
// ends the old page (its document, collections and elements then fail with
// PermissionDenied); closing ends the window and its page with
// ServerUnavailable and takes it out of its shell window collection.
// Members go by their automation names (LocationURL, LocationName, HWND,
// ReadyState, Busy, Document, StatusText, DialogText, Left, Top, Width, Height, Visible,
// ToolBar, AddressBar, MenuBar, StatusBar, Stop, Quit, GoHome, Navigate),
// and restoreWindow, bringToFront, typeName.
class BrowserDouble final : public Browser,
                            public Scripted,
                            public std::enable_shared_from_this<BrowserDouble>
{
public:
    // What the browser reports; tests change it freely.
    struct State
    {
        QString url;
        QString title;
        qint32 hwnd = 0;
        qint32 readyState = automation::ReadyState::Complete;
        bool busy = false;
        QString statusText;
        QString dialogText;
        qint32 left = 0;
        qint32 top = 0;
        qint32 width = 800;
        qint32 height = 600;
        bool visible = true;
        qint32 toolBar = 1;
        bool addressBar = true;
        bool menuBar = true;
        bool statusBar = true;
    };

    BrowserDouble(qint32 hwnd, const QString &url, QString homePage,
                  std::function<void(const BrowserDouble *)> onClosed);

    QString typeName() const override;
    QString locationURL() override;
    QString locationName() override;
    qint32 hwnd() override;
    qint32 readyState() override;
    bool busy() override;
    DocumentPtr document() override;
    QString statusText() override;
    QString dialogText() override;

    qint32 left() override;
    qint32 top() override;
    qint32 width() override;
    qint32 height() override;
    void setLeft(qint32 value) override;
    void setTop(qint32 value) override;
    void setWidth(qint32 value) override;
    void setHeight(qint32 value) override;

    bool visible() override;
    void setVisible(bool value) override;
    qint32 toolBar() override;
    void setToolBar(qint32 value) override;
    bool addressBar() override;
    void setAddressBar(bool value) override;
    bool menuBar() override;
    void setMenuBar(bool value) override;
    bool statusBar() override;
    void setStatusBar(bool value) override;

    void stop() override;
    void quit() override;
    void goHome() override;
    void navigate(const QString &url) override;
    void restoreWindow() override;
    void bringToFront() override;

    // For the test itself: no journal, no failures.
    State &state() { return m_state; }
    const std::shared_ptr<DocumentDouble> &page() const { return m_document; }
    // A finished load of a new page titled like its address.
    void show(const QString &url);
    void close();
    bool isClosed() const { return life()->endedWith != 0; }

private:
    template<typename T>
    T read(const QString &member, const T &value) const;
    template<typename T>
    void write(const QString &member, T &field, const T &value);

    State m_state;
    QString m_homePage;
    std::function<void(const BrowserDouble *)> m_onClosed;
    std::shared_ptr<Lifetime> m_pageLife;
    std::shared_ptr<DocumentDouble> m_document;
};

} // namespace automation::doubles
