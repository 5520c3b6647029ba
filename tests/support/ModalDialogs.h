#pragma once

#include <functional>

class QString;
class QWidget;

// Runs `act` on the next modal dialog once it is up: call it before the step that opens one.
void whenModal(std::function<void(QWidget*)> act);

// Sends text to a widget as an input method commits it (key clicks cannot type Chinese).
void typeIn(QWidget* widget, const QString& text);
