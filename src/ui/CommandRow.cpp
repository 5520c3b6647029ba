#include "CommandRow.h"

#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout* commandRow(QWidget* owner, const QList<Command>& commands)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (const auto& [text, run] : commands) {
        auto* button = new QPushButton(text, owner);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, owner, run);
        row->addWidget(button);
    }
    return row;
}
