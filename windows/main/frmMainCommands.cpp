#include "windows/main/frmMain.h"

#include "platform/stores/ApplicationTitle.h"
#include "platform/ui/UiServices.h"
#include "windows/ancillary/HtmlHelp.h"
#include "windows/ancillary/frmAbout.h"
#include "windows/main/MainGlobals.h"
#include "windows/main/ToolbarIcons.h"
#include "windows/shared/ControlRoutines.h"

#include <QMenuBar>
#include <QToolBar>

using namespace Qt::StringLiterals;

void frmMain::buildMenus()
{
    QMenu *mnuFile = menuBar()->addMenu(u"ﾌｧｲﾙ(&F)"_s);
    mnuFile->setObjectName(u"mnuFile"_s);
    QAction *mnuFileExit = mnuFile->addAction(u"終了(&X)"_s);
    mnuFileExit->setObjectName(u"mnuFileExit"_s);
    connect(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);

    QMenu *mnuHelp = menuBar()->addMenu(u"ﾍﾙﾌﾟ(&H)"_s);
    mnuHelp->setObjectName(u"mnuHelp"_s);
    QAction *mnuHelpContents = mnuHelp->addAction(u"目次(&C)"_s);
    mnuHelpContents->setObjectName(u"mnuHelpContents"_s);
    connect(mnuHelpContents, &QAction::triggered, this, &frmMain::mnuHelpContents_Click);
    QAction *mnuHelpSearchForHelpOn = mnuHelp->addAction(u"ﾄﾋﾟｯｸの検索(&S)..."_s);
    mnuHelpSearchForHelpOn->setObjectName(u"mnuHelpSearchForHelpOn"_s);
    connect(mnuHelpSearchForHelpOn, &QAction::triggered, this, &frmMain::mnuHelpSearchForHelpOn_Click);
    mnuHelp->addSeparator();
    QAction *mnuHelpAbout = mnuHelp->addAction(u"ﾊﾞｰｼﾞｮﾝ情報(&A)"_s);
    mnuHelpAbout->setObjectName(u"mnuHelpAbout"_s);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
}

void frmMain::buildToolBar()
{
    tbToolBar = addToolBar(QString());
    tbToolBar->setObjectName(u"tbToolBar"_s);
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tbToolBar->setIconSize(QSize(16, 16));
    // Key, tool tip, image; the buttons carry no caption.
    const struct
    {
        QString key;
        QString image;
    } buttons[] = {{u"ﾌﾟﾛﾊﾟﾃｨ"_s, u"Properties"_s}, {u"ﾍﾙﾌﾟ"_s, u"Help"_s}};
    for (const auto &button : buttons) {
        QAction *action = tbToolBar->addAction(ToolbarIcon(button.image), QString());
        action->setData(button.key);
        action->setToolTip(button.key);
        // Without a caption a screen reader would have nothing to call it.
        tbToolBar->widgetForAction(action)->setAccessibleName(button.key);
    }
    connect(tbToolBar, &QToolBar::actionTriggered, this,
            [this](QAction *button) { tbToolBar_ButtonClick(button->data().toString()); });
}

void frmMain::tbToolBar_ButtonClick(const QString &key)
{
    if (key == u"ﾌﾟﾛﾊﾟﾃｨ"_s)
        ui::services().messageBox(u" 'ﾌﾟﾛﾊﾟﾃｨ' ﾎﾞﾀﾝのｺｰﾄﾞを追加します。"_s, kApplicationTitle);
    else if (key == u"ﾍﾙﾌﾟ"_s)
        mnuHelpContents_Click();
}

// The same close request as the close box; it ends the program.
void frmMain::mnuFileExit_Click()
{
    close();
}

// Out of the topmost band first, so that the help window can come in front;
// the help viewer reports a missing file itself.
void frmMain::mnuHelpContents_Click()
{
    shared::SetTopMost(this, false);
    ancillary::ShowHelpContents(nullptr, gAppHelpFile);
}

void frmMain::mnuHelpSearchForHelpOn_Click()
{
    shared::SetTopMost(this, false);
    ancillary::ShowHelpIndex(nullptr, gAppHelpFile, QString());
}

void frmMain::mnuHelpAbout_Click()
{
    ancillary::frmAbout about(this);
    about.exec();
}
