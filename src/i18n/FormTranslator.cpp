#include "i18n/FormTranslator.h"

#include "i18n/StringId.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <cstring>

namespace vantor {

int ParseStringId(const QString& text) {
    return ParseStringId(std::string_view(text.toUtf8()));
}

HintParts SplitHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {hint, hint};
    return {hint.left(bar), hint.mid(bar + 1)};
}

namespace {

// Combo boxes whose items are values, not captions.
bool KeepsItsItems(const QString& name) {
    return name == QLatin1String("ComboTypGradient") || name == QLatin1String("cbStylKreski") ||
           name == QLatin1String("PenNameBox") || name == QLatin1String("Size");
}

class Translation {
public:
    explicit Translation(const StringLookup& stringOf) : stringOf_(stringOf) {}

    QString text(const QString& stored) const { return stringOf_(ParseStringId(stored)); }
    HintParts hint(const QString& stored) const { return SplitHint(text(stored)); }

    void widgetHint(QWidget& w) const {
        const HintParts parts = hint(w.toolTip());
        w.setToolTip(parts.shortHint);
        w.setStatusTip(parts.longHint);
    }

    void action(QAction& a) const {
        const QString storedHint = a.toolTip();
        a.setText(text(a.text()));
        // Without a tool tip of its own an action reports its text as tool tip; that
        // tool tip changed with the text just set, and the action carries no hint.
        const bool hasHint = a.toolTip() == storedHint;
        const HintParts parts = hint(hasHint ? storedHint : QString());
        a.setToolTip(parts.shortHint);
        a.setStatusTip(parts.longHint);
    }

    void page(QWidget& page, QStackedWidget& stack) const {
        auto* tabs = qobject_cast<QTabWidget*>(stack.parentWidget());
        const int tab = tabs ? tabs->indexOf(&page) : -1;
        if (tab >= 0) {
            tabs->setTabText(tab, text(tabs->tabText(tab)));
            const HintParts parts = hint(tabs->tabToolTip(tab));
            tabs->setTabToolTip(tab, parts.shortHint);
            page.setStatusTip(parts.longHint);
            return;
        }
        page.setProperty(PageCaptionProperty, text(page.property(PageCaptionProperty).toString()));
        widgetHint(page);
    }

    void tree(QTreeWidget& tree) const {
        for (QTreeWidgetItemIterator it(&tree); *it; ++it)
            (*it)->setText(0, text((*it)->text(0)));
    }

    void combo(QComboBox& combo) const {
        if (KeepsItsItems(combo.objectName()))
            return;
        for (int i = 0; i < combo.count(); ++i)
            combo.setItemText(i, text(combo.itemText(i)));
    }

    void component(QObject& object) const {
        const char* const className = object.metaObject()->className();
        const auto is = [className](const char* name) {
            return std::strcmp(className, name) == 0;
        };

        if (is("QAction")) {
            action(static_cast<QAction&>(object));
        } else if (is("QMenu")) {
            action(*static_cast<QMenu&>(object).menuAction());
        } else if (is("QPushButton") || is("QCheckBox")) {
            auto& button = static_cast<QAbstractButton&>(object);
            button.setText(text(button.text()));
            widgetHint(button);
        } else if (is("QToolButton")) {
            auto& button = static_cast<QToolButton&>(object);
            if (button.defaultAction())
                return;
            button.setText(text(button.text()));
            widgetHint(button);
        } else if (is("QLabel")) {
            auto& label = static_cast<QLabel&>(object);
            if (label.pixmap().isNull())
                label.setText(text(label.text()));
            widgetHint(label);
        } else if (is("QGroupBox")) {
            auto& group = static_cast<QGroupBox&>(object);
            group.setTitle(text(group.title()));
            widgetHint(group);
        } else if (is("QLineEdit")) {
            widgetHint(static_cast<QLineEdit&>(object));
        } else if (is("QWidget")) {
            auto& widget = static_cast<QWidget&>(object);
            if (auto* stack = qobject_cast<QStackedWidget*>(widget.parentWidget()))
                page(widget, *stack);
        } else if (is("QTreeWidget")) {
            tree(static_cast<QTreeWidget&>(object));
        } else if (is("QComboBox")) {
            combo(static_cast<QComboBox&>(object));
        } else if (is("QToolBar") || is("QDockWidget")) {
            auto& window = static_cast<QWidget&>(object);
            window.setWindowTitle(text(window.windowTitle()));
            widgetHint(window);
        }
    }

    void descendants(const QObject& parent) const {
        // A copy: translating may create or re-parent Qt's own helper objects.
        const QObjectList children = parent.children();
        for (QObject* child : children) {
            if (child->property(TranslatedFormProperty).toBool())
                continue;
            const QString name = child->objectName();
            if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
                component(*child);
            descendants(*child);
        }
    }

private:
    const StringLookup& stringOf_;
};

} // namespace

void TranslateComponents(QWidget& form, const StringLookup& stringOf) {
    const Translation translation(stringOf);
    form.setWindowTitle(translation.text(form.windowTitle()));
    translation.descendants(form);
}

} // namespace vantor
