#include "CommandRow.h"

#include <QHBoxLayout>
#include <QPushButton>

QList<QPushButton*> addCommands(QBoxLayout* layout, QWidget* owner, const QList<Command>& commands)
{
    QList<QPushButton*> buttons;
    for (const auto& [text, run] : commands) {
        auto* button = new QPushButton(text, owner);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, owner, run);
        layout->addWidget(button);
        buttons << button;
    }
    return buttons;
}

QHBoxLayout* commandRow(QWidget* owner, const QList<Command>& commands)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    addCommands(row, owner, commands);
    return row;
}

QPushButton* buttonWithText(const QWidget* container, const QString& text)
{
    for (QPushButton* button : container->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}
