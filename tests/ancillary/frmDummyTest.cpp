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

TEST_F(Dummy, LoadAndSaveReturnTheChosenFile)
{
    const QString existing = folder.filePath(u"ページ.txt"_s);
    QFile(existing).open(QIODevice::WriteOnly);
    const QString fresh = folder.filePath(u"new.txt"_s);
    const std::pair<QString, QString> cases[] = {{u"ShowLoad"_s, existing}, {u"ShowSave"_s, fresh}};
    for (const auto &[tag, chosen] : cases) {
        dummy.Tag = tag;
        dummy.mFileName.clear();
        AnswerWhenOpen<QFileDialog>([&](QFileDialog &dialog) {
            dialog.selectFile(chosen);
            // A focused name box ignores selectFile.
            if (auto *name = dialog.findChild<QLineEdit *>(u"fileNameEdit"_s))
                name->setText(QFileInfo(chosen).fileName());
            static_cast<QDialog &>(dialog).accept(); // the file dialog's own is protected
        });
        EXPECT_EQ(dummy.exec(), QDialog::Accepted) << tag.toStdString();
        EXPECT_EQ(dummy.mFileName, chosen) << tag.toStdString();
    }
}
