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
        QString defaultText;       // input boxes: the pre-filled entry
        FilterPairs filters;       // open dialogs
        QString defaultSuffix;     // open dialogs
        QString startFolder;       // open dialogs
    };

    std::deque<bool> yesNoAnswers;
    std::deque<QString> inputAnswers;
    std::deque<QString> openAnswers;
    QList<Shown> shown;
    // Runs while a message box would be on screen (e.g. to inspect the window).
    std::function<void(const Shown &)> onMessage;

    void message(QWidget *, const QString &text, const QString &title, Icon icon) override
    {
        Shown s{QStringLiteral("message"), text, title, icon, {}, {}, {}, {}};
        shown << s;
        if (onMessage)
            onMessage(s);
    }
    bool askYesNo(QWidget *, const QString &text, const QString &title) override
    {
        shown << Shown{QStringLiteral("question"), text, title, Icon::Question, {}, {}, {}, {}};
        if (yesNoAnswers.empty()) {
            QTest::qFail("unexpected question box", __FILE__, __LINE__);
            return false;
        }
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    QString inputBox(QWidget *, const QString &prompt, const QString &title, const QString &defaultText) override
    {
        shown << Shown{QStringLiteral("input"), prompt, title, Icon::None, defaultText, {}, {}, {}};
        if (inputAnswers.empty()) {
            QTest::qFail("unexpected input box", __FILE__, __LINE__);
            return QString();
        }
        QString answer = inputAnswers.front();
        inputAnswers.pop_front();
        return answer;
    }
    QString openFile(QWidget *, const QString &title, const FilterPairs &filters,
                     const QString &defaultSuffix, const QString &startFolder) override
    {
        shown << Shown{QStringLiteral("open"), title, title, Icon::None, {}, filters, defaultSuffix, startFolder};
        if (openAnswers.empty()) {
            QTest::qFail("unexpected open-file dialog", __FILE__, __LINE__);
            return QString();
        }
        QString answer = openAnswers.front();
        openAnswers.pop_front();
        return answer;
    }

    QStringList messages() const
    {
        QStringList texts;
        for (const Shown &s : shown)
            if (s.kind == u"message")
                texts << s.text;
        return texts;
    }
};
