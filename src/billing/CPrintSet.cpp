#include "CPrintSet.h"

#include "PrinterBox.h"
#include "PrintSettings.h"
#include "Spooler.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QLineEdit* namedEdit(const QString& label, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(label);
    return edit;
}

} // namespace

CPrintSet::CPrintSet(Database& db, Spooler& spooler, QWidget* parent)
    : QWidget(parent), m_db(db), m_printAtCheckout(new QCheckBox(QStringLiteral("结账时打印小票"), this)),
      m_printer(new PrinterBox(this)), m_title1(namedEdit(QStringLiteral("小票标题一"), this)),
      m_title2(namedEdit(QStringLiteral("小票标题二"), this)),
      m_footer1(namedEdit(QStringLiteral("小票页脚一"), this)),
      m_footer2(namedEdit(QStringLiteral("小票页脚二"), this)),
      m_blankLines(namedEdit(QStringLiteral("页脚空行"), this)),
      m_kitchen(new QCheckBox(QStringLiteral("启用厨房打印"), this))
{
    setWindowTitle(QStringLiteral("打印设置"));
    m_blankLines->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_blankLines));
    const std::optional<PrintSettings> settings = PrintSettings::load(db);
    m_printer->setPrinters(spooler.printerNames(), settings ? settings->printer : QString());
    if (settings) {
        m_printAtCheckout->setChecked(settings->printAtCheckout);
        m_title1->setText(settings->title1);
        m_title2->setText(settings->title2);
        m_footer1->setText(settings->footer1);
        m_footer2->setText(settings->footer2);
        m_blankLines->setText(settings->blankLines);
        m_kitchen->setChecked(settings->kitchenPrinting);
    }

    auto* form = new QFormLayout;
    form->addRow(m_printAtCheckout);
    form->addRow(QStringLiteral("小票打印机:"), m_printer);
    form->addRow(QStringLiteral("小票标题一:"), m_title1);
    form->addRow(QStringLiteral("小票标题二:"), m_title2);
    form->addRow(QStringLiteral("小票页脚一:"), m_footer1);
    form->addRow(QStringLiteral("小票页脚二:"), m_footer2);
    form->addRow(QStringLiteral("页脚空行:"), m_blankLines);
    form->addRow(m_kitchen);

    auto* saveButton = new QPushButton(QStringLiteral("保存"), this);
    saveButton->setAutoDefault(false);
    connect(saveButton, &QPushButton::clicked, this, &CPrintSet::save);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
}

QLineEdit* CPrintSet::field(const QString& label) const
{
    return findChild<QLineEdit*>(label);
}

void CPrintSet::save()
{
    PrintSettings settings;
    settings.printAtCheckout = m_printAtCheckout->isChecked();
    settings.printer = m_printer->printer();
    settings.title1 = m_title1->text();
    settings.title2 = m_title2->text();
    settings.footer1 = m_footer1->text();
    settings.footer2 = m_footer2->text();
    settings.blankLines = m_blankLines->text();
    settings.kitchenPrinting = m_kitchen->isChecked();
    if (settings.save(m_db).input == PrintSettings::Input::BlankLines) {
        m_blankLines->setFocus();
        m_blankLines->selectAll();
    }
}
