#include "app/ui/main_window.h"
#include "support/scripted_dialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace vireo;

namespace {

QList<QWidget*> shown(const QString& name) {
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) found << w;
    return found;
}

}  // namespace

class SecondaryWindows : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void doubleClickOpensOneUnpacker_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("background") << "";
        QTest::newRow("fmain1") << "fmain1";
    }
    void doubleClickOpensOneUnpacker() {
        QFETCH(QString, target);
        test::ScriptedDialogs dialogs;
        ui::MainWindow main(dialogs, QDir::tempPath());
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QWidget* on = target.isEmpty() ? &main : main.findChild<QWidget*>(target);
        const QPoint at = target.isEmpty() ? QPoint(560, 10) : QPoint(2, 2);
        QTest::mouseDClick(on, Qt::LeftButton, {}, at);
        QTest::mouseDClick(on, Qt::LeftButton, {}, at);
        QCOMPARE(shown("Form2").size(), target.isEmpty() ? 1 : 0);
    }

    void pickerOpensOnceAndStartsAfreshEachTime() {
        test::ScriptedDialogs dialogs;
        ui::MainWindow main(dialogs, QDir::tempPath());
        main.showColourPicker();
        QPointer<QWidget> first = shown("Form3").value(0);
        first->findChild<QLineEdit*>("RGBNumber1")->setText("99");
        main.showColourPicker();
        QCOMPARE(shown("Form3"), QList<QWidget*>{first.data()});
        QTest::mouseClick(first->findChild<QPushButton*>("OkButton"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        main.showColourPicker();
        QCOMPARE(shown("Form3")[0]->findChild<QLineEdit*>("RGBNumber1")->text(), "0");
    }

    // Exit closes every window; the main window's frame closes only itself.
    void exitClosesEveryWindow() {
        test::ScriptedDialogs dialogs;
        ui::MainWindow main(dialogs, QDir::tempPath());
        main.show();
        main.showUnpacker();
        main.close();
        QCOMPARE(shown("Form2").size(), 1);
        main.show();
        main.showColourPicker();
        QTest::mouseClick(main.findChild<QPushButton*>("Command3"), Qt::LeftButton);
        QVERIFY(shown("Form1").isEmpty() && shown("Form2").isEmpty() && shown("Form3").isEmpty());
    }
};

QTEST_MAIN(SecondaryWindows)
#include "tst_secondary_windows.moc"
