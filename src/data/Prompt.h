#pragma once

#include <QString>

// Every message box and question of the program goes through this interface, so that the
// operations can be driven headless: the program shows real message boxes, tests script the
// answers and read back each text.
class Prompt
{
public:
    enum class Icon { Information, Warning, Question, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    static inline const QString kCaption = QStringLiteral("提示信息");
    // The program's name: the caption of the main window's own messages, and every window's title
    // where it has none of its own.
    static inline const QString kProgramTitle = QStringLiteral("Orvo餐饮收银系统");

    virtual ~Prompt() = default;

    virtual Answer show(const QString& text, const QString& caption, Icon icon, Buttons buttons) = 0;

    // The exclamation box that most checks use.
    void warn(const QString& text, const QString& caption = kCaption);
    void info(const QString& text, const QString& caption = kCaption);
    void error(const QString& text, const QString& caption = kCaption);
    // A yes/no question; true for yes.
    bool ask(const QString& text, const QString& caption = kCaption);
    // An OK/Cancel question; true for OK.
    bool askOkCancel(const QString& text, const QString& caption = kCaption);
    // A question whose two answers both act (是 does one thing, 否 another): it offers 取消 as well,
    // which does nothing and is what Esc or closing the box answers. Yes, No or Cancel.
    Answer askYesNoCancel(const QString& text, const QString& caption = kCaption);
};
