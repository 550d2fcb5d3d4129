// The object window's summary grid under fonts of any size.
#include "i18n/LanguageSession.h"
#include "support/ScriptedInteraction.h"
#include "support/TestMain.h"
#include "toolwindows/ObjectWindow.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QtTest>

using namespace vantor;
using test::ScriptedInteraction;

namespace {

// Every row of the grid lies wholly inside its viewport and is as tall as a line of its
// font; the message names the first that is not.
QString HiddenRow(const QTableWidget& grid) {
    const int bottom = grid.viewport()->height();
    for (int row = 0; row < grid.rowCount(); ++row) {
        const int top = grid.rowViewportPosition(row);
        if (top < 0 || top + grid.rowHeight(row) > bottom)
            return QStringLiteral("row %1 at %2..%3, viewport %4")
                .arg(row)
                .arg(top)
                .arg(top + grid.rowHeight(row))
                .arg(bottom);
        if (grid.rowHeight(row) < grid.fontMetrics().height())
            return QStringLiteral("row %1 lower than its font").arg(row);
    }
    return {};
}

} // namespace

class TestObjectWindow : public QObject {
    Q_OBJECT

private slots:
    void everySummaryRowIsVisible_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("points");
        QTest::newRow("the desktop's font") << QString() << 0;
        QTest::newRow("a large font") << "DejaVu Sans" << 16;
        QTest::newRow("a tall monospace") << "Noto Sans Mono" << 13;
        QTest::newRow("a small font") << "Liberation Sans" << 6;
    }

    void everySummaryRowIsVisible() {
        QFETCH(QString, family);
        QFETCH(int, points);
        const QFont desktop = QApplication::font();
        const auto restore = qScopeGuard([&desktop] { QApplication::setFont(desktop); });
        if (points > 0)
            QApplication::setFont(QFont(family, points));
        ScriptedInteraction interaction;
        LanguageSession language(interaction, QCoreApplication::applicationDirPath() + "/..");
        TFormObject window(language, interaction);
        QVERIFY(window.FormCreate());
        window.resize(250, 900);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableWidget& grid = *window.grid;
        QCOMPARE(grid.rowCount(), 7);
        QVERIFY2(HiddenRow(grid).isEmpty(), qPrintable(HiddenRow(grid)));

        // A font changed while the program runs (the desktop's settings) is followed too.
        QFont larger = grid.font();
        larger.setPointSizeF(larger.pointSizeF() * 1.5);
        window.setFont(larger);
        QTRY_VERIFY2(HiddenRow(grid).isEmpty(), qPrintable(HiddenRow(grid)));
    }
};

VANTOR_TEST_MAIN(TestObjectWindow)
#include "tst_object_window.moc"
