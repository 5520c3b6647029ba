#pragma once

#include "Prompt.h"

class QMessageBox;

// The program's prompt: a modal message box over the active window.
class MessageBoxPrompt final : public Prompt
{
public:
    Answer show(const QString& text, const QString& caption, Icon icon, Buttons buttons) override;

    // Widens a message box so that its whole title shows.
    static void fitTitle(QMessageBox& box);
};
