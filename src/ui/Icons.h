#pragma once

#include <QIcon>

// The program's own pictures, drawn rather than loaded: the nine 48×48 toolbar icons and the
// program's icon.
class Icons final
{
public:
    enum class Tool
    {
        OpenTable,
        AddConsumption,
        Checkout,
        Reservations,
        Settings,
        HandOver,
        Finance,
        Password,
        Exit
    };

    static QIcon tool(Tool tool);
    static QIcon program();
};
