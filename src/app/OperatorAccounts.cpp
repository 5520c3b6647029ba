#include "OperatorAccounts.h"

#include "Access.h"
#include "Database.h"
#include "DbError.h"
#include "Field.h"
#include "Operator.h"
#include "OperatorChange.h"
#include "OperatorLog.h"
#include "PasswordHash.h"
#include "Prompt.h"
#include "Sql.h"

#include <algorithm>

namespace {

QString rightValue(bool granted)
{
    return granted ? QStringLiteral("1") : QStringLiteral("0");
}

bool hasPassword(const Recordset& user)
{
    return !user.getString(QStringLiteral("mm")).isEmpty();
}

QString userWhereName(const QString& name)
{
    return QStringLiteral("select * from [user] where xm=") + Sql::quote(name) + QStringLiteral(" ");
}

} // namespace

OperatorAccounts::OperatorAccounts(Database& db, Prompt& prompt) : m_db(db), m_prompt(prompt) {}

QStringList OperatorAccounts::names()
{
    QStringList names;
    Recordset users;
    if (!m_db.OpenRecordset(users, QStringLiteral("select * from [user]")))
        return names;
    for (; !users.isEOF(); users.moveNext())
        names << users.getString(QStringLiteral("xm"));
    names.sort();
    return names;
}

bool OperatorAccounts::openUnlessLocked(const QString& name, OperatorLog& log, Recordset& user)
{
    if (const int wait = log.wait(name); wait > 0) {
        m_prompt.warn(OperatorLog::waitMessage(wait));
        return false;
    }
    return m_db.OpenRecordset(user, userWhereName(name));
}

bool OperatorAccounts::login(const QString& name, const QString& password, Operator& loggedIn,
                             bool* mustSetPassword)
{
    if (mustSetPassword)
        *mustSetPassword = false;
    OperatorLog log(m_db);
    Recordset user;
    if (!openUnlessLocked(name, log, user))
        return false;
    const QString stored = user.isEOF() ? QString() : user.getString(QStringLiteral("mm"));
    // Until 系统管理员 has a password, whoever logs in first could take the account: nobody else
    // logs in before it has one.
    if (name != Operator::kAdministrator && !administratorHasPassword()) {
        m_prompt.warn(kAdministratorFirst);
        return false;
    }
    if (!user.isEOF() && stored.isEmpty() && password.isEmpty()) {
        // An account without a password gets one before anything else.
        if (mustSetPassword)
            *mustSetPassword = true;
        return false;
    }
    if (user.isEOF() || stored.isEmpty() || !PasswordHash::matches(password, stored)) {
        log.record(name, OperatorLog::kLoginFailed);
        m_prompt.warn(QStringLiteral("密码不正确!"));
        return false;
    }
    loggedIn = Operator::fromRecord(user);
    log.record(name, OperatorLog::kLogin);
    return true;
}

bool OperatorAccounts::setFirstPassword(const QString& name, const QString& newPassword,
                                        const QString& confirmation, Operator& loggedIn)
{
    if (newPassword.isEmpty()) {
        m_prompt.warn(QStringLiteral("密码不能为空!"));
        return false;
    }
    if (newPassword != confirmation) {
        m_prompt.warn(QStringLiteral("两次密码输入不一致!"));
        return false;
    }
    try {
        Transaction transaction(m_db);
        // Only an account that still has no password: one set meanwhile is not replaced.
        m_db.ExecuteSql(QStringLiteral("update [user] set mm=") +
                        Sql::quote(PasswordHash::make(newPassword)) + QStringLiteral(" where xm=") +
                        Sql::quote(name) + QStringLiteral(" and coalesce(mm,'')=''"));
        Recordset user = m_db.query(userWhereName(name));
        if (user.isEOF() || !PasswordHash::matches(newPassword, user.getString(QStringLiteral("mm")))) {
            m_prompt.warn(QStringLiteral("密码不正确!"));
            return false;
        }
        OperatorLog log(m_db);
        log.record(name, QStringLiteral("设置密码"), true);
        log.record(name, OperatorLog::kLogin, true);
        transaction.commit();
        loggedIn = Operator::fromRecord(user);
        return true;
    } catch (const DbError& e) {
        m_prompt.warn(QStringLiteral("ADO Error: %1").arg(e.description()));
        return false;
    }
}

bool OperatorAccounts::vouch(const QString& name, const QString& password)
{
    OperatorLog log(m_db);
    Recordset user;
    if (!openUnlessLocked(name, log, user))
        return false;
    // An account without a password vouches for nothing: anyone could name it.
    if (user.isEOF() || !hasPassword(user) ||
        !PasswordHash::matches(password, user.getString(QStringLiteral("mm")))) {
        log.record(name, OperatorLog::kVouchFailed);
        m_prompt.warn(QStringLiteral("密码不正确!"));
        return false;
    }
    log.record(name, OperatorLog::kVouch);
    return true;
}

