#include "ConsumptionList.h"

#include "Clock.h"
#include "Database.h"
#include "DbError.h"
#include "DishCatalogue.h"
#include "EntryFile.h"
#include "Field.h"
#include "Prompt.h"
#include "Sql.h"

#include <algorithm>

namespace {

qint64 cents(double value)
{
    return qRound64(value * 100);
}

// "%.2f", never "-0.00".
QString money(double value)
{
    return Sql::money(cents(value) / 100.0 + 0.0);
}

const QString kSelectLine = QStringLiteral("请选定消费项目!");

// A record of a copied line: name,quantity,price,ratio. The three numbers are taken from the
// right, so a comma inside a dish name survives.
struct CopiedLine
{
    QString name;
    QString quantity;
    QString price;
    QString ratio;
};

bool isNumber(const QString& text)
{
    const std::optional<double> value = Field::parseNumber(text);
    return value && qIsFinite(*value);
}

QList<CopiedLine> parseCopiedLines(const QString& body)
{
    QList<CopiedLine> records;
    for (QString record : body.split(QLatin1Char('\n'))) {
        if (record.endsWith(QLatin1Char('\r')))
            record.chop(1);
        const qsizetype ratioAt = record.lastIndexOf(QLatin1Char(','));
        const qsizetype priceAt = ratioAt > 0 ? record.lastIndexOf(QLatin1Char(','), ratioAt - 1) : -1;
        const qsizetype quantityAt = priceAt > 0 ? record.lastIndexOf(QLatin1Char(','), priceAt - 1) : -1;
        if (quantityAt <= 0)
            continue;
        CopiedLine line{
            record.left(quantityAt), record.mid(quantityAt + 1, priceAt - quantityAt - 1).trimmed(),
            record.mid(priceAt + 1, ratioAt - priceAt - 1).trimmed(), record.mid(ratioAt + 1).trimmed()};
        if (isNumber(line.quantity) && isNumber(line.price) && isNumber(line.ratio))
            records << line;
    }
    return records;
}

} // namespace

ConsumptionList::ConsumptionList(Database& db, const QString& operatorName, const QString& lowestRatio,
                                 const QString& dataFolder)
    : m_db(db), m_prompt(db.prompt()), m_operator(operatorName), m_lowestRatio(lowestRatio),
      m_folder(dataFolder)
{
}

void ConsumptionList::setTable(const QString& table)
{
    m_table = table;
}

QString ConsumptionList::title() const
{
    return QStringLiteral("“") + m_table + QStringLiteral("”餐桌消费清单");
}

QList<ConsumptionList::OccupiedTable> ConsumptionList::occupiedTables()
{
    QList<OccupiedTable> tables;
    Recordset rs;
    if (m_db.OpenRecordset(rs, QStringLiteral("select * from cz where zyzt='占用'")))
        for (; !rs.isEOF(); rs.moveNext())
            tables << OccupiedTable{rs.getString(QStringLiteral("czm")),
                                    rs.getString(QStringLiteral("yzrs"))};
    return tables;
}

QStringList ConsumptionList::categoryChoices()
{
    return DishCatalogue(m_db).categoryChoices();
}

bool ConsumptionList::LoadConsumptionList()
{
    m_lines.clear();
    Recordset rs;
    m_loaded = m_db.OpenRecordset(
        rs, QStringLiteral("select * from xfmx,xm where xfmx.czm=") + Sql::quote(m_table) +
                QStringLiteral(" and xfmx.jzbj='0' and xfmx.xfxm=xm.xmm order by xfmx.xfbh"));
    for (; m_loaded && !rs.isEOF(); rs.moveNext()) {
        ConsumptionLine line =
            newLine(rs.getString(QStringLiteral("xfxm")), rs.getString(QStringLiteral("sl")),
                    rs.getString(QStringLiteral("xmdj")), rs.getString(QStringLiteral("dzbl")));
        line.number = rs.getInt(QStringLiteral("xfbh"));
        line.category = rs.getString(QStringLiteral("lbm"));
        line.operatorName = rs.getString(QStringLiteral("jzr"));
        line.time = rs.getDateTime(QStringLiteral("xfsj"));
        line.note = rs.getString(QStringLiteral("bz"));
        const QString printed = rs.getString(QStringLiteral("sfdy"));
        line.printed = !printed.isEmpty() && printed != QLatin1String("0");
        m_lines << line;
    }
    m_nLoadedLines = int(m_lines.size());
    m_selection = m_lines.isEmpty() ? -1 : 0;
    return m_loaded;
}

