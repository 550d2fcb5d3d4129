#include "shell/HelpWindow.h"

#include "shell/Manual.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vantor {

namespace {
constexpr int ManualMissingText = 6504;
}

HelpWindow::HelpWindow(LanguageSession& language, Language manualLanguage, QString manualFolder,
                       QWidget* parent)
    : TAdvForm(language, parent, Qt::Window), manualLanguage_(manualLanguage),
      manualFolder_(std::move(manualFolder)), texts_(*this, "HelpText", {ManualMissingText}) {
    setObjectName("HelpWindow");
    setWindowTitle(Tagged(6500));
    resize(900, 700);

    bHelpBack = new QPushButton(Tagged(6501), this);
    bHelpBack->setObjectName("bHelpBack");
    bHelpForward = new QPushButton(Tagged(6502), this);
    bHelpForward->setObjectName("bHelpForward");
    bHelpContents = new QPushButton(Tagged(6503), this);
    bHelpContents->setObjectName("bHelpContents");
    for (QPushButton* button : {bHelpBack, bHelpForward, bHelpContents})
        button->setAutoDefault(false);
    bHelpBack->setEnabled(false);
    bHelpForward->setEnabled(false);

    HelpBrowser = new QTextBrowser(this);
    HelpBrowser->setObjectName("HelpBrowser");
    HelpBrowser->setOpenExternalLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bHelpBack);
    buttons->addWidget(bHelpForward);
    buttons->addWidget(bHelpContents);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(HelpBrowser, 1);

    connect(bHelpBack, &QPushButton::clicked, HelpBrowser, &QTextBrowser::backward);
    connect(bHelpForward, &QPushButton::clicked, HelpBrowser, &QTextBrowser::forward);
    connect(bHelpContents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(HelpBrowser, &QTextBrowser::backwardAvailable, bHelpBack, &QWidget::setEnabled);
    connect(HelpBrowser, &QTextBrowser::forwardAvailable, bHelpForward, &QWidget::setEnabled);
}

bool HelpWindow::FormCreate() {
    return TranslateForm();
}

QUrl HelpWindow::contentsPage() const {
    return ManualPage(manualFolder_, manualLanguage_);
}

void HelpWindow::showContents() {
    const QUrl contents = contentsPage();
    if (contents.isEmpty()) {
        // Without its files the window says so instead of showing an empty page.
        HelpBrowser->setHtml(
            QStringLiteral("<p>%1</p>").arg(texts_(ManualMissingText).toHtmlEscaped()));
        return;
    }
    HelpBrowser->setSource(contents);
}

void HelpWindow::showManual() {
    if (HelpBrowser->source().isEmpty())
        showContents();
    show();
    raise();
    activateWindow();
}

} // namespace vantor