bool OperatorAccounts::administratorHasPassword()
{
    Recordset admin;
    return m_db.OpenRecordset(admin, userWhereName(Operator::kAdministrator)) && !admin.isEOF() &&
           hasPassword(admin);
}

bool OperatorAccounts::changePassword(const QString& name, const QString& oldPassword,
                                      const QString& newPassword, const QString& confirmation)
{
    Recordset user;
    if (!m_db.OpenRecordset(user, userWhereName(name)))
        return false;
    if (user.isEOF() || !PasswordHash::matches(oldPassword, user.getString(QStringLiteral("mm")))) {
        m_prompt.warn(QStringLiteral("原密码不正确!"));
        return false;
    }
    if (newPassword != confirmation) {
        m_prompt.warn(QStringLiteral("两次密码输入不一致!"));
        return false;
    }
    // An empty password would open the account to anyone.
    if (newPassword.isEmpty()) {
        m_prompt.warn(QStringLiteral("密码不能为空!"));
        return false;
    }
    if (!writeLogged(QStringLiteral("update   [user] set mm=") + Sql::quote(PasswordHash::make(newPassword)) +
                         QStringLiteral(" where xm=") + Sql::quote(name),
                     name, QStringLiteral("更改密码")))
        return false;
    m_prompt.info(QStringLiteral("更改成功!"));
    return true;
}

QList<OperatorRecord> OperatorAccounts::list()
{
    QList<OperatorRecord> rows;
    Recordset users;
    if (!m_db.OpenRecordset(users, QStringLiteral("select * from [user]")))
        return rows;
    for (; !users.isEOF(); users.moveNext()) {
        OperatorRecord row;
        row.name = users.getString(QStringLiteral("xm"));
        row.phone = users.getString(QStringLiteral("dh"));
        row.lowestDiscount = Sql::money(users.getDouble(QStringLiteral("dzbl")));
        row.largestRoundOff = Sql::money(users.getDouble(QStringLiteral("zdmlje")));
        row.note = users.getString(QStringLiteral("bz"));
        rows << row;
    }
    return rows;
}

bool OperatorAccounts::mayAdd(const Operator& current)
{
    return Access::granted(current, Right::Czyqx, m_prompt);
}

bool OperatorAccounts::mayChange(const Operator& current, const QString& selected)
{
    if (!current.isAdministrator() && !Access::granted(current, Right::Czyqx, m_prompt))
        return false;
    if (selected.isEmpty()) {
        m_prompt.warn(QStringLiteral("请选定要修改的操作员!"));
        return false;
    }
    if (selected == Operator::kAdministrator && !current.isAdministrator()) {
        m_prompt.warn(OperatorChange::kOnlyAdministratorEdits);
        return false;
    }
    return true;
}

bool OperatorAccounts::remove(const Operator& current, const QString& selected)
{
    if (!Access::granted(current, Right::Czyqx, m_prompt))
        return false;
    if (selected.isEmpty()) {
        m_prompt.warn(QStringLiteral("请选定要删除的操作员!"));
        return false;
    }
    if (selected == Operator::kAdministrator) {
        m_prompt.warn(QStringLiteral("不能删除'系统管理员'!"));
        return false;
    }
    if (selected == current.name()) {
        m_prompt.warn(QStringLiteral("不能删除当前操作员!"));
        return false;
    }
    if (!m_prompt.ask(QStringLiteral("是否真的要删除此操作员!")))
        return false;
    return writeLogged(QStringLiteral("delete * from [user] where xm=") + Sql::quote(selected),
                       current.name(), QStringLiteral("删除操作员“") + selected + QStringLiteral("”"));
}

bool OperatorAccounts::writeLogged(const QString& statement, const QString& who, const QString& entry)
{
    try {
        Transaction transaction(m_db);
        m_db.ExecuteSql(statement);
        OperatorLog(m_db).record(who, entry, true);
        transaction.commit();
        return true;
    } catch (const DbError& e) {
        m_prompt.warn(QStringLiteral("ADO Error: %1").arg(e.description()));
        return false;
    }
}

OperatorRecord OperatorAccounts::read(const QString& name, bool* hasPassword)
{
    OperatorRecord record;
    record.name = name;
    Recordset user;
    if (!m_db.OpenRecordset(user, userWhereName(name)) || user.isEOF())
        return record;
    record.phone = user.getString(QStringLiteral("dh"));
    record.lowestDiscount = Sql::money(user.getDouble(QStringLiteral("dzbl")));
    record.largestRoundOff = Sql::money(user.getDouble(QStringLiteral("zdmlje")));
    record.note = user.getString(QStringLiteral("bz"));
    for (int i = 0; i < Rights::kCount; ++i)
        record.rights[i] = user.getString(Rights::column(Rights::at(i))) == QLatin1String("1");
    if (hasPassword)
        *hasPassword = !user.getString(QStringLiteral("mm")).isEmpty();
    return record;
}

