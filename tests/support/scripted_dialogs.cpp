#include "support/scripted_dialogs.h"

#include <QTest>

namespace vireo::test {

namespace {

// The next scripted reply; nothing, with a warning, when the test scripted none,
// so that an unexpected dialog shows in the test's output.
template <typename Reply>
std::optional<Reply> nextReply(std::deque<Reply>& replies, const char* shown) {
    if (replies.empty()) {
        qWarning("ScriptedDialogs: %s was shown with no reply scripted", shown);
        return std::nullopt;
    }
    Reply reply = std::move(replies.front());
    replies.pop_front();
    return reply;
}

}  // namespace

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const QString& filter,
                                                 const QString& initialPath) {
    filters << filter;
    initialPaths << initialPath;
    return nextReply(replies_, "an open-file dialog").value_or(std::nullopt);
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const QString& caption, const QString&,
                                                 const QString& initialPath) {
    saveCaptions << caption;
    saveInitialPaths << initialPath;
    return nextReply(saveReplies_, "a save-file dialog");
}

void ScriptedDialogs::message(QWidget*, const QString& text) {
    messages << text;
    if (onMessage) onMessage(text);
}

std::optional<int> ScriptedDialogs::ask(QWidget*, const QString& text, const QStringList& answers) {
    questions << text;
    answerLists << answers;
    return nextReply(answers_, "a question").value_or(std::nullopt);
}

std::optional<QStringList> ScriptedDialogs::fillIn(QWidget*, const QString&, const QStringList&,
                                                   const QStringList& values) {
    formValues << values;
    return nextReply(forms_, "a form").value_or(std::nullopt);
}

std::optional<ui::Framing> ScriptedDialogs::chooseFraming(QWidget* parent, const images::RgbaImage&,
                                                          const ui::FramingQuestion& question) {
    framingQuestions << question;
    if (!framings_.empty()) return nextReply(framings_, "a framing question").value();
    const auto fit = ask(parent, question.text,
                         {QStringLiteral("裁剪填满"), QStringLiteral("完整放入"),
                          QStringLiteral("拉伸"), QStringLiteral("取消")});
    if (!fit || *fit > 2) return std::nullopt;
    return ui::Framing{artwork::Fit(int(artwork::Fit::Cover) + *fit), question.initial.frame};
}

std::optional<QColor> ScriptedDialogs::chooseColour(QWidget*, const QString&, const QColor&) {
    return nextReply(colours_, "a colour chooser").value_or(std::nullopt);
}

}  // namespace vireo::test
