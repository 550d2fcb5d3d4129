#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;

namespace vantor {

// The about box: the program's picture and a link to its web page; a click on either
// opens the page in the system's browser.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    static QUrl webPage();
    // The picture as decoded from its JPEG file.
    QImage picture() const { return picture_; }
    QLabel* ProgramIcon = nullptr;
    QLabel* Link = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QImage picture_;
};

} // namespace vantor
