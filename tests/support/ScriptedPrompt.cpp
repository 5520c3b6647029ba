#include "ScriptedPrompt.h"

Prompt::Answer ScriptedPrompt::show(const QString& text, const QString& caption, Icon icon, Buttons buttons)
{
    m_shown << Shown{text, caption, icon, buttons};
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return m_answers.isEmpty() ? fallback : m_answers.takeFirst();
}

QStringList ScriptedPrompt::texts() const
{
    QStringList all;
    for (const Shown& s : m_shown)
        all << s.text;
    return all;
}
