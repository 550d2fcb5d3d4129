#pragma once

#include "interaction/Interaction.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>
#include <climits>
#include <random>

namespace vantor::test {

// Answers every modal interaction at random from a seeded generator, so that a run is
// replayed exactly from its seed: questions get any of their answers, dialogs are
// filled with values that are often sensible and sometimes not, then accepted or
// rejected, and file dialogs name files in `folder` (the designs there, a damaged one
// among them, a missing one, the folder itself) or nothing. Nothing ever blocks. Every answer is
// appended to `trace`.
class RandomInteraction final : public Interaction {
public:
    RandomInteraction(quint32 seed, const QString& folder) : random_(seed), folder_(folder) {
        QDir(folder_).mkpath(QStringLiteral("."));
        QFile junk(path(QStringLiteral("junk.kfx")));
        if (junk.open(QIODevice::WriteOnly)) {
            QByteArray bytes(int(below(300)), '\0');
            for (char& byte : bytes)
                byte = char(below(256));
            junk.write(bytes);
        }
    }

    int below(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T& pick(const QList<T>& items) {
        return items[below(int(items.size()))];
    }

    // A value for an integer field: mostly a plausible size, sometimes zero, negative,
    // huge or one of the field's ends.
    int fieldValue(int minimum, int maximum) {
        const int kind = below(100);
        long long value = 0;
        if (kind < 65)
            value = 1 + below(300);
        else if (kind < 75)
            value = below(4);
        else if (kind < 82)
            value = -below(200);
        else if (kind < 92)
            value = 1000 + below(100'000);
        else
            value = chance(50) ? minimum : maximum;
        return int(std::clamp<long long>(value, minimum, maximum));
    }

    void showMessage(QWidget*, const QString& text, const QString& caption, Icon) override {
        note(QStringLiteral("message \"%1\" [%2]").arg(text, caption));
        ++messages;
    }
    bool askYesNo(QWidget*, const QString& text, const QString&) override {
        const bool yes = chance(50);
        note(QStringLiteral("question \"%1\": %2").arg(text, yes ? "Yes" : "No"));
        return yes;
    }
    Answer askYesNoCancel(QWidget*, const QString& text, const QString&) override {
        const Answer answer = pick(QList<Answer>{Answer::Yes, Answer::No, Answer::Cancel});
        note(QStringLiteral("question \"%1\": %2")
                 .arg(text, QStringList{"Yes", "No", "Cancel"}[int(answer)]));
        return answer;
    }
    QString chooseFileToOpen(QWidget*, const QString&, const QString&) override {
        const int kind = below(10);
        const QStringList designs =
            QDir(folder_).entryList({QStringLiteral("*.kfx")}, QDir::Files, QDir::Name);
        QString name;
        if (kind < 6 && !designs.isEmpty())
            name = path(pick(designs));
        else if (kind == 6)
            name = folder_;
        else if (kind == 7)
            name = path(QStringLiteral("missing/none.kfx"));
        note(QStringLiteral("open dialog: \"%1\"").arg(name));
        return name;
    }
    QString chooseFileToSave(QWidget*, const QString&, const QString& filter) override {
        const int kind = below(10);
        QString name;
        if (kind < 6)
            name = path(pick(SavedNames));
        else if (kind == 6)
            name = path(pick(SavedNames) + QStringLiteral(".kfx"));
        else if (kind == 7)
            name = path(QStringLiteral("missing/d.kfx")); // a folder that does not exist
        // Other outputs than designs get their own names, so that they never overwrite one.
        if (!name.isEmpty() && !filter.contains(QStringLiteral(".kfx")))
            name += QStringLiteral(".out");
        note(QStringLiteral("save dialog: \"%1\"").arg(name));
        return name;
    }
    // The parameters dialog gets random fields and OK or Cancel (a refused OK is followed
    // by Cancel); a print dialog is always cancelled, as no test can drive a printer;
    // any other dialog gets a random choice and is accepted or rejected.
    int runDialog(QDialog& dialog) override {
        int result = QDialog::Rejected;
        if (dialog.objectName() == QLatin1String("FormParametry")) {
            result = answerParameters(dialog);
        } else if (qobject_cast<QPrintDialog*>(&dialog) == nullptr && chance(60)) {
            if (auto* list = qobject_cast<QInputDialog*>(&dialog))
                list->setTextValue(
                    list->comboBoxItems().value(below(int(list->comboBoxItems().size()))));
            if (auto* colours = qobject_cast<QColorDialog*>(&dialog))
                colours->setCurrentColor(QColor::fromRgb(QRgb(below(1 << 24))));
            result = QDialog::Accepted;
        }
        note(QStringLiteral("dialog %1: %2")
                 .arg(dialog.objectName().isEmpty() ? dialog.metaObject()->className()
                                                    : dialog.objectName(),
                      result == QDialog::Accepted ? "accepted" : "rejected"));
        return result;
    }

    QStringList trace;
    int messages = 0;

private:
    static inline const QStringList SavedNames{"a", "b", "c"};

    QString path(const QString& name) const { return folder_ + QLatin1Char('/') + name; }
    void note(const QString& text) { trace << QStringLiteral("    ") + text; }

    int answerParameters(QDialog& dialog) {
        dialog.setResult(QDialog::Rejected); // as a modal run starts
        for (QSpinBox* spin : dialog.findChildren<QSpinBox*>())
            if (spin->isEnabled() && chance(60))
                spin->setValue(fieldValue(spin->minimum(), spin->maximum()));
        for (QDoubleSpinBox* field : dialog.findChildren<QDoubleSpinBox*>())
            if (field->isEnabled() && chance(60))
                field->setValue(fieldValue(int(field->minimum()), int(field->maximum())) +
                                (chance(30) ? below(100) / 100.0 : 0.0));
        if (auto* caption = dialog.findChild<QLineEdit*>("eCaption"); caption && chance(20))
            caption->setText(pick(QStringList{"", "Żółć", "x", QString(300, QLatin1Char('w'))}));
        if (auto* material = dialog.findChild<QComboBox*>("seMaterial");
            material && material->count() > 0 && chance(30)) {
            const int index = below(material->count());
            material->setCurrentIndex(index);
            emit material->activated(index);
        }
        if (auto* compute = dialog.findChild<QPushButton*>("bOblicz"); compute && chance(20))
            compute->click();
        if (chance(75))
            dialog.findChild<QPushButton*>("btnOK")->click();
        if (dialog.result() != QDialog::Accepted)
            dialog.findChild<QPushButton*>("BitBtn2")->click();
        return dialog.result();
    }

    std::mt19937 random_;
    QString folder_;
};

} // namespace vantor::test
