#include "app/ui/main_window.h"
#include "settings/record.h"
#include "settings/ui/settings_panel.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace vireo;
using vireo::test::randomBytes;
using vireo::test::readFile;
using vireo::test::writeFile;

namespace {

const QString kWrongBack = QStringLiteral("错误的BACK文件");
const QString kDone = QStringLiteral("done");

// The panel's boxes in record order: the nine colours, then the fourteen positions.
QStringList boxNames() {
    QStringList names;
    for (const auto& field : settings::kColourFields) names << QString::fromLatin1(field.control);
    for (const auto& field : settings::kPositionFields) names << QString::fromLatin1(field.control);
    return names;
}

QList<int> boxOffsets() {
    QList<int> offsets;
    for (const auto& field : settings::kColourFields) offsets << field.offset;
    for (const auto& field : settings::kPositionFields) offsets << field.offset;
    return offsets;
}

// A picture folder, a current directory with the identity table, and the main window.
struct Rig {
    test::SourceFolder source;
    QTemporaryDir current;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<ui::MainWindow> window;

    Rig() {
        QByteArray table(256, '\0');
        for (int i = 0; i < 256; ++i) table[i] = char(i);
        writeFile(current.filePath(QStringLiteral("ASCII")), table);
        window = std::make_unique<ui::MainWindow>(dialogs, current.path());
    }

    QString back() const { return source.path(QStringLiteral("BACK")); }

    template <typename T = QWidget>
    T* find(const QString& name) const {
        T* widget = window->findChild<T*>(name);
        if (!widget) qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }
    void click(const char* button) { find<QPushButton>(QString::fromLatin1(button))->click(); }

    void openSources() {
        dialogs.choose(source.path(QStringLiteral("main256.bmp")));
        click("Command1");
    }
    void import(const QString& path) {
        dialogs.choose(path);
        click("Command11");
    }

    QStringList texts() const {
        QStringList list;
        for (const QString& name : boxNames()) list << box(name)->text();
        return list;
    }
    bool expanded() const { return window->height() == ui::MainWindow::kExpandedHeight; }
};

QStringList textsOf(const QByteArray& record) {
    QStringList list;
    for (int offset : boxOffsets()) list << QString::number(quint8(record[offset]));
    return list;
}

}  // namespace

class SettingsPanelTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheDefaults();
    void verificationFillsThePanelAndToggles();
    void loadRefusesAWrongLengthBack();
    void loadWithoutAFolderBackChangesNothing();
    void importSwitchesTheTarget();
    void cancelledImportKeepsEdits();
    void writesStoreTheirGroup_data();
    void writesStoreTheirGroup();
    void badFieldIsNamedAndFocused();
    void missingTableWritesNothing();
    void resetsWriteNothingAndKeepTheFlag();
    void paletteButtonAsksForThePicker();
};

