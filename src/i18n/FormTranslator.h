#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace vantor {

// Gives the library string of an identifier (empty when the library has none).
using StringLookup = std::function<QString(int id)>;

// The identifier of a form text (see ParseStringId in StringId.h).
int ParseStringId(const QString& text);

// A hint split at its first '|': the short part (tool tip) and the long part (status
// tip); a hint without '|' is both.
struct HintParts {
    QString shortHint;
    QString longHint;
};
HintParts SplitHint(const QString& hint);

// Dynamic property that marks a widget as a form translating itself; the walk below does
// not enter such a widget inside another form, so no text is translated twice.
inline constexpr char TranslatedFormProperty[] = "vantorTranslatedForm";
// Dynamic property holding the caption of a page in a QStackedWidget (a page without tab).
inline constexpr char PageCaptionProperty[] = "caption";

// Replaces every tagged text of `form` by the string its identifier selects:
// the form's window title, then every named descendant (objectName not empty and not
// starting with "qt_", which marks Qt's own parts) in a pre-order walk of the object tree,
// children in the order they were given their parent. Each component is matched by its
// exact class name, a subclass does not match:
//   QPushButton, QCheckBox   text, hint
//   QToolButton              text, hint; skipped when it has a default action, which it follows
//   QAction                  text, hint (menus and buttons showing the action follow it)
//   QMenu                    its menu action's text (the title) and hint
//   QLabel                   text, hint; a label showing a picture: hint only
//   QGroupBox                title, hint
//   QLineEdit                hint only
//   QWidget page             of a QTabWidget: tab text and tab tool tip (long part in the
//                            page's status tip); of a plain QStackedWidget: the caption in
//                            the PageCaptionProperty, the hint in its tool tip
//   QTreeWidget              column 0 of every item, in pre-order
//   QComboBox                every item, unless the object is named exactly
//                            "ComboTypGradient", "cbStylKreski", "PenNameBox" or "Size"
//   QToolBar, QDockWidget    window title, hint
// A hint is read from the tool tip, where the form stores "short|long@id"; afterwards the
// tool tip holds the short part and the status tip the long one. A text without an
// identifier becomes string 0, which no library defines: empty.
void TranslateComponents(QWidget& form, const StringLookup& stringOf);

} // namespace vantor
