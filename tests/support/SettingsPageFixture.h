#pragma once

#include "DefaultPrinter.h"
#include "Operator.h"
#include "TestDatabase.h"

#include <QStringList>

class QPushButton;
class QWidget;

// A fresh database and an operator holding every right except those named (their [user]
// columns), for driving a settings page.
struct SettingsPageFixture
{
    explicit SettingsPageFixture(const QStringList& without = {});

    // One column of every row of a statement.
    QStringList values(const QString& statement, const QString& column);

    TestDatabase t;
    Operator op;
    DefaultPrinter printer;
};

// Adds an operator holding every right except those named (their [user] columns), with this
// password.
void addOperator(TestDatabase& t, const QString& name, const QStringList& without = {},
                 const QString& password = {});
// Types as the keyboard does: keys for ASCII, an input method's committed text otherwise.
void typeText(QWidget* widget, const QString& text);
// The button of `parent` with this text; inside the group box of that title when one is given.
QPushButton* buttonOf(QWidget* parent, const QString& text, const QString& group = QString());
