#pragma once

#include <QString>

// Control characters (C0 and DEL) have no place in what an operator types: pasted into a dish or
// table name or a note they would reach the printers as commands (ESC p opens the cash drawer,
// GS V cuts, NUL ends the job). Line breaks are the one exception, for the notes that span lines.
namespace ControlCharacters {

inline const QString kRefused = QStringLiteral("输入的文字中不能含有控制字符!");

// A control character other than a line break (CR, LF).
bool isRefused(QChar ch);
bool contains(const QString& text);
// Whether a quoted literal of the statement holds a refused control character.
bool inLiterals(const QString& statement);

} // namespace ControlCharacters
