#include "windows/inspector/frmPageInfo.h"

#include "page/CWebPageHV.h"
#include "platform/automation/OperationBudget.h"
#include "platform/ui/FormPosition.h"
#include "platform/ui/Twips.h"
#include "windows/ancillary/JapaneseFonts.h"
#include "windows/inspector/DesignedControls.h"
#include "windows/inspector/FilterPanel.h"
#include "windows/inspector/ItemColumns.h"
#include "windows/inspector/ItemListFill.h"
#include "windows/inspector/ItemListModel.h"
#include "windows/shared/GridSetup.h"
#include "windows/shared/ListGrid.h"
#include "windows/shared/StatusPanels.h"
#include "windows/shared/StatusTexts.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// Outer size below which a normal window is pulled back, in twips.
constexpr int kMinimumWidth = 11040;
constexpr int kMinimumHeight = 6990;
// Gap around the grid, the filter frame and the buttons, in twips.
constexpr int kMargin = 60;
// How often the window looks for the answer of a fill read under way.
constexpr std::chrono::milliseconds kFillPoll{10};

// Its place is kept beside the main window's.
const QString kPlacementName = u"PageInfo"_s;

QFont proportionalGothic(qreal points)
{
    QFont font(ancillary::kProportionalGothic);
    font.setPointSizeF(points);
    return font;
}

} // namespace

frmPageInfo::frmPageInfo(stores::ProgramSettings &rSettings, ui::UiServices &rUi, QWidget *parent)
    : QDialog(parent)
    , mSettings(rSettings)
    , mUi(rUi)
{
    setObjectName(u"frmPageInfo"_s);
    setWindowTitle(u"ページ情報"_s);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setSizeGripEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenus();
    buildClient();
    layout->addWidget(mClient, 1);
    buildStatusBar();

    tmrUpdate = new QTimer(this);
    tmrUpdate->setObjectName(u"tmrUpdate"_s);
    connect(tmrUpdate, &QTimer::timeout, this, &frmPageInfo::tmrUpdate_Timer);
    mFillTimer = new QTimer(this);
    mFillTimer->setInterval(kFillPoll);
    connect(mFillTimer, &QTimer::timeout, this, [this] {
        if (!mWebPage || mListBusy)
            return;
        QScopedValueRollback busy(mListBusy, true);
        const automation::OperationBudget budget;
        fillStep(std::chrono::milliseconds(0));
    });

    // Until it is left somewhere: most of the screen, for a list of many
    // rows and long texts, held to the minimum before it is centred.
    resize(screen()->availableGeometry().size() * 3 / 4);
    Form_Resize();
    Form_Load();
}

frmPageInfo::~frmPageInfo() = default;

void frmPageInfo::buildClient()
{
    mClient = new QWidget(this);
    // The controls stand where the resize rule puts them, not in a layout.
    mClient->installEventFilter(this);

    fgItem = new shared::ListGrid(mClient);
    fgItem->setObjectName(u"fgItem"_s);
    mItems = new inspector::ItemListModel(fgItem);
    fgItem->setRowsModel(mItems);
    mFill = std::make_unique<inspector::ItemListFill>(*mItems);
    fgItem->setFont(proportionalGothic(9));
    fgItem->setAccessibleName(u"アイテム一覧"_s);
    watchGrid();
    // The list is what the window is for: keys go to it first.
    fgItem->setFocus();

    fraFilter = new inspector::FilterPanel(mClient);
    connect(fraFilter, &inspector::FilterPanel::updateRequested, this, &frmPageInfo::cmdUpdateItem_Click);

    cmdUpdateItem = new QPushButton(u" 更  新 "_s, mClient);
    cmdUpdateItem->setObjectName(u"cmdUpdateItem"_s);
    inspector::Describe(*cmdUpdateItem, cmdUpdateItem->text(), u"Ctrl キーを押しながらクリックで強制更新"_s);
    inspector::PlaceInTwips(*cmdUpdateItem, 0, 0, 1020, 375);
    connect(cmdUpdateItem, &QPushButton::clicked, this, &frmPageInfo::cmdUpdateItem_Click);

    cmdCancel = new QPushButton(u"閉じる"_s, mClient);
    cmdCancel->setObjectName(u"cmdCancel"_s);
    cmdCancel->setFont(proportionalGothic(9.75));
    inspector::Describe(*cmdCancel, cmdCancel->text());
    inspector::PlaceInTwips(*cmdCancel, 0, 0, 1035, 375);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPageInfo::cmdCancel_Click);

    // Enter in a filter text must not press a button.
    cmdUpdateItem->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);

    // F5 is the Update button's key, wherever the focus is; Ctrl+F5 is its
    // Ctrl+click.
    auto *updateKey = new QAction(this);
    updateKey->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_F5)});
    connect(updateKey, &QAction::triggered, this, &frmPageInfo::cmdUpdateItem_Click);
    addAction(updateKey);
}

