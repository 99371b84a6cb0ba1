#pragma once

#include "platform/automation/Automation.h"
#include "platform/chromium/ChromiumEndpoint.h"

#include <functional>

namespace chromium {

// One tab as a browser window.
class ChromiumBrowser : public automation::Browser
{
public:
    ChromiumBrowser(std::shared_ptr<ChromiumEndpoint> endpoint, TabPtr tab);

    QString typeName() const override;
    QString locationURL() override;
    QString locationName() override;
    qint32 hwnd() override;
    qint32 readyState() override;
    bool busy() override;
    automation::DocumentPtr document() override;
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

private:
    struct Window
    {
        qint32 id = 0;
        QJsonObject bounds;
    };
    Window window();
    qint32 bound(const QString &name);
    void setBound(const QString &name, qint32 value);
    void setWindowState(const Window &window, const QString &state);
    ChromiumTab::Bars liveBars();
    void changeBars(const std::function<void(ChromiumTab::Bars &)> &change);

    std::shared_ptr<ChromiumEndpoint> m_endpoint;
    TabPtr m_tab;
};

} // namespace chromium
