#include "gui/widgets/translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    // What the main window's open-file dialog and message box show under an
    // English system locale: Chinese, with no Latin letter left but a
    // mnemonic such as "(&O)".
    void standardDialogsSpeakChinese() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(!vireo::ui::installChineseQtTranslations(
            *qApp, QDir::tempPath() + QStringLiteral("/no-such")));
        QVERIFY(vireo::ui::installChineseQtTranslations(*qApp));
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        QStringList texts;
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            texts << dialog.findChild<QLabel*>(QLatin1String(name))->text();
        for (QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons())
            texts << button->text();
        QMessageBox box(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Ok);
        texts << box.button(QMessageBox::Ok)->text();
        QCOMPARE(texts.size(), 6);
        for (QString words : texts) {
            words.remove(QRegularExpression(QStringLiteral("\\(&[A-Z]\\)")));
            QVERIFY2(words.contains(QRegularExpression(QStringLiteral("\\p{Han}"))),
                     qPrintable(words));
            QVERIFY2(!words.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))),
                     qPrintable(words));
        }
    }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
