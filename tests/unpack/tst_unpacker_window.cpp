#include "images/bmp.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "unpack/short_skin.h"
#include "unpack/ui/unpacker_window.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace vireo;
using test::randomBytes;
using test::writeFile;

namespace {

// A fresh unpacker whose current directory holds the three templates.
struct Fixture {
    Fixture() : window(dialogs, templates.path()) {
        for (std::size_t i = 0; i < unpack::kTemplateNames.size(); ++i) {
            const auto size = unpack::pictureSizeOf(unpack::Template(i));
            writeFile(templates.filePath(unpack::kTemplateNames[i]), test::fromBytes(images::makeBmpHeader(size.width, size.height)));
        }
    }
    QString skin(const QString& name, int length) {
        writeFile(files.filePath(name), randomBytes(length, 1));
        return files.filePath(name);
    }
    QString text(const char* label) { return window.findChild<QLabel*>(label)->text(); }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }
    void open(const std::optional<QString>& path) {
        path ? dialogs.choose(*path) : dialogs.cancel();
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
    }
    test::ScriptedDialogs dialogs;
    QTemporaryDir templates, files;
    ui::UnpackerWindow window;
};

}  // namespace

class UnpackerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void refusalsBeforeAnyAcceptedFile() {
        Fixture f;
        f.open(std::nullopt);  // no choice yet: nothing at all
        QCOMPARE(f.dialogs.initialPaths, QStringList{"BACKIMG"});
        QCOMPARE(f.dialogs.filters, QStringList{"BACKIMG(*.*) (*)"});
        f.open(f.skin("backimg", 178720));  // other names: silent
        f.open(f.skin("BACKIMG.bin", 178720));
        f.open(f.skin("BACKIMG", 182816));  // the long layout
        QCOMPARE(f.dialogs.messages, QStringList{"错误的BACKIMG文件"});
        QVERIFY(!f.button("Command3")->isEnabled());
        QCOMPARE(f.text("Label7"), "电影图标坐标   X   Y");
    }

    // A cancel reads the accepted file again; a refused pick elsewhere leaves it
    // as the one restored, beside itself. (tst_disk_faults checks that the
    // templates come from the current directory and that a missing one is named.)
    void restoresTheLastAcceptedFile() {
        Fixture f;
        const QString accepted = f.skin("BACKIMG", 178720);
        f.open(accepted);
        QCOMPARE(f.text("Label1"), "文件位置：" + accepted);
        writeFile(accepted, QByteArray(178720, 7));
        f.open(std::nullopt);
        QCOMPARE(f.text("Label3"), "列表文字颜色   R= 7G= 7B= 7");

        QTemporaryDir other;
        writeFile(other.filePath("BACKIMG"), QByteArray(182816, 'x'));
        f.open(other.filePath("BACKIMG"));
        QCOMPARE(f.text("Label1"), "文件位置：" + accepted);
        QTest::mouseClick(f.button("Command3"), Qt::LeftButton);
        QCOMPARE(f.dialogs.messages.last(), "done!");
        QCOMPARE(QDir(f.files.path()).entryList(QDir::Files).size(), 1 + 11);
    }

    void doubleClickOnlyOnTheBackground_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("background") << "";
        for (const char* name : {"Label3", "Command3"}) QTest::newRow(name) << name;
    }
    void doubleClickOnlyOnTheBackground() {
        QFETCH(QString, target);
        Fixture f;
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QWidget* on = target.isEmpty() ? &f.window : f.window.findChild<QWidget*>(target);
        const QPoint at = target.isEmpty() ? QPoint(4, 240) : QPoint(4, 4);
        QCOMPARE(f.window.childAt(on->mapTo(&f.window, at)), target.isEmpty() ? nullptr : on);
        QTest::mouseDClick(on, Qt::LeftButton, {}, at);
        const QString hehe = QStringLiteral("orrin:点不出别的了，放弃吧!hehe");
        QCOMPARE(f.dialogs.messages, target.isEmpty() ? QStringList{hehe} : QStringList());
    }
};

QTEST_MAIN(UnpackerWindowTest)
#include "tst_unpacker_window.moc"
