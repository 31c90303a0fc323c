#include "support/scripted_dialogs.h"

#include <QTest>

namespace vireo::test {

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const QString& filter,
                                                 const QString& initialPath) {
    filters << filter;
    initialPaths << initialPath;
    if (replies_.empty()) {
        qWarning("ScriptedDialogs: an open-file dialog was shown with no reply scripted");
        return std::nullopt;
    }
    auto reply = replies_.front();
    replies_.pop_front();
    return reply;
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const QString& caption, const QString&,
                                                 const QString& initialPath) {
    saveCaptions << caption;
    saveInitialPaths << initialPath;
    if (saveReplies_.empty()) {
        qWarning("ScriptedDialogs: a save-file dialog was shown with no reply scripted");
        return std::nullopt;
    }
    const QString reply = saveReplies_.front();
    saveReplies_.pop_front();
    return reply;
}

void ScriptedDialogs::message(QWidget*, const QString& text) {
    messages << text;
    if (onMessage) onMessage(text);
}

std::optional<int> ScriptedDialogs::ask(QWidget*, const QString& text, const QStringList& answers) {
    questions << text;
    answerLists << answers;
    if (answers_.empty()) {
        qWarning("ScriptedDialogs: a question was asked with no answer scripted");
        return std::nullopt;
    }
    const auto reply = answers_.front();
    answers_.pop_front();
    return reply;
}

std::optional<QStringList> ScriptedDialogs::fillIn(QWidget*, const QString&, const QStringList&,
                                                   const QStringList& values) {
    formValues << values;
    if (forms_.empty()) {
        qWarning("ScriptedDialogs: a form was shown with no texts scripted");
        return std::nullopt;
    }
    auto reply = forms_.front();
    forms_.pop_front();
    return reply;
}

}  // namespace vireo::test
