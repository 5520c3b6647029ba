#include "JetDialect.h"

#include "JetDialectParts.h"

#include <QRegularExpression>
#include <QStringList>

using namespace JetDialectParts;

namespace {

Masked mask(const QString& statement)
{
    Masked m;
    m.text.reserve(statement.size());
    const qsizetype n = statement.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = statement.at(i);
        if (c != QLatin1Char('\'') && c != QLatin1Char('"')) {
            // The statement text up to the next quote, at once.
            qsizetype next = i + 1;
            while (next < n && statement.at(next) != QLatin1Char('\'') &&
                   statement.at(next) != QLatin1Char('"'))
                ++next;
            m.text += QStringView(statement).mid(i, next - i);
            i = next - 1;
            continue;
        }
        qsizetype j = i + 1;
        while (j < n) {
            if (statement.at(j) == c) {
                if (j + 1 < n && statement.at(j + 1) == c) { // a doubled quote stays inside
                    j += 2;
                    continue;
                }
                break;
            }
            ++j;
        }
        const qsizetype end = qMin(j, n - 1);
        m.text += m.marker(statement.mid(i, end - i + 1));
        i = end;
    }
    return m;
}

QString unmask(const Masked& m)
{
    if (m.literals.isEmpty())
        return m.text;
    QString out;
    out.reserve(m.text.size() + 64);
    const qsizetype n = m.text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = m.text.at(i);
        if (c != kOpen) {
            out += c;
            continue;
        }
        const qsizetype close = m.text.indexOf(kClose, i);
        out += m.literals.at(m.text.mid(i + 1, close - i - 1).toInt());
        i = close;
    }
    return out;
}

} // namespace

bool JetDialectParts::containsWord(const QString& text, QLatin1StringView word)
{
    return text.contains(word, Qt::CaseInsensitive);
}

namespace {

QString pad2(const QString& digits)
{
    return digits.rightJustified(2, QLatin1Char('0'));
}

void rewriteDateLiterals(Masked& m)
{
    static const QRegularExpression literal(QStringLiteral("#([^#]*)#"));
    static const QRegularExpression moment(QStringLiteral(
        "^\\s*(\\d{4})[-/](\\d{1,2})[-/](\\d{1,2})(?:\\s+(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?\\s*$"));
    QString out;
    qsizetype last = 0;
    auto it = literal.globalMatch(m.text);
    while (it.hasNext()) {
        const auto match = it.next();
        const auto parts = moment.match(match.captured(1));
        if (!parts.hasMatch())
            continue; // not a date: left for the database to refuse
        QString value = parts.captured(1) + QLatin1Char('-') + pad2(parts.captured(2)) + QLatin1Char('-') +
                        pad2(parts.captured(3));
        if (parts.hasCaptured(4))
            value += QLatin1Char(' ') + pad2(parts.captured(4)) + QLatin1Char(':') + pad2(parts.captured(5)) +
                     QLatin1Char(':') + pad2(parts.hasCaptured(6) ? parts.captured(6) : QStringLiteral("0"));
        out += QStringView(m.text).mid(last, match.capturedStart() - last);
        out += m.marker(QLatin1Char('\'') + value + QLatin1Char('\''));
        last = match.capturedEnd();
    }
    if (last > 0) {
        out += QStringView(m.text).mid(last);
        m.text = out;
    }
}

} // namespace

// Index of the parenthesis closing the one opened just before `from`, or -1.
qsizetype JetDialectParts::matchingParen(const QString& text, qsizetype from)
{
    int depth = 1;
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('('))
            ++depth;
        else if (text.at(i) == QLatin1Char(')') && --depth == 0)
            return i;
    }
    return -1;
}

