#include "settings/record.h"
#include "support/window_fixture.h"
#include "widgets/project_state.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace vireo;
using vireo::test::randomBytes;
using vireo::test::readFile;
using vireo::test::writeFile;

namespace {

const QString kWrongBack = QStringLiteral("错误的BACK文件");

struct Rig : test::WindowFixture {
    QCheckBox* check() const { return window->findChild<QCheckBox*>("Check1"); }
    void import(const QString& path) {
        dialogs.choose(path);
        button("Command11")->click();
    }
    // The 23 boxes in record order.
    QStringList texts() const {
        QStringList list;
        for (const auto& field : settings::kColourFields) list << box(field.control)->text();
        for (const auto& field : settings::kPositionFields) list << box(field.control)->text();
        return list;
    }
};

// What the boxes show for a record: bytes 0-2, 4-6, 8-10, 16-29.
QStringList textsOf(const QByteArray& record) {
    QStringList list;
    for (int offset : {0, 1, 2, 4, 5, 6, 8, 9, 10, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29})
        list << QString::number(quint8(record[offset]));
    return list;
}

}  // namespace

class SettingsPanelTest : public QObject {
    Q_OBJECT

private slots:
    // Only a 32-byte BACK in the picture folder fills the panel; the one in
    // the current directory is never read.
    void verificationFillsThePanelAndToggles() {
        Rig rig;
        QFile::remove(rig.back());
        writeFile(rig.current.filePath("BACK"), randomBytes(32, 4));
        const QStringList defaults = rig.texts();
        rig.openSources();
        writeFile(rig.back(), randomBytes(33, 4));
        rig.openSources();
        QCOMPARE(rig.dialogs.messages, QStringList(2, kWrongBack));
        QCOMPARE(rig.texts(), defaults);
        QVERIFY(!rig.expanded());

        QByteArray record = randomBytes(32, 21);
        record[30] = 1;  // anything but 0 is on; 31 is never read
        record[31] = 0;
        writeFile(rig.back(), record);
        rig.openSources();
        QCOMPARE(rig.texts(), textsOf(record));
        QVERIFY(rig.check()->isChecked() && rig.expanded());

        record[30] = 0;
        record[31] = char(255);
        writeFile(rig.back(), record);
        rig.openSources();  // refills, then hides the panel
        QVERIFY(!rig.check()->isChecked() && !rig.expanded());
    }

    void importSwitchesTheTarget() {
        Rig rig;
        rig.openSources();
        QTemporaryDir elsewhere;
        const QString other = elsewhere.filePath("any name");
        writeFile(other, randomBytes(32, 33));
        rig.import(other);
        QCOMPARE(rig.dialogs.filters.last(), QStringLiteral("BACK(*.*) (*)"));
        QCOMPARE(rig.texts(), textsOf(readFile(other)));

        // A cancelled import keeps the edits and the target.
        rig.box("xwj1")->setText("201");
        rig.dialogs.cancel();
        rig.button("Command11")->click();
        rig.button("Command9")->click();
        QCOMPARE(quint8(readFile(other)[28]), 201);

        // Refused for its size: the panel stays and the verified folder's BACK is
        // the target again, even after a refused pick of another file elsewhere.
        rig.open(elsewhere.filePath("other.bmp"));
        const QByteArray elsewhereBack = randomBytes(32, 4);
        writeFile(elsewhere.filePath("BACK"), elsewhereBack);
        writeFile(elsewhere.filePath("short"), randomBytes(31, 3));
        const QStringList before = rig.texts();
        rig.import(elsewhere.filePath("short"));
        QCOMPARE(rig.dialogs.messages.last(), kWrongBack);
        QCOMPARE(rig.texts(), before);
        rig.button("Command9")->click();
        QCOMPARE(readFile(elsewhere.filePath("BACK")), elsewhereBack);
        QCOMPARE(readFile(rig.back()).mid(16, 14), readFile(other).mid(16, 14));
    }

    // A bad field is named and focused, for its form or its range.
    void badFieldIsNamedAndFocused() {
        Rig rig;
        rig.openSources();
        const QByteArray before = readFile(rig.back());
        rig.box("ywj1")->setText("abc");
        rig.button("Command9")->click();
        rig.box("Text8")->setText("256.5");
        rig.button("Command8")->click();
        QCOMPARE(rig.window->focusWidget(), rig.box("Text8"));
        QFile::remove(rig.current.filePath("ASCII"));
        rig.button("Command10")->click();
        QCOMPARE(rig.dialogs.messages.mid(0, 2),
                 QStringList({"文件列表 Y 轴数据不是数字，请输入0到255之间的整数",
                              "电子书文字颜色 G 分量数据超出范围，请输入0到255之间的整数"}));
        QVERIFY(rig.dialogs.messages.last().startsWith(QStringLiteral("ASCII文件找不到或大小不正确")));
        QCOMPARE(readFile(rig.back()), before);
    }

    // Resets write nothing and keep the flag; the defaults reach the file
    // through the write buttons only.
    void resetsThenWritesGiveTheDefaults() {
        Rig rig;
        QByteArray record(32, char(77));
        record[30] = 1;
        writeFile(rig.back(), record);
        rig.openSources();
        rig.button("Command6")->click();
        rig.button("Command5")->click();
        QCOMPARE(readFile(rig.back()), record);
        rig.button("Command8")->click();
        rig.button("Command9")->click();
        rig.button("Command10")->click();
        QCOMPARE(rig.dialogs.messages, QStringList(3, "done"));
        QCOMPARE(readFile(rig.back()).toHex(), QByteArray("0000ff4d0000004d0000004d4d4d4d4d"
                                                          "0c1a581aa41a0c565856a4561e1effff"));
    }

    // The boxes and the check box edit the project state; the state signals
    // only when its value changes.
    void boxesAndStateAreBoundBothWays() {
        Rig rig;
        QSignalSpy stateSpy(&rig.state(), &ui::ProjectState::fieldTextChanged);
        rig.box("Text1")->setText("9");
        rig.state().setFieldText(0, "9");
        QCOMPARE(stateSpy.size(), 1);
        rig.check()->click();
        QCOMPARE(rig.check()->isChecked(), rig.state().hintOn());
    }

    void paletteButtonOpensThePicker() {
        Rig rig;
        rig.button("Command13")->click();
        const auto windows = QApplication::topLevelWidgets();
        QVERIFY(std::any_of(windows.begin(), windows.end(),
                            [](QWidget* w) { return w->objectName() == "Form3" && w->isVisible(); }));
    }
};

QTEST_MAIN(SettingsPanelTest)
#include "tst_settings_panel.moc"