QString ConsumptionList::amountTotal() const
{
    double total = 0;
    for (const ConsumptionLine& line : m_lines)
        total += line.priceValue() * line.ratioValue() * line.quantityValue();
    return money(total);
}

QString ConsumptionList::quantityTotal() const
{
    double total = 0;
    for (const ConsumptionLine& line : m_lines)
        total += line.quantityValue();
    return money(total);
}

void ConsumptionList::writeTotals()
{
    // The total of a list that could not be read would wipe the visit's.
    if (!m_loaded)
        throw DbError(QStringLiteral("消费清单未能读取"));
    const QString amount = amountTotal();
    m_db.ExecuteSql(QStringLiteral("update dj set xfhj=") + amount + QStringLiteral(" where czm=") +
                    Sql::quote(m_table) + QStringLiteral(" and xfzt='占用'"));
    m_db.ExecuteSql(QStringLiteral("update cz set xfhj=") + amount + QStringLiteral(" where czm=") +
                    Sql::quote(m_table));
}

bool ConsumptionList::RecalcTotals()
{
    if (!m_loaded)
        return false;
    try {
        Transaction transaction(m_db);
        writeTotals();
        transaction.commit();
        return true;
    } catch (const DbError& e) {
        reportFailure(QString(), e.description());
        return false;
    }
}

void ConsumptionList::reportFailure(const QString& message, const QString& description)
{
    m_prompt.warn(message.isEmpty() ? QStringLiteral("ADO Error: %1").arg(description) : message);
}

QColor ConsumptionList::colour(int row) const
{
    const ConsumptionLine& line = m_lines.at(row);
    if (line.isReturn())
        return QColor(255, 0, 0);
    if (line.isGift())
        return QColor(255, 153, 0);
    if (isNewLine(row))
        return QColor(0, 0, 255);
    return QColor();
}

bool ConsumptionList::mayDelete(int row) const
{
    return isNewLine(row) && !m_lines.at(row).printed;
}

LineActions ConsumptionList::actions(int row) const
{
    return LineActions::forLine(m_lines.at(row), mayDelete(row));
}

bool ConsumptionList::checkRow(int row)
{
    if (row >= 0 && row < m_lines.size())
        return true;
    m_prompt.warn(kSelectLine);
    return false;
}

int ConsumptionList::insertLine(const ConsumptionLine& line, double discount, bool returnLine)
{
    QString columns = QStringLiteral("czm,xfxm,sl,xmdj,dzbl,dzje,ysje,jzr,xfsj");
    QString values = Sql::quote(m_table) + QLatin1Char(',') + Sql::quote(line.name) + QLatin1Char(',') +
                     Sql::quote(line.quantity) + QLatin1Char(',') + Sql::quote(line.price) +
                     QLatin1Char(',') + Sql::quote(line.ratio) + QLatin1Char(',') + money(discount) +
                     QLatin1Char(',') + money(line.quantityValue() * line.priceValue() * line.ratioValue()) +
                     QLatin1Char(',') + Sql::quote(line.operatorName) + QLatin1Char(',') +
                     Sql::quote(Sql::timeText(line.time));
    if (returnLine) {
        columns += QStringLiteral(",tdbj,tdbz");
        values += QStringLiteral(",'1.00',") + Sql::quote(line.note);
    }
    m_db.ExecuteSql(QStringLiteral("insert into xfmx(") + columns + QStringLiteral(") values(") + values +
                    QLatin1Char(')'));
    return m_db.query(QStringLiteral("SELECT @@Identity as xfbh from xfmx")).getInt(QStringLiteral("xfbh"));
}

ConsumptionLine ConsumptionList::newLine(const QString& name, const QString& quantity, const QString& price,
                                         const QString& ratio) const
{
    ConsumptionLine line;
    line.name = name;
    line.quantity = money(Field::toDouble(quantity));
    line.price = money(Field::toDouble(price));
    line.ratio = money(Field::toDouble(ratio));
    line.amount = money(line.quantityValue() * line.priceValue() * line.ratioValue());
    line.operatorName = m_operator;
    line.time = Clock::now();
    return line;
}

bool ConsumptionList::inTransaction(const std::function<void()>& work, const QString& failure)
{
    const QList<ConsumptionLine> lines = m_lines;
    const int loaded = m_nLoadedLines;
    try {
        Transaction transaction(m_db);
        work();
        transaction.commit();
        return true;
    } catch (const DbError& e) {
        m_lines = lines;
        m_nLoadedLines = loaded;
        reportFailure(failure, e.description());
        return false;
    }
}

