#pragma once

#include <QString>

// The upper-case pinyin initials of a name, as dishes, members and waiters store them
// ("宫保鸡丁" -> "GBJD"). Worked on the name's GBK bytes: ASCII is kept (letters upper-cased),
// each GB 2312 character gives its initial ('[' for a bare radical form), any other character
// is kept as it is, and so is a character GBK cannot encode.
QString GetPinyinInitials(const QString& text);
