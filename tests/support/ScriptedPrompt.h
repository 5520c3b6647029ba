#pragma once

#include "Prompt.h"

#include <QList>
#include <QStringList>

// The tests' prompt: records every message and answers questions from a queue.
// A question with no scripted answer gets `fallback` (No by default).
class ScriptedPrompt final : public Prompt
{
public:
    struct Shown
    {
        QString text;
        QString caption;
        Icon icon;
        Buttons buttons;
    };

    Answer show(const QString& text, const QString& caption, Icon icon, Buttons buttons) override;

    void answer(Answer a) { m_answers << a; }
    QStringList texts() const;
    QString last() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    const QList<Shown>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

    Answer fallback = Answer::No;

private:
    QList<Answer> m_answers;
    QList<Shown> m_shown;
};
