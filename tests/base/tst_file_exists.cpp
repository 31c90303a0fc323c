#include "base/file_exists.h"
#include "support/fixtures.h"

#include <QDir>
#include <QTest>

#include <cstring>
#include <iostream>

using vireo::FileExists;

class TestFileExists : public QObject {
    Q_OBJECT

private slots:
    void answersForEveryKindOfPath_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::newRow("empty path") << QString() << false;
        QTest::newRow("missing file") << "none.bmp" << false;
        QTest::newRow("readable file") << "main256.bmp" << true;
        QTest::newRow("empty readable file") << "empty" << true;
        QTest::newRow("link to a folder") << "folder-link" << false;
        QTest::newRow("dangling link") << "dangling" << false;
    }
    void answersForEveryKindOfPath() {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        vireo::test::writeFile(dir.filePath("main256.bmp"), "bytes");
        vireo::test::writeFile(dir.filePath("empty"), QByteArray());
        QVERIFY(QFile::link(dir.filePath("folder"), dir.filePath("folder-link")));
        QVERIFY(QFile::link(dir.filePath("gone"), dir.filePath("dangling")));

        const QString path = name.isEmpty() ? QString() : dir.filePath(name);
        QCOMPARE(FileExists(path.toStdString()), exists);
        if (exists) QCOMPARE(vireo::test::readFile(path), name == "empty" ? QByteArray() : "bytes");
    }

    void unreadableFileDoesNotExist() {
        QTemporaryDir dir;
        vireo::test::openToOthers(dir.path());
        const QString path = dir.filePath("main256.bmp");
        vireo::test::writeFile(path, "bytes");
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));

        const auto answer = vireo::test::runSelfAsNobody({"--file-exists", path});
        if (!answer) QSKIP("needs root and setpriv to check as another user; root reads any file");
        QCOMPARE(answer->trimmed(), QByteArray("false"));
    }
};

int main(int argc, char* argv[]) {
    // Child mode for the permission check: answer for one path and stop.
    if (argc == 3 && std::strcmp(argv[1], "--file-exists") == 0) {
        std::cout << (FileExists(argv[2]) ? "true" : "false") << std::endl;
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestFileExists test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_file_exists.moc"
