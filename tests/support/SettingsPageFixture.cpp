#include "SettingsPageFixture.h"

#include "PasswordHash.h"
#include "Rights.h"
#include "Sql.h"

#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QTest>

void addOperator(TestDatabase& t, const QString& name, const QStringList& without, const QString& password)
{
    QStringList rights;
    for (int i = 0; i < Rights::kCount; ++i) {
        const QString right = Rights::column(Rights::at(i));
        rights << right + (without.contains(right) ? QStringLiteral("='0'") : QStringLiteral("='1'"));
    }
    t.exec(QStringLiteral("insert into [user](xm,mm) values(%1,%2)")
               .arg(Sql::quote(name), Sql::quote(PasswordHash::make(password))));
    t.exec(QStringLiteral("update [user] set %1 where xm=%2").arg(rights.join(','), Sql::quote(name)));
}

SettingsPageFixture::SettingsPageFixture(const QStringList& without)
{
    addOperator(t, QStringLiteral("经理"), without);
    op = Operator::fromRecord(t.db.query(QStringLiteral("select * from [user] where xm='经理'")));
}

QStringList SettingsPageFixture::values(const QString& statement, const QString& column)
{
    QStringList result;
    for (Recordset rs = t.db.query(statement); !rs.isEOF(); rs.moveNext())
        result << rs.getString(column);
    return result;
}

void typeText(QWidget* widget, const QString& text)
{
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QTest::keyClicks(widget, text);
        return;
    }
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

QPushButton* buttonOf(QWidget* parent, const QString& text, const QString& group)
{
    if (!group.isEmpty()) {
        for (QGroupBox* box : parent->findChildren<QGroupBox*>())
            if (box->title() == group)
                parent = box;
    }
    for (QPushButton* button : parent->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}
