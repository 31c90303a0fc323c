#include "widgets/translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    // An English system locale must not matter: the tool speaks Chinese.
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(!vireo::ui::installChineseQtTranslations(*qApp, QDir::tempPath() + QStringLiteral("/no-such")));
        QVERIFY(vireo::ui::installChineseQtTranslations(*qApp));
    }

    // What the main window's open-file dialog and message box show: Chinese,
    // with no Latin letter left but a mnemonic such as "(&O)".
    void standardDialogTexts_data() {
        QTest::addColumn<QString>("text");
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"}) {
            auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
            QVERIFY(label);
            QTest::newRow(name) << label->text();
        }
        auto* buttonBox = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttonBox);
        const auto buttons = buttonBox->buttons();
        QCOMPARE(buttons.size(), 2);
        QTest::newRow("open button") << buttons[0]->text();
        QTest::newRow("cancel button") << buttons[1]->text();
        QMessageBox box(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Ok);
        QTest::newRow("message box OK") << box.button(QMessageBox::Ok)->text();
    }
    void standardDialogTexts() {
        QFETCH(QString, text);
        QString words = text;
        words.remove(QRegularExpression(QStringLiteral("\\(&[A-Z]\\)")));
        QVERIFY2(words.contains(QRegularExpression(QStringLiteral("\\p{Han}"))), qPrintable(text));
        QVERIFY2(!words.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))), qPrintable(text));
    }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
