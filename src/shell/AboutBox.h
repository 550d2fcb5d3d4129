#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;

namespace vantor {

// The about box: the program's picture and a link to the program's manual; a click on
// either opens the manual in the system's browser.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    // `address`: the manual's contents page (empty when the manual was not found).
    explicit TAboutBox(QUrl address, QWidget* parent = nullptr);

    QUrl address() const { return address_; }
    // The picture as decoded from its JPEG file.
    QImage picture() const { return picture_; }
    QLabel* ProgramIcon = nullptr;
    QLabel* Link = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QImage picture_;
    QUrl address_;
};

} // namespace vantor
