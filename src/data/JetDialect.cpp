#include "JetDialect.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace {

// Quoted literals are lifted out of the statement and replaced by markers "\x01N\x02", so that
// the rewrites below only ever see statement text.
constexpr QChar kOpen(0x01);
constexpr QChar kClose(0x02);

struct Masked
{
    QString text;
    QStringList literals;

    QString marker(const QString& literal)
    {
        literals << literal;
        return kOpen + QString::number(literals.size() - 1) + kClose;
    }
};

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

bool containsWord(const QString& text, QLatin1StringView word)
{
    return text.contains(word, Qt::CaseInsensitive);
}

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

// Index of the parenthesis closing the one opened just before `from`, or -1.
qsizetype matchingParen(const QString& text, qsizetype from)
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

// The arguments of the call whose parenthesis opens just before `from`, split at its own commas;
// `close` gets the index of its closing parenthesis (-1 when it has none).
QStringList arguments(const QString& text, qsizetype from, qsizetype& close)
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

// Rewrites every call of `function` (a word followed by "(") with `make`, innermost calls too.
template<typename Make>
void rewriteCalls(Masked& m, const QString& function, Make make)
{
    const QRegularExpression call(QStringLiteral("\\b") + function + QStringLiteral("\\s*\\("),
                                  QRegularExpression::CaseInsensitiveOption);
    qsizetype from = 0;
    for (auto match = call.match(m.text, from); match.hasMatch(); match = call.match(m.text, from)) {
        qsizetype close = -1;
        const QStringList args = arguments(m.text, match.capturedEnd(), close);
        const QString rewritten = close < 0 ? QString() : make(args);
        if (rewritten.isEmpty()) {
            from = match.capturedEnd();
            continue;
        }
        m.text.replace(match.capturedStart(), close + 1 - match.capturedStart(), rewritten);
        from = match.capturedStart() + 1; // calls among the arguments are rewritten next
    }
}

// [Name] -> "name": the server folds names written bare to lower case, and so are they kept.
void rewriteBrackets(Masked& m)
{
    static const QRegularExpression bracket(QStringLiteral("\\[([^\\]\\x01\\x02\\[]+)\\]"));
    QString out;
    qsizetype last = 0;
    auto it = bracket.globalMatch(m.text);
    while (it.hasNext()) {
        const auto match = it.next();
        out += QStringView(m.text).mid(last, match.capturedStart() - last);
        out += QLatin1Char('"') + match.captured(1).toLower() + QLatin1Char('"');
        last = match.capturedEnd();
    }
    if (last > 0) {
        out += QStringView(m.text).mid(last);
        m.text = out;
    }
}

