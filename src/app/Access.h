#pragma once

#include "Prompt.h"
#include "Rights.h"

class Operator;

// The checks that gated commands make before anything else; each refusal is a message.
class Access final
{
public:
    static inline const QString kNoRight = QStringLiteral("你没有此操作权限!");
    // The caption of the main window's own refusals.

    // The operator holds the right; otherwise "你没有此操作权限!".
    static bool granted(const Operator& op, Right right, Prompt& prompt,
                        const QString& caption = Prompt::kCaption);
    // The operator is "系统管理员"; otherwise the command's own refusal.
    static bool administrator(const Operator& op, Prompt& prompt, const QString& refusal,
                              const QString& caption = Prompt::kCaption);
};
