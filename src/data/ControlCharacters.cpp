#include "ControlCharacters.h"

#include <algorithm>

namespace ControlCharacters {

bool isRefused(QChar ch)
{
    const char16_t c = ch.unicode();
    return (c < 0x20 && c != u'\n' && c != u'\r') || c == 0x7F;
}

bool contains(const QString& text)
{
    return std::any_of(text.begin(), text.end(), isRefused);
}

bool inLiterals(const QString& statement)
{
    // A doubled quote inside a literal closes and reopens it, which changes nothing here.
    bool quoted = false;
    for (QChar ch : statement) {
        if (ch == u'\'')
            quoted = !quoted;
        else if (quoted && isRefused(ch))
            return true;
    }
    return false;
}

} // namespace ControlCharacters