ConsumptionList::AddResult ConsumptionList::AddLine(QString& quantity, const Dish& dish)
{
    const double value = Field::toDouble(quantity);
    if (cents(value) == 0) {
        m_prompt.warn(QStringLiteral("请指定消费数量!"));
        return AddResult::BadQuantity;
    }
    quantity = money(value);
    if (dish.name.isEmpty()) {
        m_prompt.warn(kSelectLine);
        return AddResult::NoDish;
    }
    if (m_lines.size() > kMaxLines) {
        m_prompt.warn(QStringLiteral("消费项目超过系统限制!"));
        return AddResult::TooMany;
    }
    ConsumptionLine line = newLine(dish.name, quantity, dish.price, QStringLiteral("1.00"));
    line.category = dish.category;
    if (!inTransaction(
            [&] {
                line.number = insertLine(line, 0, false);
                m_lines << line;
                writeTotals();
            },
            QStringLiteral("增加消费发生异常,增加失败!")))
        return AddResult::Failed;
    m_bChanged = true;
    m_selection = int(m_lines.size()) - 1;
    quantity = QStringLiteral("1");
    return AddResult::Added;
}

bool ConsumptionList::ReturnOrDeleteLine(int row, const ReturnAsker& askReturn)
{
    if (!checkRow(row))
        return false;
    // A line the kitchen has seen can only be returned, with a reason.
    if (mayDelete(row))
        return deleteLine(row);

    const ConsumptionLine& line = m_lines.at(row);
    if (line.isGift()) {
        m_prompt.warn(QStringLiteral("赠送的项目不能退单!"));
        return false;
    }
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from xfmx where xfbh=") +
                                    QString::number(line.number)) ||
        rs.isEOF() || cents(rs.getDouble(QStringLiteral("sl"))) < 0)
        return false;
    ReturnEntry entry;
    entry.name = line.name;
    entry.returnable = rs.getDouble(QStringLiteral("sl")) - rs.getDouble(QStringLiteral("tdsl"));
    if (cents(entry.returnable) <= 0) {
        m_prompt.warn(QStringLiteral("此项目已经退单!"));
        return false;
    }
    entry.returnableText = money(entry.returnable);
    entry.quantity = entry.returnableText;
    const EntryFile reasons(m_folder, kReturnReasonFile);
    entry.reasons = reasons.entries();
    if (!askReturn(entry) || !checkReturnEntry(entry))
        return false;
    reasons.remember(entry.reason);

    const double q = cents(Field::toDouble(entry.quantity)) / 100.0;
    ConsumptionLine back = newLine(line.name, QStringLiteral("-") + money(q), line.price, line.ratio);
    back.category = line.category;
    back.note = entry.reason;
    const double discount = (1 - line.ratioValue()) * line.priceValue() * -q;
    const int number = line.number;
    if (!inTransaction(
            [&] {
                back.number = insertLine(back, discount, true);
                // tdsl grows by q ("tdsl-" followed by a negative text would read as a comment).
                m_db.ExecuteSql(QStringLiteral("update xfmx set tdsl=tdsl+") + money(q) +
                                QStringLiteral(",tdbj='1' where xfbh=") + QString::number(number));
                m_lines << back;
                writeTotals();
            },
            QStringLiteral("退单发生异常,退单失败!")))
        return false;
    m_bChanged = true;
    m_selection = row;
    return true;
}

bool ConsumptionList::checkReturnEntry(const ReturnEntry& entry, ReturnField* focus) const
{
    const qint64 quantity = cents(Field::toDouble(entry.quantity));
    ReturnField wrong = ReturnField::None;
    if (quantity <= 0) {
        m_prompt.warn(QStringLiteral("请指定数量!"));
        wrong = ReturnField::Quantity;
    } else if (quantity > cents(entry.returnable)) {
        m_prompt.warn(QStringLiteral("数量不正确，请从新输入!"));
        wrong = ReturnField::Quantity;
    } else if (entry.reason.trimmed().isEmpty()) {
        m_prompt.warn(QStringLiteral("退菜原因不能为空!"));
        wrong = ReturnField::Reason;
    } else if (const QString refusal = EntryFile(m_folder, kReturnReasonFile).refusal(entry.reason);
               !refusal.isEmpty()) {
        m_prompt.warn(refusal);
        wrong = ReturnField::Reason;
    }
    if (focus)
        *focus = wrong;
    return wrong == ReturnField::None;
}

