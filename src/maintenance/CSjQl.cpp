#include "CSjQl.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CSjQl::CSjQl(Database& db, Prompt& prompt, const QString& operatorName, Gate mayClear, QWidget* parent)
    : QWidget(parent), m_clearing(db, prompt), m_operatorName(operatorName), m_mayClear(std::move(mayClear))
{
    setWindowTitle(QStringLiteral("数据清空"));
    auto* group = new QGroupBox(QStringLiteral("选择要清空的数据表"), this);
    auto* grid = new QGridLayout(group);
    const QList<DataClearing::Group>& groups = DataClearing::groups();
    for (int i = 0; i < groups.size(); ++i) {
        auto* box = new QCheckBox(groups.at(i).label, group);
        grid->addWidget(box, i / 2, i % 2);
        m_boxes << box;
    }
    auto* button = new QPushButton(QStringLiteral("数据清空"), this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, &CSjQl::clear);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(row);
    layout->addStretch();
}

void CSjQl::clear()
{
    if (!m_mayClear())
        return;
    QList<int> checked;
    for (int i = 0; i < m_boxes.size(); ++i)
        if (m_boxes.at(i)->isChecked())
            checked << i;
    m_clearing.clear(checked, m_operatorName);
}
