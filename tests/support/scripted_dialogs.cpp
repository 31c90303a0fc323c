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

std::optional<ui::Framing> ScriptedDialogs::chooseFraming(QWidget* parent, const images::RgbaImage&,
                                                          const ui::FramingQuestion& question) {
    framingQuestions << question;
    if (framings_.empty()) {
        const auto fit = ask(parent, question.text,
                             {QStringLiteral("裁剪填满"), QStringLiteral("完整放入"),
                              QStringLiteral("拉伸"), QStringLiteral("取消")});
        if (!fit || *fit > 2) return std::nullopt;
        return ui::Framing{artwork::Fit(int(artwork::Fit::Cover) + *fit), question.initial.frame};
    }
    const auto reply = framings_.front();
    framings_.pop_front();
    return reply;
}

std::optional<QColor> ScriptedDialogs::chooseColour(QWidget*, const QString&, const QColor&) {
    if (colours_.empty()) {
        qWarning("ScriptedDialogs: a colour chooser was shown with no colour scripted");
        return std::nullopt;
    }
    const auto reply = colours_.front();
    colours_.pop_front();
    return reply;
}

}  // namespace vireo::test
