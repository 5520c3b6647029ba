#pragma once

#include <functional>
#include <QList>
#include <QString>
#include <utility>

class QBoxLayout;
class QHBoxLayout;
class QPushButton;
class QWidget;

using Command = std::pair<QString, std::function<void()>>;

// Buttons of `owner` that run their commands, added to `layout` in order. Enter presses none of
// them: it belongs to the fields and lists beside them.
QList<QPushButton*> addCommands(QBoxLayout* layout, QWidget* owner, const QList<Command>& commands);
// The buttons at the right end of a new row, as at the foot of a list page.
QHBoxLayout* commandRow(QWidget* owner, const QList<Command>& commands);
// The button of `container` with this text; nullptr when there is none.
QPushButton* buttonWithText(const QWidget* container, const QString& text);
