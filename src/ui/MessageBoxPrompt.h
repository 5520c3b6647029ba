#pragma once

#include "Prompt.h"

class QWidget;

// The program's prompt: a modal message box over the active window.
class MessageBoxPrompt final : public Prompt
{
public:
    Answer show(const QString& text, const QString& caption, Icon icon, Buttons buttons) override;
};