namespace {

void rewriteCDbl(Masked& m, const QString& real)
{
    static const QRegularExpression cdbl(QStringLiteral("\\bcdbl\\s*\\("),
                                         QRegularExpression::CaseInsensitiveOption);
    for (auto match = cdbl.match(m.text); match.hasMatch(); match = cdbl.match(m.text)) {
        const qsizetype close = matchingParen(m.text, match.capturedEnd());
        if (close < 0)
            return;
        const QString inner = m.text.mid(match.capturedEnd(), close - match.capturedEnd());
        m.text.replace(match.capturedStart(), close + 1 - match.capturedStart(),
                       QStringLiteral("cast(") + inner + QStringLiteral(" as ") + real + QLatin1Char(')'));
    }
}

void rewriteFormat(Masked& m)
{
    static const QRegularExpression format(
        QStringLiteral("\\bformat\\s*\\(\\s*([^,()]+?)\\s*,\\s*\\x01(\\d+)\\x02\\s*\\)"),
        QRegularExpression::CaseInsensitiveOption);
    qsizetype from = 0;
    for (auto match = format.match(m.text, from); match.hasMatch(); match = format.match(m.text, from)) {
        const QString pattern = m.literals.at(match.captured(2).toInt()).toLower();
        int length = 0;
        if (pattern == QLatin1String("'yyyy-mm-dd'"))
            length = 10;
        else if (pattern == QLatin1String("'yyyy-mm'"))
            length = 7;
        if (length == 0) {
            from = match.capturedEnd();
            continue;
        }
        const QString rewritten =
            QStringLiteral("substr(%1,1,%2)").arg(match.captured(1)).arg(length);
        m.text.replace(match.capturedStart(), match.capturedLength(), rewritten);
        from = match.capturedStart() + rewritten.size();
    }
}

void rewriteTop(Masked& m)
{
    static const QRegularExpression top(QStringLiteral("\\bselect\\s+(?:distinct\\s+)?(top\\s+(\\d+)\\s+)"),
                                        QRegularExpression::CaseInsensitiveOption);
    // Innermost-last: take the last "select top" each round so that nested ones stay in place.
    for (;;) {
        QRegularExpressionMatch last;
        auto it = top.globalMatch(m.text);
        while (it.hasNext())
            last = it.next();
        if (!last.hasMatch())
            return;
        // The select ends at the parenthesis that closes its subquery, or at the statement's end.
        qsizetype end = matchingParen(m.text, last.capturedEnd());
        if (end < 0) {
            end = m.text.size();
            while (end > 0 && (m.text.at(end - 1).isSpace() || m.text.at(end - 1) == QLatin1Char(';')))
                --end;
        }
        m.text.insert(end, QStringLiteral(" limit ") + last.captured(2));
        m.text.remove(last.capturedStart(1), last.capturedLength(1));
    }
}

void rewriteStatementForms(Masked& m, Backend target)
{
    static const QRegularExpression deleteStar(QStringLiteral("\\bdelete\\s*\\*\\s*from\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression identity(
        QStringLiteral("\\bselect\\s+@@identity\\b(?:\\s+as\\s+(\\w+))?(?:\\s+from\\s+(?:\\[\\w+\\]|\\w+))?"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression counter(
        QStringLiteral("\\balter\\s+table\\s+\\[?(\\w+)\\]?\\s+alter\\s+column\\s+\\[?(\\w+)\\]?\\s+counter\\s*"
                       "\\(\\s*1\\s*,\\s*1\\s*\\)"),
        QRegularExpression::CaseInsensitiveOption);

    if (m.text.contains(QLatin1Char('*')) && containsWord(m.text, QLatin1StringView("delete")))
        m.text.replace(deleteStar, QStringLiteral("delete from"));
    if (m.text.contains(QLatin1String("@@"))) {
        const auto match = identity.match(m.text);
        if (match.hasMatch()) {
            QString rewritten = target == Backend::SQLite ? QStringLiteral("select last_insert_rowid()")
                                                          : QStringLiteral("select lastval()");
            if (match.hasCaptured(1))
                rewritten += QStringLiteral(" as ") + match.captured(1);
            m.text.replace(match.capturedStart(), match.capturedLength(), rewritten);
        }
    }
    if (containsWord(m.text, QLatin1StringView("counter"))) {
        const auto match = counter.match(m.text);
        if (match.hasMatch()) {
            const QString table = match.captured(1).toLower();
            const QString column = match.captured(2).toLower();
            // The file's counter then gives the largest number left plus one, or 1: so does the
            // server's sequence.
            const QString rewritten =
                target == Backend::SQLite
                    ? QStringLiteral("delete from sqlite_sequence where name=") +
                          m.marker(QLatin1Char('\'') + match.captured(1) + QLatin1Char('\''))
                    : QStringLiteral("select setval(pg_get_serial_sequence(%1,%2),coalesce(max(\"%3\"),0)+1,false) "
                                     "from \"%4\"")
                          .arg(m.marker(QStringLiteral("'\"") + table + QStringLiteral("\"'")),
                               m.marker(QLatin1Char('\'') + column + QLatin1Char('\'')), column, table);
            m.text.replace(match.capturedStart(), match.capturedLength(), rewritten);
        }
    }
}

} // namespace

// The arguments of the call whose parenthesis opens just before `from`, split at its own commas;
// `close` gets the index of its closing parenthesis (-1 when it has none).
QStringList JetDialectParts::arguments(const QString& text, qsizetype from, qsizetype& close)
{
    QStringList args;
    int depth = 0;
    qsizetype start = from;
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')') && depth-- == 0) {
            args << text.mid(start, i - start).trimmed();
            close = i;
            return args;
        } else if (c == QLatin1Char(',') && depth == 0) {
            args << text.mid(start, i - start).trimmed();
            start = i + 1;
        }
    }
    close = -1;
    return args;
}

QString JetDialect::translate(const QString& statement, Backend target)
{
    Masked m = mask(statement);
    if (m.text.contains(QLatin1Char('#')))
        rewriteDateLiterals(m);
    rewriteStatementForms(m, target);
    if (containsWord(m.text, QLatin1StringView("cdbl")))
        rewriteCDbl(m, target == Backend::SQLite ? QStringLiteral("real") : QStringLiteral("double precision"));
    if (containsWord(m.text, QLatin1StringView("format")))
        rewriteFormat(m);
    if (containsWord(m.text, QLatin1StringView("top")))
        rewriteTop(m);
    if (target == Backend::PostgreSQL)
        rewriteForServer(m);
    return unmask(m);
}
