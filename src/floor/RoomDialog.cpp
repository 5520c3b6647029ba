#include "RoomDialog.h"

#include "RoomSettings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

RoomDialog::RoomDialog(RoomSettings& rooms, const QString& oldName, const QString& note, QWidget* parent)
    : QDialog(parent), m_rooms(rooms), m_oldName(oldName), m_name(new QLineEdit(oldName, this)),
      m_note(new QLineEdit(note, this))
{
    setWindowTitle(oldName.isEmpty() ? RoomSettings::kAddTitle : RoomSettings::kChangeTitle);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("房间名:"), m_name);
    fields->addRow(QStringLiteral("备注:"), m_note);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &RoomDialog::onOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setMinimumWidth(320);
    m_name->setFocus();
}

void RoomDialog::onOk()
{
    const QString name = m_name->text().trimmed();
    const QString note = m_note->text();
    const RoomSettings::Result result =
        m_oldName.isEmpty() ? m_rooms.add(name, note) : m_rooms.change(m_oldName, name, note);
    if (result) {
        accept();
        return;
    }
    if (result.input == RoomSettings::Input::Name) {
        m_name->setFocus();
        m_name->selectAll();
    }
}
