#include "MessageBoxPrompt.h"

#include <QApplication>
#include <QMessageBox>

void MessageBoxPrompt::fitTitle(QMessageBox& box)
{
    // The window manager shows the caption, with the program's title after it, in a bold font
    // between its buttons; a short message would cut both. A longer message widens the box
    // itself: a minimum on its label would keep the box from wrapping it, and cut it instead.
    const QString title =
        box.windowTitle() + QStringLiteral(" — ") + QGuiApplication::applicationDisplayName();
    const int width = box.fontMetrics().horizontalAdvance(title) * 6 / 5 + 40;
    if (box.fontMetrics().horizontalAdvance(box.text()) < width)
        box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: %1px; }").arg(width));
}

Prompt::Answer MessageBoxPrompt::show(const QString& text, const QString& caption, Icon icon, Buttons buttons)
{
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    switch (icon) {
    case Icon::Information:
        boxIcon = QMessageBox::Information;
        break;
    case Icon::Warning:
        boxIcon = QMessageBox::Warning;
        break;
    case Icon::Question:
        boxIcon = QMessageBox::Question;
        break;
    case Icon::Critical:
        boxIcon = QMessageBox::Critical;
        break;
    }
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::Ok:
        standard = QMessageBox::Ok;
        break;
    case Buttons::OkCancel:
        standard = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case Buttons::YesNo:
        standard = QMessageBox::Yes | QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    QMessageBox box(boxIcon, caption, text, standard, QApplication::activeWindow());
    fitTitle(box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}
