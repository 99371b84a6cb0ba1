#include "tests/ancillary/ModalAnswer.h"
#include "windows/ancillary/frmDummy.h"

#include <QColorDialog>
#include <QFileInfo>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace ancillary;

namespace {

class Dummy : public ::testing::Test
{
protected:
    frmDummy dummy;
    QTemporaryDir folder;
};

} // namespace

TEST_F(Dummy, AnEmptyTagOpensTheColourDialogAtTheGivenColour)
{
    dummy.mColor = QColor(10, 20, 30);
    QColor offered;
    AnswerWhenOpen<QColorDialog>([&](QColorDialog &dialog) {
        offered = dialog.currentColor();
        dialog.setCurrentColor(QColor(200, 100, 50));
        dialog.accept();
    });
    EXPECT_EQ(dummy.exec(), QDialog::Accepted);
    EXPECT_EQ(offered, QColor(10, 20, 30));
    EXPECT_EQ(dummy.mColor, QColor(200, 100, 50));
    EXPECT_FALSE(dummy.isVisible());

    // Cancelled: the colour stays, and the window still hides.
    AnswerWhenOpen<QColorDialog>([](QColorDialog &dialog) { dialog.reject(); });
    EXPECT_EQ(dummy.exec(), QDialog::Rejected);
    EXPECT_EQ(dummy.mColor, QColor(200, 100, 50));
}

TEST_F(Dummy, LoadOffersEveryFileTypeAndCancellingKeepsTheFileName)
{
    dummy.Tag = u"ShowLoad"_s;
    dummy.mFilter = u"テキスト (*.txt)|*.txt|すべてのファイル (*.*)|*.*"_s;
    dummy.mFileName = folder.filePath(u"before.txt"_s);
    QStringList offered;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptSave;
    AnswerWhenOpen<QFileDialog>([&](QFileDialog &dialog) {
        offered = dialog.nameFilters();
        mode = dialog.acceptMode();
        dialog.reject();
    });
    EXPECT_EQ(dummy.exec(), QDialog::Rejected);
    EXPECT_EQ(offered, (QStringList{u"テキスト (*.txt)"_s, u"すべてのファイル (*)"_s}));
    EXPECT_EQ(mode, QFileDialog::AcceptOpen);
    EXPECT_EQ(dummy.mFileName, folder.filePath(u"before.txt"_s));
}

TEST_F(Dummy, SaveReturnsTheChosenFile)
{
    dummy.Tag = u"ShowSave"_s;
    const QString chosen = folder.filePath(u"ページ.txt"_s);
    AnswerWhenOpen<QFileDialog>([&](QFileDialog &dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        // A focused name box ignores selectFile.
        dialog.findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(QFileInfo(chosen).fileName());
        static_cast<QDialog &>(dialog).accept(); // the file dialog's own is protected
    });
    dummy.mFileName = folder.filePath(u"before.txt"_s);
    EXPECT_EQ(dummy.exec(), QDialog::Accepted);
    EXPECT_EQ(dummy.mFileName, chosen);
}
