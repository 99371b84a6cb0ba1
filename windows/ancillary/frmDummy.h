#pragma once

#include <QColor>
#include <QDialog>
#include <QFileDialog>

class QLabel;

namespace ancillary {

// Shows a colour or file dialog where the caller places this window. Set
// Tag ("ShowSave", "ShowLoad", anything else for the colour dialog) and the
// values, exec() it, and read the values back: the dialog opens as soon as
// the window is shown and the window hides when the dialog closes.
class frmDummy : public QDialog
{
    Q_OBJECT

public:
    explicit frmDummy(QWidget *parent = nullptr);

    QString Tag;
    QColor mColor{Qt::black}; // in: preselected; out: the colour chosen
    QString mFileName;        // in: proposed; out: the file chosen
    QString mFilter;          // description|patterns pairs, see CommonDialogFilter.h

    // Each leaves its value alone when the user cancels, then hides the
    // window; the result is Accepted when the user confirmed.
    void ShowColor();
    void ShowSave();
    void ShowLoad();

protected:
    void showEvent(QShowEvent *event) override;

private:
    using FileQuestion = decltype(&QFileDialog::getOpenFileName);

    void ShowTaggedDialog();
    void ShowFileDialog(FileQuestion vAsk);
    void Finish(bool vConfirmed);

    QLabel *Label1;
};

} // namespace ancillary
