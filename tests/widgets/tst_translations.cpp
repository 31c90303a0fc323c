#include "widgets/translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// True when the text holds a CJK ideograph and no Latin letter other than the
// mnemonic in "(&O)", which Chinese captions keep.
bool isChinese(QString text) {
    text.remove(QRegularExpression(QStringLiteral("\\(&[A-Za-z]\\)")));
    bool ideograph = false;
    for (const QChar c : text) {
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF) ideograph = true;
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')))
            return false;
    }
    return ideograph;
}

}  // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    // An English system locale must not matter: the tool speaks Chinese.
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(vireo::ui::installChineseQtTranslations(*qApp));
    }

    void openFileDialog_data() {
        QTest::addColumn<QString>("objectName");
        QTest::newRow("look-in label") << QStringLiteral("lookInLabel");
        QTest::newRow("file-name label") << QStringLiteral("fileNameLabel");
        QTest::newRow("file-type label") << QStringLiteral("fileTypeLabel");
    }
    // The dialog the main window opens main256.bmp with: its labels...
    void openFileDialog() {
        QFETCH(QString, objectName);
        QTemporaryDir folder;
        QFileDialog dialog(nullptr, QString(), folder.path(), QStringLiteral("main256.bmp (main256.bmp)"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        auto* label = dialog.findChild<QLabel*>(objectName);
        QVERIFY(label);
        QVERIFY2(isChinese(label->text()), qPrintable(label->text()));
    }

    // ...and its buttons, which are what the user presses.
    void openFileDialogButtons() {
        QTemporaryDir folder;
        QFileDialog dialog(nullptr, QString(), folder.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        auto* box = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(box);
        const auto buttons = box->buttons();
        QCOMPARE(buttons.size(), 2);
        for (QAbstractButton* button : buttons) QVERIFY2(isChinese(button->text()), qPrintable(button->text()));
    }

    void messageBoxButton() {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("标题"), QStringLiteral("完成！"), QMessageBox::Ok);
        QAbstractButton* ok = box.button(QMessageBox::Ok);
        QVERIFY(ok);
        QVERIFY2(isChinese(ok->text()), qPrintable(ok->text()));
    }

    // Without the catalogue nothing is installed and the caller is told.
    void missingCatalogue() {
        QTemporaryDir empty;
        QVERIFY(!vireo::ui::installChineseQtTranslations(*qApp, empty.path()));
    }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