void SettingsPanelTest::startsWithTheDefaults() {
    Rig rig;
    QCOMPARE(rig.texts(), (QStringList{"0", "0", "255", "0", "0", "0", "0", "0", "0",  //
                                       "12", "26", "88", "26", "164", "26", "12", "86", "88", "86",
                                       "164", "86", "30", "30"}));
    QVERIFY(!rig.find<QCheckBox>("Check1")->isChecked());
    // Every control lies inside its frame.
    for (const char* frame : {"Frame1", "Frame2", "Frame3"}) {
        QWidget* f = rig.find(QString::fromLatin1(frame));
        for (QWidget* child : f->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(f->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
}

void SettingsPanelTest::verificationFillsThePanelAndToggles() {
    Rig rig;
    QByteArray record = randomBytes(32, 21);
    record[30] = 1;  // any value but 0 is on
    record[31] = 0;
    writeFile(rig.back(), record);

    rig.openSources();
    QCOMPARE(rig.texts(), textsOf(record));
    QVERIFY(rig.find<QCheckBox>("Check1")->isChecked());
    QVERIFY(rig.expanded());
    QVERIFY(rig.dialogs.messages.isEmpty());

    // A second run refills the panel and hides it again.
    record[30] = 0;
    record[31] = char(255);
    writeFile(rig.back(), record);
    rig.openSources();
    QVERIFY(!rig.find<QCheckBox>("Check1")->isChecked());
    QVERIFY(!rig.expanded());
}

void SettingsPanelTest::loadRefusesAWrongLengthBack() {
    Rig rig;
    writeFile(rig.back(), randomBytes(33, 2));
    const QStringList before = rig.texts();
    rig.openSources();  // the length check fails, the load still runs
    QCOMPARE(rig.dialogs.messages, QStringList{kWrongBack});
    QCOMPARE(rig.texts(), before);
    QVERIFY(!rig.expanded());
}

void SettingsPanelTest::loadWithoutAFolderBackChangesNothing() {
    Rig rig;
    QFile::remove(rig.back());
    writeFile(rig.current.filePath(QStringLiteral("BACK")), randomBytes(32, 4));
    const QStringList before = rig.texts();
    rig.openSources();  // passes on the current directory's BACK
    QVERIFY(rig.find<QPushButton>("Command2")->isEnabled());
    QCOMPARE(rig.dialogs.messages, QStringList{kWrongBack});
    QCOMPARE(rig.texts(), before);
    QVERIFY(!rig.expanded());
}

void SettingsPanelTest::importSwitchesTheTarget() {
    Rig rig;
    rig.openSources();
    const QByteArray folderBack = readFile(rig.back());

    QTemporaryDir elsewhere;
    const QString other = elsewhere.filePath(QStringLiteral("any name.bin"));
    const QByteArray otherRecord = randomBytes(32, 33);
    writeFile(other, otherRecord);
    rig.import(other);
    QCOMPARE(rig.dialogs.filters.last(), QStringLiteral("BACK(*.*) (*)"));
    QCOMPARE(rig.dialogs.initialPaths.last(), rig.back());
    QCOMPARE(rig.texts(), textsOf(otherRecord));
    QVERIFY(rig.expanded());  // an import leaves the toggle alone

    rig.box("xwj1")->setText(QStringLiteral("201"));
    rig.box("ywj1")->setText(QStringLiteral("102"));
    rig.click("Command9");
    QCOMPARE(rig.dialogs.messages, QStringList{kDone});
    QCOMPARE(quint8(readFile(other)[28]), quint8(201));
    QCOMPARE(quint8(readFile(other)[29]), quint8(102));
    QCOMPARE(readFile(rig.back()), folderBack);

    // A refused import leaves the panel and makes the folder's BACK the target again.
    const QString shortFile = elsewhere.filePath(QStringLiteral("short"));
    writeFile(shortFile, randomBytes(31, 3));
    const QStringList before = rig.texts();
    rig.import(shortFile);
    QCOMPARE(rig.dialogs.messages.last(), kWrongBack);
    QCOMPARE(rig.texts(), before);
    const QByteArray otherNow = readFile(other);
    rig.click("Command9");
    QCOMPARE(readFile(other), otherNow);
    QCOMPARE(quint8(readFile(rig.back())[28]), quint8(201));
}

void SettingsPanelTest::cancelledImportKeepsEdits() {
    Rig rig;
    rig.openSources();
    rig.box("xdy1")->setText(QStringLiteral("99"));
    rig.dialogs.cancel();
    rig.click("Command11");
    QVERIFY(rig.dialogs.messages.isEmpty());
    QCOMPARE(rig.box("xdy1")->text(), QStringLiteral("99"));
    rig.click("Command9");
    QCOMPARE(quint8(readFile(rig.back())[16]), quint8(99));
}

void SettingsPanelTest::writesStoreTheirGroup_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("stored");

    QTest::newRow("colour 12.9 floors") << "Text5" << "12.9" << "Command8" << 5 << 12;
    QTest::newRow("colour 255.5 floors") << "Text9" << "255.5" << "Command8" << 10 << 255;
    QTest::newRow("position 12.9 rounds") << "yxx1" << "12.9" << "Command9" << 27 << 13;
    QTest::newRow("position 12.5 to even") << "xdzs11" << " 12.5 " << "Command9" << 24 << 12;
}

void SettingsPanelTest::writesStoreTheirGroup() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, button);
    QFETCH(int, offset);
    QFETCH(int, stored);
    Rig rig;
    rig.openSources();
    const QByteArray before = readFile(rig.back());
    rig.box(box)->setText(text);
    rig.find<QPushButton>(button)->click();
    QCOMPARE(rig.dialogs.messages, QStringList{kDone});

    // Every other byte of the group keeps its loaded value; nothing outside it moves.
    QByteArray expected = before;
    expected[offset] = char(stored);
    QCOMPARE(readFile(rig.back()), expected);

    rig.find<QCheckBox>("Check1")->setChecked(true);
    rig.click("Command10");
    expected[30] = expected[31] = char(255);
    QCOMPARE(readFile(rig.back()), expected);
}

