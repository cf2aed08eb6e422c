#pragma once

#include "shell/Dialogs.h"

#include <QStringList>
#include <QtTest/QTest>
#include <deque>
#include <functional>

// Records every dialog shown and answers from queues. A dialog with no
// queued answer fails the test (and answers as if cancelled), so an
// unexpected box never goes unnoticed.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString kind; // "message", "question", "input" or "open"
        QString text; // message text, question, prompt or open-dialog title
        QString title;
        Icon icon = Icon::None;
        QString defaultText; // input boxes: the pre-filled entry; open dialogs: suffix|folder|filters
    };
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
        shown << Shown{u"question"_qs, text, title, Icon::Question, {}};
        return take(yesNoAnswers, false);
    }
    QString inputBox(QWidget *, const QString &prompt, const QString &title, const QString &defaultText) override
    {
        shown << Shown{u"input"_qs, prompt, title, Icon::None, defaultText};
        return take(inputAnswers, QString());
    }
    QString openFile(QWidget *, const QString &title, const FilterPairs &filters, const QString &suffix, const QString &folder) override
    {
        QStringList details{suffix, folder};
        for (const auto &[description, patterns] : filters)
            details << description + u'=' + patterns;
        shown << Shown{u"open"_qs, title, title, Icon::None, details.join(u'|')};
        return take(openAnswers, QString());
    }
    QStringList messages() const
    {
        QStringList texts;
        for (const Shown &s : shown)
            texts << (s.kind == u"message" ? s.text : QString());
        texts.removeAll(QString());
        return texts;
    }

private:
    template <typename T>
    static T take(std::deque<T> &answers, T none)
    {
        if (answers.empty()) {
            QTest::qFail("unexpected dialog", __FILE__, __LINE__);
            return none;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