void frmPageInfo::buildStatusBar()
{
    auto *sbStatusBar = new QStatusBar(this);
    sbStatusBar->setObjectName(u"sbStatusBar"_s);
    sbStatusBar->setFont(proportionalGothic(9));
    sbStatusBar->setSizeGripEnabled(false);
    mStatusPanel = (new shared::StatusPanels(*sbStatusBar))->status();
    this->layout()->addWidget(sbStatusBar);
}

void frmPageInfo::Form_Load()
{
    RestoreFormPosition(*this, kPlacementName, 0, mSettings);
    mFirstActivate = true;

    shared::SetListGridStyle(*fgItem, 11, 1);
    shared::SetupFixedColumn(*fgItem, 0, 480, u"No"_s);
    int col = 1;
    for (const inspector::ItemColumn &column : inspector::kItemColumns) {
        shared::SetupColumn(*fgItem, col, 1000, column.caption, Qt::AlignLeft | Qt::AlignVCenter);
        fgItem->setCellData(0, col, column.key);
        ++col;
    }

    tmrUpdate->start(100);
}

void frmPageInfo::SetIeWnd(const automation::ObjectPtr &rIe)
{
    mWebPage = std::make_unique<CWebPageHV>(mSettings, mUi);
    mWebPage->SetWebPage(rIe);
}

bool frmPageInfo::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(event);
}

// Every way of closing hides the window, and only a shown window tells its
// place. A store that cannot be written is reported when the program ends.
void frmPageInfo::setVisible(bool visible)
{
    if (!visible && isVisible())
        SaveFormPosition(*this, kPlacementName, mSettings);
    QDialog::setVisible(visible);
}

void frmPageInfo::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

bool frmPageInfo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mClient) {
        if (event->type() == QEvent::Resize && !(windowState() & Qt::WindowMinimized))
            placeControls();
        return false;
    }
    if (watched == fgItem || watched == fgItem->viewport() || watched == fgItem->horizontalHeader()->viewport())
        return fgItem_Event(watched, event);
    return QDialog::eventFilter(watched, event);
}

// Only the minimum is held here; the controls follow the client area.
void frmPageInfo::Form_Resize()
{
    ui::HoldMinimumOuterSize(*this, kMinimumWidth, kMinimumHeight);
}

// The grid takes what the filter frame leaves; the two buttons stand at the
// grid's right edge, one above the other, sharing the Close button's left edge.
void frmPageInfo::placeControls()
{
    const int marginX = ui::TwipsToPixelsX(*this, kMargin);
    const int marginY = ui::TwipsToPixelsY(*this, kMargin);
    const int gridLeft = marginX;
    const int gridTop = marginY;
    const int gridWidth = std::max(0, mClient->width() - gridLeft - marginX);
    const int gridHeight = std::max(0, mClient->height() - gridTop - fraFilter->height() - 2 * marginY);
    fgItem->setGeometry(gridLeft, gridTop, gridWidth, gridHeight);
    // Rows that came into view are filled now, not at the next tick.
    fillRowsInView();
    fraFilter->move(gridLeft, gridTop + gridHeight + marginY);
    cmdUpdateItem->move(gridLeft + gridWidth - cmdCancel->width(), fraFilter->y());
    cmdCancel->move(cmdUpdateItem->x(), cmdUpdateItem->y() + cmdUpdateItem->height() + marginY);
}

void frmPageInfo::showWhetherAnswering(const PageCheck &check)
{
    if (check.outcome == PageCheck::Outcome::NoAnswer) {
        if (!mStatusBeforeNoAnswer)
            mStatusBeforeNoAnswer = mStatusPanel->text();
        setStatus(QStringView(shared::kBrowserNotAnsweringText).toString() + check.failure->summary());
    } else if (mStatusBeforeNoAnswer) {
        setStatus(*std::exchange(mStatusBeforeNoAnswer, std::nullopt));
    }
}
