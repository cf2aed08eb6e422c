#pragma once

#include "shell/Dialogs.h"

#include <QStringList>
#include <QtTest/QTest>
#include <deque>
#include <functional>

// Records every dialog shown and answers from queues. A dialog with no queued answer fails the test (and answers as if
// cancelled), so an unexpected box never goes unnoticed.
class ScriptedDialogs final : public Dialogs {
public:
    // kind: "message", "question", "input" or "open"; text: the message, question, prompt or open-dialog title;
    // defaultText: an input box's pre-filled entry, an open dialog's suffix|folder|filters.
    struct Shown { QString kind, text, title; Icon icon = Icon::None; QString defaultText; };
    std::deque<bool> yesNoAnswers;
    std::deque<QString> inputAnswers, openAnswers;
    QList<Shown> shown;
    std::function<void()> onMessage; // runs while a message box would be on screen

    void message(QWidget *, const QString &text, const QString &title, Icon icon) override
    {
        shown << Shown{u"message"_qs, text, title, icon, {}};
        if (onMessage)
            onMessage();
    }
    bool askYesNo(QWidget *, const QString &text, const QString &title) override
    {
        return take(yesNoAnswers, Shown{u"question"_qs, text, title, Icon::Question, {}}, false);
    }
    QString inputBox(QWidget *, const QString &prompt, const QString &title, const QString &defaultText) override
    {
        return take(inputAnswers, Shown{u"input"_qs, prompt, title, Icon::None, defaultText}, QString());
    }
    QString openFile(QWidget *, const QString &title, const FilterPairs &filters, const QString &suffix, const QString &folder) override
    {
        QStringList details{suffix, folder};
        for (const auto &[description, patterns] : filters)
            details << description + u'=' + patterns;
        return take(openAnswers, Shown{u"open"_qs, title, title, Icon::None, details.join(u'|')}, QString());
    }
    QStringList messages() const
    {
        QStringList texts;
        for (const Shown &s : shown)
            if (s.kind == u"message")
                texts << s.text;
        return texts;
    }

private:
    template <typename T>
    T take(std::deque<T> &answers, const Shown &box, T none)
    {
        shown << box;
        if (answers.empty()) {
            QTest::qFail("unexpected dialog", __FILE__, __LINE__);
            return none;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
