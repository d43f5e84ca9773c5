#include "platform/window.h"

#include <QPaintEvent>
#include <QTest>

namespace {

// Collects the areas the window repaints.
class PaintSpy : public QObject
{
public:
    QRegion painted;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

} // namespace

class TestLineShape : public QObject
{
    Q_OBJECT
private slots:
    void everyChangeRepaintsWhereTheLineWas_data();
    void everyChangeRepaintsWhereTheLineWas();
};

void TestLineShape::everyChangeRepaintsWhereTheLineWas_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("hidden") << "hide";
    QTest::newRow("moved") << "move";
    QTest::newRow("pen narrowed") << "pen";
}

void TestLineShape::everyChangeRepaintsWhereTheLineWas()
{
    QFETCH(QString, change);
    platform::Window window(QStringLiteral("lines"), QSize(300, 200), Qt::black);
    platform::LineShape *line = window.addLine(Qt::red);
    line->setPoints(QPointF(20, 100), QPointF(120, 100));
    line->setPenWidth(6);
    line->setVisible(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PaintSpy spy;
    window.installEventFilter(&spy);
    // Let the first paints of the new window pass.
    QCoreApplication::processEvents();
    spy.painted = QRegion();

    if (change == QLatin1String("hide"))
        line->setVisible(false);
    else if (change == QLatin1String("move"))
        line->setPoints(QPointF(20, 150), QPointF(120, 150));
    else
        line->setPenWidth(1);
    QCoreApplication::processEvents();
    QVERIFY(spy.painted.contains(QRect(20, 97, 100, 6)));
    QVERIFY(!spy.painted.contains(QRect(200, 20, 50, 20)));
}

QTEST_MAIN(TestLineShape)
#include "test_line_shape.moc"
