#include "core/messages/doctor_text.h"
#include "core/messages/error_text.h"
#include "core/messages/settings_write_text.h"
#include "support/fixtures.h"

#include <QTest>

using namespace vireo;
using skin::Finding;
using skin::ProblemCode;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

class DoctorTextTest : public QObject {
    Q_OBJECT

private slots:
    void findingSentences_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("fix");
        const auto row = [](const char* name, ProblemCode code, const char* actual,
                            const char* message, const char* fix) {
            QTest::newRow(name) << int(code) << QString(actual) << QString(message) << QString(fix);
        };
        const char* const import = "把该文件放进文件夹，或用 import 从图片生成";
        const char* const convert = "用 convert 转换成 8 位 BMP";
        const char* const rewrite = "用 convert 无损重写为不压缩的 BMP";
        row("unreadable", ProblemCode::Missing, "EIO", "a.bmp 无法读取（EIO）", import);
        row("empty", ProblemCode::NotBmp, "empty", "a.bmp 是空文件，不是 BMP", convert);
        row("png", ProblemCode::NotBmp, "PNG", "a.bmp 实际是 PNG 文件，不是 BMP", convert);
        row("named method", ProblemCode::Compressed, "RLE8", "a.bmp 使用了压缩（RLE8），应为不压缩",
            rewrite);
        row("numbered method", ProblemCode::Compressed, "11",
            "a.bmp 使用了压缩（方式 11），应为不压缩", rewrite);
    }

    void findingSentences() {
        QFETCH(int, code);
        QFETCH(QString, actual);
        const Finding finding{ProblemCode(code), actual.toStdString(), {}};
        const ProblemText text = describeFinding("a.bmp", finding);
        QTEST(q(text.message), "message");
        QTEST(q(text.fix), "fix");
    }

    void settingsFileHasItsOwnFix() {
        const Finding length{ProblemCode::WrongLength, "31", "32"};
        Finding fifo{ProblemCode::NotAFile, {}, {}};
        fifo.fileType = Error::FileType::Fifo;
        QCOMPARE(q(describeSettingsFinding("BACK", fifo).fix),
                 QStringLiteral("换成 32 字节的设置文件，或删去它，让 import 写入默认设置"));
        QCOMPARE(q(describeFinding("BACK", length).fix),
                 QStringLiteral("用 convert 重写为标准 8 位 BMP"));
        QCOMPARE(q(doctorLine("BACK", length, true)),
                 QStringLiteral("BACK: BACK 的长度为 31 字节，应为 32 字节 — "
                                "换成 32 字节的设置文件，或删去它，让 import 写入默认设置"));
    }

    void lineMarksWarningsAndEscapesTheName() {
        Finding contrast{ProblemCode::LowContrast, {}, {}};
        contrast.ratio = 1.999;
        contrast.text = skin::TextRole::Ebook;
        // A name with a line break cannot start a new line of the report.
        QCOMPARE(q(doctorLine("B\nK", contrast, true)),
                 QStringLiteral("B\\nK: 警告：B\\nK 中电子书文字的颜色与电子书画面背景的对比度只有 "
                                "1.99:1，低于 3:1，不易看清 — "
                                "把文字颜色调得更亮或更暗，或换一张与它反差更大的背景"));
        contrast.text = skin::TextRole::Selected;
        const std::string line = doctorLine("B\nK", contrast, true);
        QVERIFY(q(line).contains(QStringLiteral("选中文字的颜色与目录画面背景")));
        const Finding missing{ProblemCode::Missing, {}, {}};
        QCOMPARE(q(doctorLine("a\x1b.bmp", missing, false)),
                 QStringLiteral(
                     "a\\x1b.bmp: a\\x1b.bmp 不存在 — 把该文件放进文件夹，或用 import 从图片生成"));
    }

    void slotVerdicts() {
        const std::vector<Finding> two{{ProblemCode::NotBmp, "PNG", {}},
                                       {ProblemCode::IconColoursDiffer, "7", {}}};
        QCOMPARE(q(slotVerdictLine("x.bmp", two)),
                 QStringLiteral("x.bmp 实际是 PNG 文件，不是 BMP（另有 1 项）"));
        const auto details = slotVerdictDetails("x.bmp", two);
        QCOMPARE(details.size(), std::size_t(2));
        QCOMPARE(q(details[1]),
                 QStringLiteral("x.bmp 有 7 个像素的颜色与播放器所用背景调色板中的颜色不同 — "
                                "在工作台中点该图标的“重新映射”或其背景的“映射图标”，"
                                "或重新放入原图"));
    }

    void reasonCodes_data() {
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("words");
        const auto row = test::textRow;
        row("palette", "no-palette", "无法读取此 BMP 的调色板");
        row("same source", "same-source-as: art/Main.png", "与 art/Main.png 对应同一个源文件");
        row("size", "wrong-size: 241×160 240×160", "尺寸为 241×160，应为 240×160");
        row("fit", "needs-fit: 1×2 64×64",
            "图片尺寸为 1×2，应为 64×64（可用 --fit cover|contain|stretch 缩放）");
        row("size without sizes", "wrong-size: 1", "wrong-size: 1");
        row("too large", "larger-than: 65536", "超过 65536 字节的上限");
        row("project", "nothing-to-undo", "没有可以撤销的步骤");
        row("system words", "Input/output error", "Input/output error");
    }

    void reasonCodes() {
        QFETCH(QString, detail);
        QTEST(q(reasonWords(detail.toStdString())), "words");
        const Error refused{Error::Kind::Invalid, "/p.bmp", detail.toStdString()};
        QTEST(q(describeWithReason(refused)).section(QChar(0xFF08), 1).chopped(1), "words");
    }

    // A wrong length says it all; the system's own words for a failed read are added.
    void reasonOnlyWhereItSaysMore() {
        const Error length{Error::Kind::WrongLength, "/p", "33 bytes, not 32"};
        QCOMPARE(q(describeWithReason(length)), QStringLiteral("文件大小错误：/p"));
        const Error read{Error::Kind::Read, "/p", "Input/output error", Error::Cause::Other};
        QCOMPARE(q(describeWithReason(read)),
                 QStringLiteral("读取文件出错：/p（Input/output error）"));
    }

    // What the settings panel says of a failed write, by what failed.
    void settingsPanelWriteSentences() {
        const auto back = [](Error::Kind kind) {
            return q(settingsWriteMessage({kind, "/a/BACK", ""}));
        };
        const auto table = [](Error::Kind kind) {
            return q(byteTableWriteMessage({kind, "/t/ASCII", ""}));
        };
        QCOMPARE(back(Error::Kind::NotFound),
                 QStringLiteral("BACK文件找不到或大小不正确，不能写入：/a/BACK"));
        QCOMPARE(back(Error::Kind::WrongLength), back(Error::Kind::NotFound));
        QCOMPARE(back(Error::Kind::Open), QStringLiteral("无法打开BACK文件，不能写入：/a/BACK"));
        QCOMPARE(back(Error::Kind::Write), QStringLiteral("写入BACK文件出错：/a/BACK"));
        QCOMPARE(table(Error::Kind::ShortRead),
                 QStringLiteral("ASCII文件找不到或大小不正确，不能写入：/t/ASCII"));
        QCOMPARE(table(Error::Kind::Open), QStringLiteral("无法读取ASCII文件，不能写入：/t/ASCII"));
    }
};

QTEST_APPLESS_MAIN(DoctorTextTest)
#include "tst_doctor_text.moc"
