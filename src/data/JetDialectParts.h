#pragma once

// The pieces the dialect's two targets share (JetDialect.cpp, JetDialectServer.cpp); not for use
// outside the dialect.
#include "Backend.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace JetDialectParts {

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

bool containsWord(const QString& text, QLatin1StringView word);
// Index of the parenthesis closing the one opened just before `from`, or -1.
qsizetype matchingParen(const QString& text, qsizetype from);
// The arguments of the call whose parenthesis opens just before `from`, split at its own commas;
// `close` gets the index of its closing parenthesis (-1 when it has none).
QStringList arguments(const QString& text, qsizetype from, qsizetype& close);

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

// The rewrites for PostgreSQL, after those both targets share.
void rewriteForServer(Masked& m);

} // namespace JetDialectParts
