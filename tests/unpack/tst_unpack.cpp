// The unpacker's core over files and over bytes in memory (both read the same
// record, restore the same bytes and refuse the same inputs) and its window.
#include "core/images/bmp.h"
#include "core/messages/skin_info_text.h"
#include "core/unpack/restoration.h"
#include "core/unpack/short_skin.h"
#include "core/unpack/skin_info.h"
#include "gui/unpack/unpacker_window.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace vireo;
using test::randomBytes;
using test::readFile;
using test::toBytes;
using test::writeFile;

namespace {

QByteArray madeHeader(unpack::Template header) {
    return test::fromBytes(unpack::madeTemplate(header));
}

// Skin, templates and outputs in three folders, so that they cannot be mixed
// up; the skin's folder holds decoy templates that must not be used.
struct Restore {
    Restore() {
        writeFile(skinPath, skin);
        for (int i = 0; i < 3; ++i) {
            templates[i] = madeHeader(unpack::Template(i)) +
                           randomBytes(10 * i, 20 + i);  // only 54 bytes count
            writeFile(templateDir.filePath(unpack::kTemplateNames[i]), templates[i]);
            writeFile(skinDir.filePath(unpack::kTemplateNames[i]), randomBytes(54, 90 + i));
        }
    }
    Result<void> run() const {
        return unpack::restoreBmps(skinPath.toStdString(), templateDir.path().toStdString(),
                                   outDir.path().toStdString());
    }
    QString out(const QString& name) const { return outDir.filePath(name); }
    QTemporaryDir skinDir, templateDir, outDir;
    QString skinPath = skinDir.filePath("BACKIMG");
    QByteArray skin = randomBytes(178720, 7);
    QByteArray templates[3];
};

// A fresh unpacker whose current directory holds the three templates.
struct Fixture {
    Fixture() : window(dialogs, templates.path()) {
        for (int i = 0; i < 3; ++i)
            writeFile(templates.filePath(unpack::kTemplateNames[i]),
                      madeHeader(unpack::Template(i)));
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

class UnpackTest : public QObject {
    Q_OBJECT

private slots:
    // The record is the last 32 bytes; the icon positions sit at 15 to 26.
    void inspectionReadsTheRecordIntoLabelTexts() {
        QTemporaryDir dir;
        const QString path = dir.filePath("BACKIMG");
        QByteArray bytes(178720, char(0xFF));
        const char record[] =
            "\xFF\x00\x10\xFF\xFF\xFF\xFF\xFF\x05\x00\x00\xFF\xFF\xFF\xFF"
            "\x0C\x28\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xC8\x00\xFF\xFF\xFF\x01";
        bytes.replace(178688, 32, QByteArray(record, 32));
        writeFile(path, bytes);
        const auto texts = skinInfoTexts(unpack::inspectSkin(path.toStdString()).value(), "/a b");
        const std::pair<int, const char*> expected[] = {
            {0, "列表文字颜色   R= 255G= 0B= 16"}, {2, "电子书文字颜色 R= 5G= 0B= 0"},
            {3, "主界面提示文字已开启"},           {4, "电影图标坐标   X= 12 Y= 40"},
            {9, "文件夹图标坐标 X= 200 Y= 0"},     {10, "文件位置：/a b"}};
        for (const auto& [label, text] : expected) QCOMPARE(texts[label], std::string(text));
        QCOMPARE(skinInfoTexts(unpack::inspectSkin(toBytes(bytes), "").value(), "/a b"), texts);

        writeFile(path, bytes + 'x');
        QCOMPARE(unpack::inspectSkin(path.toStdString()).error().kind, Error::Kind::WrongLength);
        QCOMPARE(unpack::inspectSkin(toBytes(bytes.left(178719)), "x/BACKIMG").error().path,
                 std::string("x/BACKIMG"));
    }

    void restoresEveryFileByteForByte() {
        // Name, template, palette offset, pixel offset, pixel length.
        const std::tuple<const char*, int, int, int, int> rows[] = {
            {"main256.bmp", 2, 0, 1024, 38400},
            {"movie256.bmp", 1, 0, 39424, 4096},
            {"music256.bmp", 1, 0, 43520, 4096},
            {"ebook256.bmp", 1, 0, 47616, 4096},
            {"about256.bmp", 1, 0, 51712, 4096},
            {"help256.bmp", 1, 0, 55808, 4096},
            {"tree_main256.bmp", 2, 59904, 60928, 38400},
            {"ft256.bmp", 0, 59904, 99328, 256},
            {"fu256.bmp", 0, 59904, 99584, 256},
            {"ebook_main256.bmp", 2, 99840, 100864, 38400},
            {"music_main256.bmp", 2, 139264, 140288, 38400},
        };
        Restore r;
        writeFile(r.out("main256.bmp"), QByteArray(50000, char(0xAA)));  // replaced whole
        QVERIFY(r.run());
        QCOMPARE(QDir(r.outDir.path()).entryList(QDir::Files).size(), 11);
        for (const auto& [name, header, palette, pixels, length] : rows)
            QVERIFY2(readFile(r.out(name)) == r.templates[header].left(54) +
                                                  r.skin.mid(palette, 1024) +
                                                  r.skin.mid(pixels, length),
                     name);
    }

    // Both the files' and the bytes' restoration refuse, naming the input.
    void badInputWritesNothing_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("length");         // -1: removed
        QTest::addColumn<QByteArray>("header");  // replaces the template when given
        QTest::newRow("skin one byte short") << "BACKIMG" << 178719 << QByteArray();
        QTest::newRow("skin one byte long") << "BACKIMG" << 178721 << QByteArray();
        QTest::newRow("16×16 template removed") << "BMPHEAD16" << -1 << QByteArray();
        QTest::newRow("240×160 template of 53 bytes") << "BMPHEAD256" << 53 << QByteArray();
        // A header that lies about the pictures it heads.
        QTest::newRow("240×161 header for the backgrounds")
            << "BMPHEAD256" << 0 << test::fromBytes(images::makeBmpHeader(240, 161));
        QByteArray fourBits = madeHeader(unpack::Template::Head64);
        fourBits[28] = 4;
        QTest::newRow("64×64 header of 4 bits") << "BMPHEAD64" << 0 << fourBits;
        // A sound 64×64 8-bit core header: the player reads only the 40-byte one.
        QByteArray os2 = madeHeader(unpack::Template::Head64);
        os2.replace(14, 12,
                    QByteArray::fromHex("0c000000400040000100"
                                        "0800"));
        QTest::newRow("12-byte OS/2 core header") << "BMPHEAD64" << 0 << os2;
    }
    void badInputWritesNothing() {
        QFETCH(QString, file);
        QFETCH(int, length);
        QFETCH(QByteArray, header);
        Restore r;
        const QString path = file == "BACKIMG" ? r.skinPath : r.templateDir.filePath(file);
        if (!header.isEmpty())
            writeFile(path, header);
        else if (length < 0)
            QVERIFY(QFile::remove(path));
        else
            writeFile(path, readFile(path).leftJustified(length, 'x', true));
        QCOMPARE(QString::fromStdString(r.run().error().path), path);
        QVERIFY(QDir(r.outDir.path()).isEmpty());

        std::array<Bytes, 3> templates;
        for (int i = 0; i < 3; ++i)
            templates[i] = toBytes(readFile(r.templateDir.filePath(unpack::kTemplateNames[i])));
        const auto files = unpack::restoredFiles(toBytes(readFile(r.skinPath)), templates);
        QCOMPARE(QString::fromStdString(files.error().path), file);
    }

    // Exactly the bottom-up headers the tool makes itself (tst_images
    // checks those field by field).
    void shippedTemplatesAreMadeHeaders() {
        const std::tuple<const char*, int, int> shipped[] = {
            {"BMPHEAD16", 16, 16}, {"BMPHEAD64", 64, 64}, {"BMPHEAD256", 240, 160}};
        for (const auto& [name, width, height] : shipped)
            QCOMPARE(toBytes(readFile(QStringLiteral(VIREO_DATA_DIR "/") + name)),
                     images::makeBmpHeader(width, height));
    }

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
    }

    // A cancel reads the accepted file again; a refused pick elsewhere leaves it
    // as the one restored, beside itself. (tst_data_files checks where the
    // templates are looked for.)
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

    // Only the window's own background answers a double click.
    void doubleClickOnlyOnTheBackground() {
        Fixture f;
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QTest::mouseDClick(f.window.findChild<QWidget*>("Label3"), Qt::LeftButton, {}, {4, 4});
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(f.window.childAt(4, 240), nullptr);
        QTest::mouseDClick(&f.window, Qt::LeftButton, {}, {4, 240});
        QCOMPARE(f.dialogs.messages,
                 QStringList{QStringLiteral("orrin:点不出别的了，放弃吧!hehe")});
    }
};

QTEST_MAIN(UnpackTest)
#include "tst_unpack.moc"
