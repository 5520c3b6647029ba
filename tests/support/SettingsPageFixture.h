#pragma once

#include "DefaultPrinter.h"
#include "Operator.h"
#include "TestDatabase.h"

#include <functional>
#include <QStringList>
#include <QTimer>

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

// While it lives, runs `act` once on the next modal dialog that comes up.
class ModalHandler final
{
public:
    explicit ModalHandler(std::function<void(QWidget*)> act);

    bool handled() const { return m_handled; }

private:
    std::function<void(QWidget*)> m_act;
    QTimer m_timer;
    bool m_handled = false;
    int m_focusTicks = 0;
};
// Types as the keyboard does: keys for ASCII, an input method's committed text otherwise.
void typeText(QWidget* widget, const QString& text);
// The button of `parent` with this text; inside the group box of that title when one is given.
QPushButton* buttonOf(QWidget* parent, const QString& text, const QString& group = QString());
