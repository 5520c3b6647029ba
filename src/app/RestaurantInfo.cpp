#include "RestaurantInfo.h"

#include "Database.h"
#include "Sql.h"

bool RestaurantInfo::read(Database& db)
{
    Recordset gs;
    if (!db.OpenRecordset(gs, QStringLiteral("select * from gs ")))
        return false;
    if (!gs.isEOF()) {
        name = gs.getString(QStringLiteral("gsmc"));
        phone = gs.getString(QStringLiteral("lxdh"));
        address = gs.getString(QStringLiteral("dz"));
    }
    return true;
}

bool RestaurantInfo::write(Database& db) const
{
    Recordset none;
    return db.OpenRecordset(none, QStringLiteral("Update gs set gsmc=") + Sql::quote(name) +
                                      QStringLiteral(",lxdh=") + Sql::quote(phone) + QStringLiteral(",dz=") +
                                      Sql::quote(address));
}
