#include "shell/QtInteraction.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace vantor {

namespace {

// A box without a caption of its own carries the program's title.
QString TitleOr(const QString& caption) {
    return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}

QMessageBox::Icon ToQt(Interaction::Icon icon) {
    switch (icon) {
    case Interaction::Icon::Information:
        return QMessageBox::Information;
    case Interaction::Icon::Warning:
        return QMessageBox::Warning;
    case Interaction::Icon::Error:
        return QMessageBox::Critical;
    case Interaction::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtInteraction::showMessage(QWidget* parent, const QString& text, const QString& caption,
                                Icon icon) {
    QMessageBox box(ToQt(icon), TitleOr(caption), text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtInteraction::askYesNo(QWidget* parent, const QString& text, const QString& caption) {
    // A question without a caption shows an empty title bar. Qt hands the window system
    // the program's name in place of an empty title, so a blank one stands for it.
    QMessageBox box(QMessageBox::Question, caption.isEmpty() ? QStringLiteral(" ") : caption, text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

Interaction::Answer QtInteraction::askYesNoCancel(QWidget* parent, const QString& text,
                                                  const QString& caption) {
    QMessageBox box(QMessageBox::Question, TitleOr(caption), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString QtInteraction::chooseFileToOpen(QWidget* parent, const QString& directory,
                                        const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), directory, filter);
}

QString QtInteraction::chooseFileToSave(QWidget* parent, const QString& proposedName,
                                        const QString& filter) {
    return QFileDialog::getSaveFileName(parent, QString(), proposedName, filter);
}

QString QtInteraction::chooseFileAndFilterToSave(QWidget* parent, const QString& proposedName,
                                                 const QString& filters, QString& selectedFilter) {
    return QFileDialog::getSaveFileName(parent, QString(), proposedName, filters, &selectedFilter);
}

int QtInteraction::runDialog(QDialog& dialog) {
    return dialog.exec();
}

} // namespace vantor