// The file's LIKE ignores the case of Latin letters and compares any column as text: "xmbh like
// '%12%'" finds dish 112. The server's ILIKE does the first, a cast the second.
void rewriteLike(Masked& m)
{
    static const QRegularExpression like(
        QStringLiteral("((?:\"?\\w+\"?\\.)?\"?\\w+\"?)?(\\s+)((?:not\\s+)?)like\\b"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression keyword(QStringLiteral("^(not|and|or|where|on|when|then|else|having)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype last = 0;
    auto it = like.globalMatch(m.text);
    while (it.hasNext()) {
        const auto match = it.next();
        const QString operand = match.captured(1);
        out += QStringView(m.text).mid(last, match.capturedStart() - last);
        if (operand.isEmpty() || keyword.match(operand).hasMatch() || operand.at(0).isDigit())
            out += operand;
        else
            out += QStringLiteral("cast(") + operand + QStringLiteral(" as text)");
        out += match.captured(2) + match.captured(3) + QStringLiteral("ilike");
        last = match.capturedEnd();
    }
    if (last > 0) {
        out += QStringView(m.text).mid(last);
        m.text = out;
    }
}

// SQLite's local "now" as the server gives it, in the form every stored time has.
void rewriteNow(Masked& m)
{
    for (const QString& function : {QStringLiteral("datetime"), QStringLiteral("date")}) {
        rewriteCalls(m, function, [&](const QStringList& args) {
            auto literal = [&](const QString& arg) {
                static const QRegularExpression marker(QStringLiteral("^\\x01(\\d+)\\x02$"));
                const auto match = marker.match(arg);
                return match.hasMatch() ? m.literals.at(match.captured(1).toInt()).toLower() : QString();
            };
            if (args.size() != 2 || literal(args.at(0)) != QLatin1String("'now'") ||
                literal(args.at(1)) != QLatin1String("'localtime'"))
                return QString();
            return function == QLatin1String("date")
                       ? QStringLiteral("to_char(localtimestamp,") +
                             m.marker(QStringLiteral("'YYYY-MM-DD'")) + QLatin1Char(')')
                       : QStringLiteral("to_char(localtimestamp,") +
                             m.marker(QStringLiteral("'YYYY-MM-DD HH24:MI:SS'")) + QLatin1Char(')');
        });
    }
}

// The column types of a table the file would make, as the server has them.
void rewriteCreateTable(Masked& m)
{
    static const QRegularExpression createTable(QStringLiteral("^\\s*create\\s+table\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
    if (!createTable.match(m.text).hasMatch())
        return;
    static const QRegularExpression counter(QStringLiteral("\\binteger\\s+primary\\s+key\\s+autoincrement\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression real(QStringLiteral("\\breal\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression text(QStringLiteral("\\btext\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression withoutRowid(QStringLiteral("\\s*\\bwithout\\s+rowid\\b"),
                                                 QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression integer(QStringLiteral("\\binteger\\b"), QRegularExpression::CaseInsensitiveOption);
    m.text.replace(counter, QStringLiteral("integer generated by default as identity primary key"));
    m.text.replace(integer, QStringLiteral("bigint"));
    m.text.replace(real, QStringLiteral("double precision"));
    m.text.replace(text, QStringLiteral("text collate \"C\""));
    m.text.replace(withoutRowid, QString());
}

// x'' (the empty blob, which stands for null in the file's keys) -> null.
void rewriteEmptyBlob(Masked& m)
{
    static const QRegularExpression blob(QStringLiteral("\\bx\\x01(\\d+)\\x02"), QRegularExpression::CaseInsensitiveOption);
    qsizetype from = 0;
    for (auto match = blob.match(m.text, from); match.hasMatch(); match = blob.match(m.text, from)) {
        if (m.literals.at(match.captured(1).toInt()) != QLatin1String("''")) {
            from = match.capturedEnd();
            continue;
        }
        m.text.replace(match.capturedStart(), match.capturedLength(), QStringLiteral("null"));
        from = match.capturedStart() + 4;
    }
}

// printf('…%.2f…%d…%s…', a, b, c): the pieces of text and the values, joined. A value the
// format writes with decimals is rounded as the file's printf rounds it (halves away from zero).
QString printfForServer(Masked& m, const QStringList& args)
{
    static const QRegularExpression marker(QStringLiteral("^\\x01(\\d+)\\x02$"));
    static const QRegularExpression conversion(QStringLiteral("%(?:\\.(\\d+)f|d|s|%)"));
    const auto format = args.isEmpty() ? QRegularExpressionMatch() : marker.match(args.at(0));
    if (!format.hasMatch())
        return QString();
    const QString literal = m.literals.at(format.captured(1).toInt());
    const QString text = literal.mid(1, literal.size() - 2);
    QStringList pieces;
    qsizetype last = 0;
    int value = 1;
    auto it = conversion.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        if (match.capturedStart() > last)
            pieces << m.marker(QLatin1Char('\'') + text.mid(last, match.capturedStart() - last) + QLatin1Char('\''));
        last = match.capturedEnd();
        if (match.captured(0) == QLatin1String("%%")) {
            pieces << m.marker(QStringLiteral("'%'"));
            continue;
        }
        if (value >= args.size())
            return QString();
        const QString arg = args.at(value++);
        if (match.hasCaptured(1)) {
            const int decimals = match.captured(1).toInt();
            pieces << QStringLiteral("to_char(round(cast(%1 as numeric),%2),%3)")
                          .arg(arg)
                          .arg(decimals)
                          .arg(m.marker(QStringLiteral("'FM999999999999999990") +
                                        (decimals > 0 ? QStringLiteral(".") + QString(decimals, QLatin1Char('0'))
                                                      : QString()) +
                                        QLatin1Char('\'')));
        } else if (match.captured(0) == QLatin1String("%d")) {
            pieces << QStringLiteral("cast(cast(%1 as bigint) as text)").arg(arg);
        } else {
            pieces << QStringLiteral("coalesce(cast(%1 as text),'')").arg(arg);
        }
    }
    if (last < text.size())
        pieces << m.marker(QLatin1Char('\'') + text.mid(last) + QLatin1Char('\''));
    return pieces.isEmpty() ? m.marker(QStringLiteral("''")) : QLatin1Char('(') + pieces.join(QStringLiteral("||")) + QLatin1Char(')');
}

// A select of one table's rows without an order lists them on the file in the order they were
// written (its row numbers); the server lists them as they lie on disk, which an update changes.
// Such selects of a table with a counter get the counter's order on the server.
void keepWrittenOrder(Masked& m)
{
    static const QHash<QString, QString> counters{
        {QStringLiteral("fj"), QStringLiteral("id")},     {QStringLiteral("cz"), QStringLiteral("id")},
        {QStringLiteral("xfmx"), QStringLiteral("xfbh")}, {QStringLiteral("lb"), QStringLiteral("id")},
        {QStringLiteral("hy"), QStringLiteral("bh")},     {QStringLiteral("hydj"), QStringLiteral("id")},
        {QStringLiteral("fws"), QStringLiteral("id")},    {QStringLiteral("yd"), QStringLiteral("id")},
        {QStringLiteral("yybc"), QStringLiteral("yybcbh")}, {QStringLiteral("log"), QStringLiteral("logid")}};
    // The statement's own level: every parenthesis emptied.
    QString top;
    int depth = 0;
    for (const QChar c : std::as_const(m.text)) {
        if (c == QLatin1Char(')'))
            --depth;
        if (depth == 0)
            top += c;
        if (c == QLatin1Char('('))
            ++depth;
    }
    static const QRegularExpression plain(
        QStringLiteral("^\\s*select\\s+(?!distinct\\b)(.*?)\\s+from\\s+(\\w+)\\s*(?:$|where\\b(.*)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression other(QStringLiteral("\\b(?:order|group|limit|union|having|join|for)\\b|[,;]"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression aggregate(QStringLiteral("\\b(?:count|sum|max|min|avg|total|string_agg)\\s*\\("),
                                              QRegularExpression::CaseInsensitiveOption);
    const auto match = plain.match(top);
    if (!match.hasMatch() || other.match(match.captured(3)).hasMatch() || aggregate.match(m.text).hasMatch())
        return;
    const auto counter = counters.constFind(match.captured(2).toLower());
    if (counter == counters.constEnd())
        return;
    qsizetype end = m.text.size();
    while (end > 0 && m.text.at(end - 1).isSpace())
        --end;
    m.text.insert(end, QStringLiteral(" order by ") + counter.value());
}

// The server wants a name for every subquery read from ("from (select ...) group by" has none).
void nameSubqueries(Masked& m)
{
    static const QRegularExpression derived(QStringLiteral("\\b(?:from|join)\\s*\\(\\s*select\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression unnamed(
        QStringLiteral("^\\s*(?:$|[,)]|(?:where|group|order|union|limit|having|join|inner|left|cross|on|except|"
                       "intersect)\\b)"),
        QRegularExpression::CaseInsensitiveOption);
    int named = 0;
    qsizetype from = 0;
    for (auto match = derived.match(m.text, from); match.hasMatch(); match = derived.match(m.text, from)) {
        const qsizetype open = m.text.indexOf(QLatin1Char('('), match.capturedStart());
        from = open + 1;
        const qsizetype close = matchingParen(m.text, open + 1);
        if (close < 0)
            return;
        if (unnamed.match(QStringView(m.text).mid(close + 1)).hasMatch())
            m.text.insert(close + 1, QStringLiteral(" as pelvar_%1").arg(++named));
    }
}

// A trigger of the file that refuses a change with a message ("create trigger t before update on
// cz when old.czm='B1' begin select raise(abort,'磁盘已满'); end") becomes the server's function
// raising that message and a trigger calling it.
bool rewriteRefusingTrigger(Masked& m)
{
    static const QRegularExpression refusing(
        QStringLiteral("^\\s*create\\s+trigger\\s+(?:if\\s+not\\s+exists\\s+)?(\\w+)\\s+(before|after)\\s+(.+?)"
                       "(?:\\s+when\\s+(.+?))?\\s+begin\\s+select\\s+raise\\s*\\(\\s*abort\\s*,\\s*(\\x01\\d+\\x02)"
                       "\\s*\\)\\s*;\\s*end\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto match = refusing.match(m.text);
    if (!match.hasMatch())
        return false;
    const QString when = match.hasCaptured(4) ? match.captured(4) : QStringLiteral("true");
    m.text = QStringLiteral("create or replace function %1() returns trigger language plpgsql as $$ begin if %2 then "
                            "raise exception using message=%3; end if; if tg_op='DELETE' then return old; end if; "
                            "return new; end $$; create or replace trigger %1 %4 %5 for each row execute function %1()")
                 .arg(match.captured(1), when, match.captured(5), match.captured(2), match.captured(3));
    return true;
}

void rewriteForServer(Masked& m)
{
    if (containsWord(m.text, QLatin1StringView("raise")) && rewriteRefusingTrigger(m))
        return;
    // The file drops a trigger by its name alone; the server drops the function of that name,
    // and the trigger with it.
    static const QRegularExpression dropTrigger(QStringLiteral("^\\s*drop\\s+trigger\\s+(if\\s+exists\\s+)?(\\w+)\\s*;?\\s*$"),
                                                QRegularExpression::CaseInsensitiveOption);
    if (const auto match = dropTrigger.match(m.text); match.hasMatch()) {
        m.text = QStringLiteral("drop function %1%2() cascade").arg(match.captured(1), match.captured(2));
        return;
    }
    // Settings of the file (its log, its checkpoints, its triggers) mean nothing to the server.
    static const QRegularExpression filePragma(
        QStringLiteral("^\\s*pragma\\s+(?:wal_checkpoint|journal_mode|recursive_triggers|optimize|synchronous)\\b.*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    if (m.text.contains(QLatin1String("pragma"), Qt::CaseInsensitive) && filePragma.match(m.text).hasMatch()) {
        m.text = QStringLiteral("select 1 where false");
        return;
    }
    rewriteBrackets(m);
    if (containsWord(m.text, QLatin1StringView("select")) && m.text.count(QLatin1Char('(')) > 0)
        nameSubqueries(m);
    if (m.text.contains(QLatin1Char('x')) || m.text.contains(QLatin1Char('X')))
        rewriteEmptyBlob(m);
    if (containsWord(m.text, QLatin1StringView("total")))
        rewriteCalls(m, QStringLiteral("total"), [](const QStringList& args) {
            return args.size() == 1 ? QStringLiteral("coalesce(sum(%1),0)").arg(args.at(0)) : QString();
        });
    // The file's integers have 64 bits, and its casts of a real to one cut the fraction off.
    if (containsWord(m.text, QLatin1StringView("cast")))
        rewriteCalls(m, QStringLiteral("cast"), [](const QStringList& args) {
            static const QRegularExpression asInteger(QStringLiteral("^(.*)\\s+as\\s+integer$"),
                                                      QRegularExpression::CaseInsensitiveOption |
                                                          QRegularExpression::DotMatchesEverythingOption);
            const auto match = args.size() == 1 ? asInteger.match(args.at(0)) : QRegularExpressionMatch();
            return match.hasMatch()
                       ? QStringLiteral("cast(trunc(cast(%1 as double precision)) as bigint)").arg(match.captured(1))
                       : QString();
        });
    // The file rounds halves away from zero, to a whole number as to decimals; the server's round
    // of a double rounds them to even.
    if (containsWord(m.text, QLatin1StringView("round")))
        rewriteCalls(m, QStringLiteral("round"), [](const QStringList& args) {
            if (args.size() == 1)
                return QStringLiteral("trunc((%1)+sign(%1)*0.5)").arg(args.at(0));
            if (args.size() == 2)
                return QStringLiteral("round(cast(%1 as numeric),%2)").arg(args.at(0), args.at(1));
            return QString();
        });
    if (containsWord(m.text, QLatin1StringView("group_concat")))
        rewriteCalls(m, QStringLiteral("group_concat"), [&](const QStringList& args) {
            if (args.isEmpty() || args.size() > 2)
                return QString();
            return QStringLiteral("string_agg(cast(%1 as text),%2)")
                .arg(args.at(0), args.size() == 2 ? args.at(1) : m.marker(QStringLiteral("','")));
        });
    if (containsWord(m.text, QLatin1StringView("ignore"))) {
        static const QRegularExpression orIgnore(QStringLiteral("^(\\s*insert)\\s+or\\s+ignore\\b"),
                                                 QRegularExpression::CaseInsensitiveOption);
        const auto match = orIgnore.match(m.text);
        if (match.hasMatch()) {
            m.text.replace(match.capturedStart(), match.capturedLength(), match.captured(1));
            m.text += QStringLiteral(" on conflict do nothing");
        }
    }
    if (containsWord(m.text, QLatin1StringView("printf")))
        rewriteCalls(m, QStringLiteral("printf"), [&](const QStringList& args) { return printfForServer(m, args); });
    if (containsWord(m.text, QLatin1StringView("ifnull")))
        rewriteCalls(m, QStringLiteral("ifnull"), [](const QStringList& args) {
            return args.size() == 2 ? QStringLiteral("coalesce(%1,%2)").arg(args.at(0), args.at(1)) : QString();
        });
    if (containsWord(m.text, QLatin1StringView("iif")))
        rewriteCalls(m, QStringLiteral("iif"), [](const QStringList& args) {
            return args.size() == 3
                       ? QStringLiteral("case when %1 then %2 else %3 end").arg(args.at(0), args.at(1), args.at(2))
                       : QString();
        });
    if (containsWord(m.text, QLatin1StringView("like")))
        rewriteLike(m);
    if (containsWord(m.text, QLatin1StringView("date")))
        rewriteNow(m);
    if (containsWord(m.text, QLatin1StringView("indexed"))) {
        static const QRegularExpression indexedBy(QStringLiteral("\\s+indexed\\s+by\\s+\\w+"),
                                                  QRegularExpression::CaseInsensitiveOption);
        m.text.remove(indexedBy);
    }
    rewriteCreateTable(m);
    // A number written with a point is a double on the file, so its sums and quotients are too.
    if (m.text.contains(QLatin1Char('.'))) {
        static const QRegularExpression decimal(QStringLiteral("(?<![\\w.])(\\d+\\.\\d*|\\.\\d+)(?![\\w.])"));
        m.text.replace(decimal, QStringLiteral("\\1::float8"));
    }
    if (containsWord(m.text, QLatin1StringView("select")))
        keepWrittenOrder(m);
}

} // namespace

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