bool ConsumptionList::deleteLine(int row)
{
    const ConsumptionLine& line = m_lines.at(row);
    if (line.isReturn()) {
        m_prompt.warn(QStringLiteral("退单项目不能删除!"));
        return false;
    }
    if (line.isGift()) {
        m_prompt.warn(QStringLiteral("赠单项目不能删除!"));
        return false;
    }
    if (!m_prompt.ask(QStringLiteral("真的要删除选定项目吗？")))
        return false;
    const int number = line.number;
    if (!inTransaction(
            [&] {
                m_db.ExecuteSql(QStringLiteral("delete* from xfmx where xfbh=") + QString::number(number));
                m_lines.removeAt(row);
                writeTotals();
            },
            QString()))
        return false;
    m_bChanged = true;
    m_selection = m_lines.isEmpty() ? -1 : std::max(row - 1, 0);
    return true;
}

bool ConsumptionList::lineHasReturns(int row)
{
    const ConsumptionLine& line = m_lines.at(row);
    if (line.isReturn())
        return true;
    Recordset rs;
    return m_db.OpenRecordset(rs, QStringLiteral("select * from xfmx where xfbh=") +
                                      QString::number(line.number) + QStringLiteral(" and tdbj='1'")) &&
           !rs.isEOF();
}

bool ConsumptionList::ToggleGift(int row)
{
    if (!checkRow(row))
        return false;
    if (lineHasReturns(row)) {
        m_prompt.warn(QStringLiteral("执行过退单操作的项目不能赠送!"));
        return false;
    }
    ConsumptionLine line = m_lines.at(row);
    const bool give = !line.isGift();
    QString update;
    if (give) {
        if (!m_prompt.ask(QStringLiteral("真的要赠送'") + line.name + QStringLiteral("'吗？")))
            return false;
        update = QStringLiteral("update xfmx set dzbl=0,dzje=xmdj*sl,ysje=0 where xfbh=");
        line.ratio = money(0);
        line.amount = money(0);
    } else {
        if (!m_prompt.ask(QStringLiteral("真的要取消'") + line.name + QStringLiteral("'的赠送吗？")))
            return false;
        update = QStringLiteral("update xfmx set dzbl=1,dzje=0,ysje=xmdj*sl where xfbh=");
        line.ratio = money(1);
        line.amount = money(line.quantityValue() * line.priceValue());
    }
    if (!inTransaction(
            [&] {
                m_db.ExecuteSql(update + QString::number(line.number));
                m_lines[row] = line;
                writeTotals();
            },
            QString()))
        return false;
    m_bChanged = true;
    m_selection = row;
    return true;
}

bool ConsumptionList::TransferLine(int row, const TransferAsker& askTarget)
{
    if (!checkRow(row))
        return false;
    if (lineHasReturns(row)) {
        m_prompt.warn(QStringLiteral("执行过退单操作的项目不能转单!"));
        return false;
    }
    const ConsumptionLine line = m_lines.at(row);
    if (line.isGift()) {
        m_prompt.warn(QStringLiteral("赠送的项目不能转单!"));
        return false;
    }
    TransferEntry entry{m_table, line.name, line.amount, QString()};
    if (!askTarget(entry) || !checkTransferTarget(entry.target))
        return false;
    const QString amount = money(Field::toDouble(line.amount));
    const QString target = Sql::quote(entry.target);
    if (!inTransaction(
            [&] {
                m_db.ExecuteSql(QStringLiteral("update xfmx set czm=") + target +
                                QStringLiteral(" where xfbh=") + QString::number(line.number));
                m_db.ExecuteSql(QStringLiteral("update dj set xfhj=xfhj+") + amount +
                                QStringLiteral(" where czm=") + target + QStringLiteral(" and xfzt='占用'"));
                m_db.ExecuteSql(QStringLiteral("update cz set xfhj=xfhj+") + amount +
                                QStringLiteral(" where czm=") + target);
                if (!isNewLine(row))
                    --m_nLoadedLines;
                m_lines.removeAt(row);
                writeTotals();
            },
            QStringLiteral("转单发生异常,转单失败!")))
        return false;
    m_bChanged = true;
    m_selection = m_lines.isEmpty() ? -1 : std::max(row - 1, 0);
    return true;
}

