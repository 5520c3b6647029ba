#include "Receipt.h"

#include "Gbk.h"
#include "Money.h"
#include "Sql.h"

namespace {

QString columns(const QString& a, const QString& b, const QString& c, const QString& d)
{
    return Gbk::padRight(a, 16) + Gbk::padLeft(b, 8) + Gbk::padLeft(c, 8) + Gbk::padLeft(d, 8);
}

QString twoDecimals(double value)
{
    return QString::asprintf("%.2f", value);
}

} // namespace

Receipt::Receipt(Kind kind, const PrintSettings& settings, const QString& restaurant)
    : m_kind(kind), m_settings(settings), m_restaurant(restaurant)
{
}

void Receipt::setHeader(const QString& numberOrTable, const QString& cashier, const QDateTime& time)
{
    m_number = numberOrTable;
    m_cashier = cashier;
    m_time = time;
}

QString Receipt::shownItem(const QString& item, double quantity, double ratio)
{
    if (quantity < 0)
        return item + QStringLiteral("(退)");
    if (Money::cents(ratio) == 0)
        return item + QStringLiteral("(赠)");
    return item;
}

QString Receipt::cutName(const QString& name)
{
    if (Gbk::width(name) <= 14)
        return name;
    const QString cut = Gbk::cut(name, 14);
    return Gbk::width(cut) == 14 ? cut : Gbk::cut(name, 15);
}

QString Receipt::itemLine(const QString& name, const QString& quantity, const QString& price,
                          const QString& amount) const
{
    return columns(cutName(name), quantity, price, amount);
}

void Receipt::setCategoryRows(const QList<CategoryRow>& rows)
{
    m_groupedItems.clear();
    QString category;
    double quantity = 0;
    double amount = 0;
    auto subtotal = [&] {
        // A category whose items were all returned prints no subtotal.
        if (quantity > 0) {
            m_groupedItems << QStringLiteral("  小计:") + Gbk::padRight(category, 10) +
                                  Gbk::padLeft(twoDecimals(quantity) + QLatin1Char(' '), 8) +
                                  Gbk::padLeft(QString(), 7) + Gbk::padLeft(twoDecimals(amount), 8)
                           << separator();
        }
        quantity = 0;
        amount = 0;
    };
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const CategoryRow& row = rows.at(i);
        if (i > 0 && row.category != category)
            subtotal();
        category = row.category;
        quantity += row.quantity;
        amount += row.amount;
        // An item returned in full prints nothing.
        if (row.quantity > 0)
            m_groupedItems << itemLine(row.item, twoDecimals(row.quantity), row.price,
                                       twoDecimals(row.amount));
    }
    if (!rows.isEmpty())
        subtotal();
}

void Receipt::setListedRows(const QList<ListedRow>& rows)
{
    m_listedItems.clear();
    for (const ListedRow& row : rows)
        m_listedItems << itemLine(row.name, row.quantity, row.price, row.amount);
}

QString Receipt::separator() const
{
    const bool wide =
        m_kind == Kind::Table || m_kind == Kind::ModifiedBill || m_kind == Kind::SavedModification;
    return QLatin1Char(' ') + QString(wide ? 42 : 39, QLatin1Char('-'));
}

QString Receipt::headerLine() const
{
    const bool byBill = m_kind != Kind::PreReceipt && m_kind != Kind::Table;
    return (byBill ? QStringLiteral(" 账单号:") : QStringLiteral(" 餐桌名:")) + m_number +
           QStringLiteral("   收银员:") + m_cashier;
}

QStringList Receipt::totalsLines() const
{
    QStringList lines;
    const bool checkoutForm = m_kind == Kind::Checkout || m_kind == Kind::SavedModification;
    if (!checkoutForm && m_kind != Kind::Reprint)
        return lines;
    const QString& method = m_totals.method;
    // The receipt writes 挂帐 where the bill stores 挂账.
    const QString word = method == QStringLiteral("挂账") ? QStringLiteral("挂帐") : method;
    lines << separator() << QStringLiteral("优惠:          ￥") + m_totals.discount
          << QStringLiteral("实收:          ￥") + m_totals.received
          << QStringLiteral("结账方式:　　") + word;
    bool cash = method == QStringLiteral("现金");
    for (const PaymentParts::Part& part : m_totals.parts) {
        lines << Gbk::padRight(QStringLiteral("  ") + part.method + QLatin1Char(':'), 16) +
                     QStringLiteral("￥") + Sql::money(part.cents / 100.0);
        cash = cash || part.method == PaymentParts::kCash;
    }
    if (checkoutForm && cash)
        lines << QStringLiteral("预收金额:      ￥") + m_totals.paid
              << QStringLiteral("找零金额:      ￥") + m_totals.change;
    return lines;
}

QList<Receipt::Line> Receipt::drawn() const
{
    QStringList body;
    body << QStringLiteral("  ") + m_restaurant << QStringLiteral("  ") + m_settings.title2 << separator()
         << headerLine() << QStringLiteral(" 时间: ") + Sql::timeText(m_time) << separator()
         << columns(QStringLiteral(" 消费项目"), QStringLiteral("数量"), QStringLiteral("单价"),
                    QStringLiteral("金额"))
         << (m_kind == Kind::ModifiedBill ? m_listedItems : m_groupedItems)
         << Gbk::padRight(QStringLiteral("  合计"), 16) + Gbk::padLeft(m_totals.quantity, 8) +
                Gbk::padLeft(QStringLiteral("￥") + m_totals.due, 16)
         << totalsLines() << separator() << m_settings.footer1 << m_settings.footer2;
    for (int i = 0; i < m_settings.footerBlankLines(); ++i)
        body << QString();

    QList<Line> lines{{m_settings.title1, true}};
    for (const QString& text : body)
        lines.append({text, false});
    return lines;
}

QString Receipt::plain() const
{
    QStringList lines;
    lines << m_settings.title1 << m_settings.title2 << separator() << headerLine()
          << QStringLiteral(" 时间: ") + Sql::timeText(m_time) << separator()
          << columns(QStringLiteral(" 消费项目"), QStringLiteral("数量"), QStringLiteral("单价"),
                     QStringLiteral("金额"))
          << m_listedItems
          << columns(QStringLiteral(" 合计"), m_totals.quantity, QString(),
                     QStringLiteral("￥") + m_totals.due)
          << totalsLines() << separator() << m_settings.footer1 << m_settings.footer2;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n') + QString(10, QLatin1Char('\n'));
}

QList<PaymentParts::Part> Receipt::paidParts(const QList<PaymentParts::Part>& parts, const QString& received)
{
    if (parts.isEmpty())
        return {};
    const QList<PaymentParts::Part> all = PaymentParts::withCash(parts, Money::cents(received));
    return all.size() > 1 ? all : QList<PaymentParts::Part>();
}
