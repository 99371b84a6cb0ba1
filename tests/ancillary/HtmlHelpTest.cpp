#include "windows/ancillary/HtmlHelp.h"

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ancillary;

namespace {

// Stands in for the user's viewer.
class Viewer : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};

class Help : public ::testing::Test
{
protected:
    void SetUp() override { QDesktopServices::setUrlHandler(u"file"_s, &viewer, "open"); }
    void TearDown() override { QDesktopServices::unsetUrlHandler(u"file"_s); }

    Viewer viewer;
};

} // namespace

TEST_F(Help, ContentsOpenTheHelpFileEvenWhenItIsMissing)
{
    EXPECT_TRUE(ShowHelpContents(nullptr, u"/nowhere/Vorlane.html"_s));
    ASSERT_EQ(viewer.opened.size(), 1);
    EXPECT_EQ(viewer.opened[0], QUrl::fromLocalFile(u"/nowhere/Vorlane.html"_s));
}

TEST_F(Help, IndexOpensTheIndexPageBesideTheHelpFileAtTheKeyword)
{
    ShowHelpIndex(nullptr, u"/opt/ヘルプ/Vorlane.html"_s, {});
    ShowHelpIndex(nullptr, u"/opt/ヘルプ/Vorlane.html"_s, u"表示 フィルター#1"_s);
    ASSERT_EQ(viewer.opened.size(), 2);
    EXPECT_EQ(viewer.opened[0], QUrl::fromLocalFile(u"/opt/ヘルプ/Vorlane-index.html"_s));
    EXPECT_FALSE(viewer.opened[0].hasFragment());
    EXPECT_EQ(viewer.opened[1].toLocalFile(), u"/opt/ヘルプ/Vorlane-index.html"_s);
    EXPECT_EQ(viewer.opened[1].fragment(), u"表示 フィルター#1"_s);
}

#include "HtmlHelpTest.moc"
