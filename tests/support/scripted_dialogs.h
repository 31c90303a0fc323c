#pragma once

#include "gui/widgets/dialogs.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

namespace vireo::test {

// Dialogs that answer from a script and remember what they were asked.
class ScriptedDialogs final : public ui::Dialogs {
public:
    // The next open-file dialog returns `path`.
    void choose(const QString& path) { replies_.push_back(path); }
    // The next open-file dialog is cancelled.
    void cancel() { replies_.push_back(std::nullopt); }

    // The next save-file dialog returns `path`.
    void chooseSaveAs(const QString& path) { saveReplies_.push_back(path); }

    // The next question is answered with the answer at `index`; nothing
    // closes the box without an answer.
    void answer(std::optional<int> index) { answers_.push_back(index); }

    std::optional<QString> openFile(QWidget* parent, const QString& filter,
                                    const QString& initialPath) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& caption, const QString& filter,
                                    const QString& initialPath) override;
    void message(QWidget* parent, const QString& text) override;
    std::optional<int> ask(QWidget* parent, const QString& text,
                           const QStringList& answers) override;
    // The next form is answered with `texts` (nothing: cancelled).
    void fillWith(std::optional<QStringList> texts) { forms_.push_back(std::move(texts)); }
    std::optional<QStringList> fillIn(QWidget* parent, const QString& title,
                                      const QStringList& labels,
                                      const QStringList& values) override;
    QList<QStringList> formValues;  // the values every form was shown with

    // The next framing question is answered with `framing` (nothing: cancelled).
    // Unscripted, it is asked as a plain question: cover, contain, stretch, cancel.
    void frameWith(std::optional<ui::Framing> framing) { framings_.push_back(framing); }
    std::optional<ui::Framing> chooseFraming(QWidget* parent, const images::RgbaImage& picture,
                                             const ui::FramingQuestion& question) override;
    QList<ui::FramingQuestion> framingQuestions;  // every framing question asked
    // The next colour chooser returns `colour` (nothing: cancelled).
    void pickColour(std::optional<QColor> colour) { colours_.push_back(colour); }
    std::optional<QColor> chooseColour(QWidget* parent, const QString& title,
                                       const QColor& initial) override;

    QStringList messages;            // every message shown, in order
    QStringList questions;           // every question asked, in order
    QList<QStringList> answerLists;  // the answers offered with each question
    QStringList filters;             // the filter of every open-file dialog shown
    QStringList initialPaths;        // the initial path of every open-file dialog shown
    QStringList saveCaptions;        // the caption of every save-file dialog shown
    QStringList saveInitialPaths;    // the initial path of every save-file dialog shown
    // Called while a message is shown, e.g. to look at which widget has focus.
    std::function<void(const QString&)> onMessage;

private:
    std::deque<std::optional<QString>> replies_;
    std::deque<QString> saveReplies_;
    std::deque<std::optional<int>> answers_;
    std::deque<std::optional<QStringList>> forms_;
    std::deque<std::optional<ui::Framing>> framings_;
    std::deque<std::optional<QColor>> colours_;
};

}  // namespace vireo::test
