#include "windows/main/frmMain.h"

#include "platform/ui/FormPosition.h"
#include "platform/ui/Twips.h"
#include "windows/ancillary/JapaneseFonts.h"
#include "windows/main/IeListRow.h"
#include "windows/main/MainGlobals.h"
#include "windows/shared/GridSetup.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/MainFormParts.h"
#include "windows/shared/StatusPanels.h"

#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <type_traits>

using namespace Qt::StringLiterals;

namespace {

// Outer size below which a normal window is pulled back, in twips.
constexpr int kMinimumWidth = 10230;
constexpr int kMinimumHeight = 5000;
// Client size as designed, in twips.
constexpr int kDesignWidth = 7185;
constexpr int kDesignHeight = 5340;
// Gap around the grid, in twips.
constexpr int kGridMargin = 60;

struct IeListColumn
{
    QString key;
    QString caption;
    int width;
};

} // namespace

frmMain::frmMain(ShellWindowsFactory newShellWindows, SettingsVariables &rSettings, QWidget *parent)
    : QMainWindow(parent)
    , mNewShellWindows(std::move(newShellWindows))
    , mSettings(rSettings)
{
    setObjectName(u"frmMain"_s);
    setWindowTitle(u"Vorlane"_s);
    // The tool bar is part of the window, not something to hide.
    setContextMenuPolicy(Qt::PreventContextMenu);

    buildMenus();
    buildToolBar();
    buildStatusBar();

    auto *client = new QWidget(this);
    auto *layout = new QVBoxLayout(client);
    const int marginX = ui::TwipsToPixelsX(*this, kGridMargin);
    const int marginY = ui::TwipsToPixelsY(*this, kGridMargin);
    layout->setContentsMargins(marginX, marginY, marginX, marginY);
    fgIeList = new shared::ListGrid(client);
    fgIeList->setObjectName(u"fgIeList"_s);
    QFont font(ancillary::kProportionalGothic);
    font.setPointSizeF(9.75);
    fgIeList->setFont(font);
    fgIeList->setAccessibleName(u"ﾌﾞﾗｳｻﾞ一覧"_s);
    layout->addWidget(fgIeList);
    watchGrid();
    setCentralWidget(client);

    tmrUpdate = new QTimer(this);
    tmrUpdate->setObjectName(u"tmrUpdate"_s);
    connect(tmrUpdate, &QTimer::timeout, this, &frmMain::tmrUpdate_Timer);

    mParts = std::make_unique<shared::MainFormParts>(mStatusPanel, picGridCell);

    resize(ui::TwipsToPixels(*this, kDesignWidth, kDesignHeight));
    // Held to the minimum before it is centred, so it opens centred.
    Form_Resize();
    Form_Load();
}

void frmMain::buildStatusBar()
{
    QStatusBar *sbStatusBar = statusBar();
    sbStatusBar->setObjectName(u"sbStatusBar"_s);
    mStatusPanel = (new shared::StatusPanels(*sbStatusBar))->status();
    mStatusPanel->setText(u"ｽﾃｰﾀｽ"_s);
    mStatusPanel->setToolTip(u"ｽﾃｰﾀｽ"_s);
}

frmMain::~frmMain()
{
    // The gateway never outlives the window that made it, closed or not.
    gWebBrowser.reset();
    if (gMainForm == this)
        gMainForm = nullptr;
}

void frmMain::Form_Load()
{
    RestoreFormPosition(*this, u"Main"_s, 0);

    const IeListColumn columns[] = {
        {u"Click"_s, u"詳細"_s, 720},
        {u"Status"_s, u"状態"_s, 800},
        {u"URL"_s, u"アドレス"_s, 2000},
        {u"LocationName"_s, u"タイトル"_s, 3000},
        {u"hWnd"_s, u"ハンドラー"_s, 1200},
        {u"Type"_s, u"タイプ"_s, 1200},
    };
    static_assert(std::extent_v<decltype(columns)> == ielist::ColumnCount - ielist::DetailColumn);
    shared::SetListGridStyle(*fgIeList, ielist::ColumnCount, 1);
    shared::SetupFixedColumn(*fgIeList, 0, 400, u"No"_s);
    int col = ielist::DetailColumn;
    for (const IeListColumn &column : columns) {
        shared::SetupColumn(*fgIeList, col, column.width, column.caption, Qt::AlignLeft | Qt::AlignVCenter);
        fgIeList->setCellData(0, col, column.key);
        ++col;
    }

    tmrUpdate->start(200);
    gWebBrowser = std::make_unique<CWebBrowserHV>(mNewShellWindows());
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

// The grid's place follows from the layout; only the minimum is ours.
void frmMain::Form_Resize()
{
    ui::HoldMinimumOuterSize(*this, kMinimumWidth, kMinimumHeight);
}
