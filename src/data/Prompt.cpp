#include "Prompt.h"

void Prompt::warn(const QString& text, const QString& caption)
{
    show(text, caption, Icon::Warning, Buttons::Ok);
}

void Prompt::info(const QString& text, const QString& caption)
{
    show(text, caption, Icon::Information, Buttons::Ok);
}

void Prompt::error(const QString& text, const QString& caption)
{
    show(text, caption, Icon::Critical, Buttons::Ok);
}

bool Prompt::ask(const QString& text, const QString& caption)
{
    return show(text, caption, Icon::Question, Buttons::YesNo) == Answer::Yes;
}

bool Prompt::askOkCancel(const QString& text, const QString& caption)
{
    return show(text, caption, Icon::Question, Buttons::OkCancel) == Answer::Ok;
}

Prompt::Answer Prompt::askYesNoCancel(const QString& text, const QString& caption)
{
    const Answer a = show(text, caption, Icon::Question, Buttons::YesNoCancel);
    return a == Answer::Yes || a == Answer::No ? a : Answer::Cancel;
}
