#include "HandOverDialog.h"

#include "Clock.h"
#include "CommandRow.h"
#include "Database.h"
#include "Field.h"
#include "Money.h"
#include "PrintSettings.h"
#include "Prompt.h"
#include "ReceiptPrinter.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

HandOverDialog::HandOverDialog(Database& db, const QString& restaurant, ReceiptPrinter& printer,
                               const QString& who, const QDateTime& loginTime, QWidget* parent)
    : QDialog(parent), m_db(db), m_restaurant(restaurant), m_printer(printer),
      m_slip(HandOverSlip::compute(
          db, who, loginTime.isValid() ? loginTime : QDateTime(Clock::today(), QTime(0, 0)), Clock::now())),
      m_counted(new QLineEdit(this)), m_view(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("员工交班"));
    m_view->setReadOnly(true);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_counted->setObjectName(QStringLiteral("实点现金"));
    connect(m_counted, &QLineEdit::textEdited, this, &HandOverDialog::showSlip);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("实点现金:"), m_counted);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(form);
    layout->addLayout(commandRow(this, {{QStringLiteral("交班打印(&J)"), [this] { handOver(); }},
                                        {QStringLiteral("取消(&C)"), [this] { reject(); }}}));
    resize(420, 640);
    showSlip();
    m_counted->setFocus();
}

void HandOverDialog::showSlip()
{
    const std::optional<double> typed = Field::parseNumber(m_counted->text());
    m_slip.counted = typed ? std::optional<qint64>(Money::cents(*typed)) : std::nullopt;
    m_view->setPlainText(HandOverSlip::lines(m_slip, m_restaurant).join(QLatin1Char('\n')));
}

void HandOverDialog::handOver()
{
    if (!HandOverSlip::count(m_db.prompt(), m_slip, m_counted->text())) {
        m_counted->setFocus();
        m_counted->selectAll();
        return;
    }
    const QStringList lines = HandOverSlip::lines(m_slip, m_restaurant);
    const qint64 number = HandOverSlip::keep(m_db, m_slip, lines);
    if (number == 0)
        return;
    // Without a receipt printer the slip is only kept; 交班记录 prints it later.
    const std::optional<PrintSettings> settings = PrintSettings::load(m_db);
    if (settings && !settings->printer.isEmpty())
        m_printer.printSlip(lines, QStringLiteral("交班单%1").arg(number));
    accept();
}
