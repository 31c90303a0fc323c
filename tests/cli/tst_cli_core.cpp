#include "cli/output_folder.h"
#include "cli/settings_edit.h"
#include "images/bmp.h"
#include "images/verification.h"
#include "skin/generation.h"
#include "skin/skin_layout.h"
#include "skin/unpacking.h"
#include "support/fixtures.h"

#include <QTest>

using namespace vireo;
using test::toBytes;

namespace {

Bytes part(const Bytes& bytes, std::size_t from, std::size_t to) {
    return Bytes(bytes.begin() + from, bytes.begin() + to);
}

}  // namespace

class CliCoreTest : public QObject {
    Q_OBJECT

private slots:
    void unpackThenBuildGivesTheSameSkin() {
        const skin::SkinFile original{skin::Layout::Skin, toBytes(test::randomBytes(skin::kSkinLength, 7))};
        QTemporaryDir dir;
        auto files = skin::unpackedFiles(original, std::nullopt);
        QVERIFY(files.ok());
        for (const auto& file : files.value()) {  // each made header gives its own picture's size
            if (file.name == "BACK") continue;
            const auto info = images::readBmpHeader(file.bytes);
            QVERIFY2(info.ok() && file.bytes.size() == 1078 + size_t(info.value().width * info.value().height),
                     file.name.c_str());
        }
        QVERIFY(cli::writeFilesInto(dir.path().toStdString() + "/new/folder", files.value()).ok());
        const QString folder = dir.path() + "/new/folder/";
        // The skin stores no palette for icons: they take their screen's.
        QCOMPARE(part(toBytes(test::readFile(folder + "help256.bmp")), 54, 1078), part(original.bytes, 0, 1024));
        QCOMPARE(part(toBytes(test::readFile(folder + "fu256.bmp")), 54, 1078), part(original.bytes, 59904, 60928));

        const auto run = images::verifySourceSet(folder.toStdString(), "/nowhere");
        QVERIFY2(run.passed(), run.report.c_str());
        const auto rebuilt = skin::assembleSkin({run.paths, run.settingsPath});
        QVERIFY(rebuilt.ok());
        QVERIFY(rebuilt.value() == original.bytes);
    }

    void settingValuesAreCheckedLikeThePanel_data() {
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<QString>("stored");   // offset:value pairs
        QTest::addColumn<QString>("problem");  // the field that failed, or the setting of the wrong form
        // Single values reach the file in the program's test.
        QTest::newRow("later wins") << QStringList{"game=1,1", "game=3,4"} << "22:3 23:4" << "";
        QTest::newRow("out of range") << QStringList{"music=1,2", "options=1,256"} << "" << "选项 Y 轴";
        QTest::newRow("too few parts") << QStringList{"selected-colour=1,2"} << "" << "selected-colour";
        QTest::newRow("too many parts") << QStringList{"filelist=1,2,3"} << "" << "filelist";
        QTest::newRow("flag word") << QStringList{"hint=yes"} << "" << "hint";
    }
    void settingValuesAreCheckedLikeThePanel() {
        QFETCH(QStringList, assignments);
        QFETCH(QString, stored);
        QFETCH(QString, problem);
        std::vector<cli::Assignment> parsed;
        for (const QString& text : assignments) {
            const auto parts = text.split('=');
            parsed.push_back({cli::findSetting(parts[0].toStdString()), parts[1].toStdString()});
            QVERIFY(parsed.back().setting);
        }
        const auto values = cli::valuesToStore(parsed, "x/BACK");
        if (!values) {
            QCOMPARE(values.error().kind, Error::Kind::Invalid);
            QCOMPARE(values.error().path, std::string("x/BACK"));
            QCOMPARE(QString::fromStdString(values.error().detail), problem);
            return;
        }
        QVERIFY(problem.isEmpty());
        QStringList pairs;
        for (const auto& value : values.value())
            pairs << QStringLiteral("%1:%2").arg(value.offset).arg(value.value);
        QCOMPARE(pairs.join(' '), stored);
    }
};

QTEST_GUILESS_MAIN(CliCoreTest)
#include "tst_cli_core.moc"
