#pragma once

#include <functional>
#include <QList>
#include <QString>
#include <utility>

class QHBoxLayout;
class QWidget;

using Command = std::pair<QString, std::function<void()>>;

// The buttons at the foot of a list page, at the right end, each running its command. Enter
// presses none of them: it belongs to the page's fields and lists.
QHBoxLayout* commandRow(QWidget* owner, const QList<Command>& commands);