bool ConsumptionList::checkTransferTarget(const QString& target)
{
    if (target == m_table) {
        m_prompt.warn(QStringLiteral("目标餐桌不能是当前餐桌!"));
        return false;
    }
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from cz where czm=") + Sql::quote(target) +
                                    QStringLiteral(" and zyzt='占用' ")) ||
        rs.isEOF()) {
        m_prompt.warn(QStringLiteral("请指定为占用的餐桌!"));
        return false;
    }
    return true;
}

QStringList ConsumptionList::tasteChoices() const
{
    return EntryFile(m_folder, kTasteFile).entries();
}

bool ConsumptionList::readNote(int row, QString* note)
{
    if (!checkRow(row))
        return false;
    Recordset rs;
    if (!m_db.OpenRecordset(rs, QStringLiteral("select * from xfmx where xfbh=") +
                                    QString::number(m_lines.at(row).number)))
        return false;
    if (rs.isEOF()) {
        m_prompt.warn(QStringLiteral("没有相关消费!"));
        return false;
    }
    *note = rs.getString(QStringLiteral("bz"));
    return true;
}

bool ConsumptionList::SetNote(int row, const QString& text)
{
    QString stored;
    if (!readNote(row, &stored))
        return false;
    const EntryFile tastes(m_folder, kTasteFile);
    if (const QString refusal = tastes.refusal(text); !refusal.isEmpty()) {
        m_prompt.warn(refusal);
        return false;
    }
    tastes.remember(text);
    if (!inTransaction(
            [&] {
                m_db.ExecuteSql(QStringLiteral("update xfmx set bz=") + Sql::quote(text) +
                                QStringLiteral(" where xfbh=") + QString::number(m_lines.at(row).number));
                m_lines[row].note = text;
            },
            QString()))
        return false;
    m_selection = row;
    return true;
}

QString ConsumptionList::CopyLines(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (!checkRow(rows.isEmpty() ? -1 : rows.first()) || !checkRow(rows.last()))
        return QString();
    QString text = kClipboardHeader + QLatin1Char('\n');
    for (int row : rows) {
        const ConsumptionLine& line = m_lines.at(row);
        text += line.name + QLatin1Char(',') + line.quantity + QLatin1Char(',') + line.price +
                QLatin1Char(',') + line.ratio + QStringLiteral("\r\n");
    }
    return text;
}

bool ConsumptionList::PasteLines(const QString& text)
{
    if (!text.startsWith(kClipboardHeader)) {
        RecalcTotals();
        return false;
    }
    const qsizetype headerEnd = text.indexOf(QLatin1Char('\n'));
    bool pasted = false;
    QStringList refused, outOfBounds;
    const qint64 lowest = cents(Field::toDouble(m_lowestRatio));
    for (const CopiedLine& copied : parseCopiedLines(headerEnd < 0 ? QString() : text.mid(headerEnd + 1))) {
        // A line of no dish would be billed at checkout but never listed here.
        Recordset dish;
        if (!m_db.OpenRecordset(dish, QStringLiteral("select xmm,dj,sfdz from xm where xmm=") +
                                          Sql::quote(copied.name)))
            break;
        if (dish.isEOF()) {
            refused << copied.name;
            continue;
        }
        // Clipboard text is typed text: the catalogue's price; what this operator may discount.
        const qint64 ratio = cents(Field::toDouble(copied.ratio));
        const bool discounted = ratio != 0 && ratio != 100;
        if (cents(Field::toDouble(copied.quantity)) <= 0 || ratio < 0 || ratio > 100 ||
            (discounted &&
             (ratio < lowest || dish.getString(QStringLiteral("sfdz")) != QLatin1String("1")))) {
            outOfBounds << copied.name;
            continue;
        }
        const ConsumptionLine line =
            newLine(copied.name, copied.quantity, dish.getString(QStringLiteral("dj")), copied.ratio);
        const double discount = (1 - line.ratioValue()) * line.quantityValue() * line.priceValue();
        if (!inTransaction([&] { insertLine(line, discount, false); },
                           QStringLiteral("粘贴消费发生异常,增加失败!")))
            break;
        m_bChanged = pasted = true;
    }
    LoadConsumptionList();
    RecalcTotals();
    if (!refused.isEmpty())
        m_prompt.warn(QStringLiteral("以下项目不是消费项目,未粘贴:") + refused.join(QStringLiteral("、")));
    if (!outOfBounds.isEmpty())
        m_prompt.warn(QStringLiteral("以下项目的数量或折扣超出允许范围,未粘贴:") + outOfBounds.join(u'、'));
    return pasted;
}

void ConsumptionList::markPrinted(int row)
{
    m_lines[row].printed = true;
}
