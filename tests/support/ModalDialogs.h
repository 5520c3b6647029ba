#pragma once

#include <functional>

class QString;
class QWidget;

// The tests' one driver of modal dialogs: runs `act` on the next modal dialog once it is up (and
// has the focus). Call it before the step that opens the dialog.
void whenModal(std::function<void(QWidget*)> act);

// Sends text to a widget as an input method commits it (key clicks cannot type Chinese).
void typeIn(QWidget* widget, const QString& text);