bool OperatorAccounts::checkLowestDiscount(const QString& text)
{
    const double ratio = Field::toDouble(text);
    if (ratio >= 0 && ratio <= 1)
        return true;
    m_prompt.warn(QStringLiteral("最低打折比例错误，应为0.00-1.00之间!"));
    return false;
}

bool OperatorAccounts::exists(const QString& name)
{
    // "郑丽 " beside "郑丽" would be a look-alike in every list that shows operators.
    const QStringList all = names();
    return std::any_of(all.begin(), all.end(), [&name](const QString& n) { return n.trimmed() == name; });
}

bool OperatorAccounts::mayResetPassword(const Operator& current, bool adding)
{
    return adding || current.isAdministrator();
}

bool OperatorAccounts::save(const Operator& current, OperatorRecord& record, const QString& password,
                            const QString& confirmation, bool adding)
{
    if (adding)
        record.name = record.name.trimmed();
    if (record.name.trimmed().isEmpty()) {
        m_prompt.warn(QStringLiteral("操作员姓名不能为空!"));
        return false;
    }
    if (adding && exists(record.name)) {
        m_prompt.warn(QStringLiteral("已经存在此操作员！"));
        return false;
    }
    const bool keepPassword = !adding && password == kUnchangedPassword && confirmation == kUnchangedPassword;
    if (password != confirmation) {
        m_prompt.warn(QStringLiteral("两次输入密码不同!"));
        return false;
    }
    // A limit that is not a number reads as zero; a negative one is no limit either.
    if (Field::toDouble(record.largestRoundOff) <= 0) {
        m_prompt.warn(QStringLiteral("最大抹零金额必须大于零!"));
        return false;
    }
    if (!checkLowestDiscount(record.lowestDiscount))
        return false;

    record.lowestDiscount = Sql::money(Field::toDouble(record.lowestDiscount));
    record.largestRoundOff = Sql::money(Field::toDouble(record.largestRoundOff));
    const OperatorRecord before =
        adding ? OperatorRecord{record.name, {}, {}, {}, {}, {}} : read(record.name);
    const OperatorChange change(current, before, record, adding, !keepPassword);
    if (const QString refusal = change.refusal(); !refusal.isEmpty()) {
        m_prompt.warn(refusal);
        return false;
    }
    const QString storedPassword = keepPassword ? QString() : PasswordHash::make(password);

    QString statement;
    if (adding) {
        QStringList values{record.name, storedPassword, record.phone, record.lowestDiscount};
        // The insert lists the rights in their stored order, which differs from the dialog's.
        for (Right r :
             {Right::Kdqx,     Right::Ddqx,   Right::Jzqx,   Right::Gzjzqx, Right::Ydqx,   Right::Xgzdqx,
              Right::Fjqx,     Right::Czqx,   Right::Xmlbqx, Right::Xmqx,   Right::Czyqx,  Right::Fwsqx,
              Right::Hyqx,     Right::Symxqx, Right::Syhzqx, Right::Xstjqx, Right::Tdcxqx, Right::Zdcxqx,
              Right::Ldxfcxqx, Right::Sjqlqx, Right::Sjhyqx})
            values << rightValue(record.rights[int(r)]);
        values << record.largestRoundOff << record.note;
        for (QString& v : values)
            v = Sql::quote(v);
        statement =
            QStringLiteral("insert into [user](xm,mm,dh,dzbl,kdqx,ddqx,jzqx,gzjzqx,ydqx,xgzdqx,fjqx,czqx,"
                           "xmlbqx,xmqx,czyqx,fwsqx,hyqx,symxqx,syhzqx,xstjqx,tdcxqx,zdcxqx,ldxfcxqx,"
                           "sjqlqx,sjhyqx,zdmlje,bz) values(") +
            values.join(QLatin1Char(',')) + QLatin1Char(')');
    } else {
        QStringList sets;
        auto set = [&sets](const QString& column, const QString& value) {
            sets << column + QLatin1Char('=') + Sql::quote(value);
        };
        if (!keepPassword)
            set(QStringLiteral("mm"), storedPassword);
        set(QStringLiteral("dh"), record.phone);
        set(QStringLiteral("dzbl"), record.lowestDiscount);
        for (int i = 0; i < Rights::kCount; ++i)
            set(Rights::column(Rights::at(i)), rightValue(record.rights[i]));
        set(QStringLiteral("zdmlje"), record.largestRoundOff);
        set(QStringLiteral("bz"), record.note);
        statement = QStringLiteral("update [user] set ") + sets.join(QLatin1Char(',')) +
                    QStringLiteral(" where xm=") + Sql::quote(record.name);
    }
    return writeLogged(statement, current.name(), change.logEntry());
}