void SettingsPanelTest::badFieldIsNamedAndFocused() {
    Rig rig;
    rig.openSources();
    const QByteArray before = readFile(rig.back());
    rig.box("xdy1")->setText(QStringLiteral("7"));
    rig.box("ywj1")->setText(QStringLiteral("abc"));
    rig.click("Command9");
    QCOMPARE(rig.dialogs.messages,
             QStringList{QStringLiteral("文件列表 Y 轴数据不是数字，请输入0到255之间的整数")});
    QCOMPARE(rig.window->focusWidget(), rig.box("ywj1"));
    QCOMPARE(readFile(rig.back()), before);  // not even the good first field

    rig.box("Text3")->setText(QStringLiteral("-0.5"));
    rig.click("Command8");
    QCOMPARE(rig.dialogs.messages.last(),
             QStringLiteral("列表文字颜色 B 分量数据超出范围，请输入0到255之间的整数"));
    QCOMPARE(rig.window->focusWidget(), rig.box("Text3"));
    QCOMPARE(readFile(rig.back()), before);
}

void SettingsPanelTest::missingTableWritesNothing() {
    Rig rig;
    rig.openSources();
    QFile::remove(rig.current.filePath(QStringLiteral("ASCII")));
    const QByteArray before = readFile(rig.back());
    rig.click("Command10");
    QCOMPARE(rig.dialogs.messages.size(), 1);
    QVERIFY(rig.dialogs.messages[0].startsWith(QStringLiteral("ASCII文件找不到或大小不正确")));
    QCOMPARE(readFile(rig.back()), before);

    // A settings file of the wrong length is refused as well.
    writeFile(rig.current.filePath(QStringLiteral("ASCII")), QByteArray(256, '\0'));
    writeFile(rig.back(), before + "x");
    rig.click("Command8");
    QVERIFY(rig.dialogs.messages.last().startsWith(QStringLiteral("BACK文件找不到或大小不正确")));
    QCOMPARE(readFile(rig.back()), before + "x");
}

void SettingsPanelTest::resetsWriteNothingAndKeepTheFlag() {
    Rig rig;
    QByteArray record(32, char(77));
    record[30] = 1;
    writeFile(rig.back(), record);
    rig.openSources();
    rig.click("Command6");
    rig.click("Command5");
    QCOMPARE(rig.texts(), Rig().texts());
    QVERIFY(rig.find<QCheckBox>("Check1")->isChecked());
    QCOMPARE(readFile(rig.back()), record);
    QVERIFY(rig.dialogs.messages.isEmpty());

    // The defaults reach the file through the write button.
    rig.click("Command9");
    const QByteArray written = readFile(rig.back());
    const int defaults[] = {12, 26, 88, 26, 164, 26, 12, 86, 88, 86, 164, 86, 30, 30};
    for (int i = 0; i < 14; ++i) QCOMPARE(quint8(written[16 + i]), quint8(defaults[i]));
    QCOMPARE(written.left(16), record.left(16));
    QCOMPARE(written.mid(30), record.mid(30));
}

void SettingsPanelTest::paletteButtonAsksForThePicker() {
    Rig rig;
    auto* panel = rig.window->findChild<ui::SettingsPanel*>();
    QVERIFY(panel);
    QSignalSpy spy(panel, &ui::SettingsPanel::paletteRequested);
    QCOMPARE(panel->Command13->text(), QStringLiteral("调色板(&P)"));
    panel->Command13->click();
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(SettingsPanelTest)
#include "test_settings_panel.moc"
