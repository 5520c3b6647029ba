#include "CZjXfDlg.h"

#include "CPrintListReportCtrl.h"
#include "Database.h"
#include "DishList.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CZjXfDlg::CZjXfDlg(Database& db, const BillModification& bill, DefaultPrinter& defaultPrinter,
                   QWidget* parent)
    : QDialog(parent), m_bill(bill), m_category(new QComboBox(this)), m_search(new QLineEdit(this)),
      m_dishes(new DishList(db, defaultPrinter, this)), m_quantity(new QLineEdit(QStringLiteral("1"), this)),
      m_list(new CPrintListReportCtrl(db.prompt(), defaultPrinter, this))
{
    setWindowTitle(QStringLiteral("增加消费"));
    m_category->addItems(DishCatalogue(db).categoryChoices());
    connect(m_category, &QComboBox::currentTextChanged, this,
            [this](const QString& category) { m_dishes->FillDishList(DishCatalogue::inCategory(category)); });
    connect(m_search, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_dishes->FillDishList(DishCatalogue::matching(text)); });
    m_dishes->FillDishList(DishCatalogue::wholeCatalogue());
    m_list->SetColumnSpec(kColumns);
    m_list->setGridLines(true);

    auto* find = new QHBoxLayout;
    find->addWidget(new QLabel(QStringLiteral("类别:"), this));
    find->addWidget(m_category, 1);
    find->addWidget(new QLabel(QStringLiteral("简拼或编号:"), this));
    find->addWidget(m_search, 1);
    find->addWidget(new QLabel(QStringLiteral("数量:"), this));
    find->addWidget(m_quantity);
    auto* add = new QPushButton(QStringLiteral("添加"), this);
    find->addWidget(add);
    connect(add, &QPushButton::clicked, this, &CZjXfDlg::addLine);

    auto* chosenBox = new QGroupBox(QStringLiteral("餐桌消费清单"), this);
    (new QVBoxLayout(chosenBox))->addWidget(m_list);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const QString& text : {QStringLiteral("删除"), QStringLiteral("确定"), QStringLiteral("取消")}) {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this,
                text == QStringLiteral("删除")   ? &CZjXfDlg::removeLine
                : text == QStringLiteral("确定") ? &QDialog::accept
                                                 : &QDialog::reject);
    }
    add->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(find);
    layout->addWidget(m_dishes, 3);
    layout->addWidget(chosenBox, 2);
    layout->addLayout(buttons);
    resize(820, 600);
    // Enter adds the dish; Up and Down move through the dishes while typing.
    m_search->installEventFilter(this);
    m_quantity->installEventFilter(this);
    m_search->setFocus();
}

void CZjXfDlg::addLine()
{
    const ConsumptionList::Dish dish = m_dishes->selectedDish();
    const std::optional<BillModification::Line> line =
        m_bill.newLine(dish.name, dish.price, m_quantity->text());
    if (!line) {
        m_quantity->setFocus();
        m_quantity->selectAll();
        return;
    }
    m_chosen << *line;
    showChosen();
    m_quantity->setText(QStringLiteral("1"));
    m_search->setFocus();
    m_search->selectAll();
}

void CZjXfDlg::removeLine()
{
    const QList<int> rows = m_list->selectedRows();
    if (rows.isEmpty())
        return;
    // The row's number names the line: a click on a header sorts the list.
    const int index = m_list->cellText(rows.first(), 0).toInt() - 1;
    if (index < 0 || index >= m_chosen.size())
        return;
    m_chosen.removeAt(index);
    showChosen();
}

void CZjXfDlg::showChosen()
{
    m_list->DeleteAllRows();
    for (const BillModification::Line& line : m_chosen)
        m_list->AddRow({QString::number(m_list->rowCount() + 1), line.item, line.table, line.quantity,
                        line.price, line.ratio, line.recorder, line.time});
}

bool CZjXfDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addLine();
            return true;
        }
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            m_dishes->moveSelection(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
