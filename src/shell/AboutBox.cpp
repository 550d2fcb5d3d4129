#include "shell/AboutBox.h"

#include <QDesktopServices>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantor {

TAboutBox::TAboutBox(QUrl address, QWidget* parent)
    : QDialog(parent), address_(std::move(address)) {
    setObjectName("AboutBox");
    setWindowTitle("Vantor  ver. 1.0");
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    setAutoFillBackground(true);

    QImageReader reader(QStringLiteral(":/about.jpg"), "jpeg");
    picture_ = reader.read();

    auto* layout = new QVBoxLayout(this);
    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setPixmap(QPixmap::fromImage(picture_));
    ProgramIcon->setCursor(Qt::PointingHandCursor);
    ProgramIcon->installEventFilter(this);
    layout->addWidget(ProgramIcon, 0, Qt::AlignHCenter);

    // The manual's page by the file it is in, as the user would look for it.
    const QString shown = address_.isLocalFile() ? QDir::toNativeSeparators(address_.toLocalFile())
                                                 : address_.toString();
    Link = new QLabel(QStringLiteral("<u>%1</u>").arg(shown.toHtmlEscaped()), this);
    Link->setObjectName("Link");
    Link->setStyleSheet(QStringLiteral("color: navy;"));
    Link->setToolTip(QString::fromUtf8("zapraszamy na naszą stronę"));
    Link->setCursor(Qt::PointingHandCursor);
    Link->installEventFilter(this);
    layout->addWidget(Link, 0, Qt::AlignHCenter);
    // Without a manual there is nowhere to go.
    Link->setVisible(!address_.isEmpty());

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == ProgramIcon || watched == Link) &&
        event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (!address_.isEmpty())
            QDesktopServices::openUrl(address_);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vantor
