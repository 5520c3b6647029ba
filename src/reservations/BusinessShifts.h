#pragma once

#include <optional>
#include <QList>
#include <QString>
#include <QTime>

class Database;

// The business shifts (营业班次) of the restaurant's day, behind the settings page CYyBcDlg and the
// edit dialog CBcDlg. Shifts lie within one day and never overlap, though one may end at the
// second the next starts. Their times are stored on the fixed day 2010-01-01, so that times of
// day compare as stored.
class BusinessShifts final
{
public:
    struct Shift
    {
        int number = 0; // yybcbh; 0 for a shift not yet saved
        QString name;
        QTime start;
        QTime end;
    };

    // What a save did; a refusal names the field that gets the cursor.
    enum class Result
    {
        Saved,
        NameRefused,
        StartRefused,
        EndRefused,
        Failed
    };

    explicit BusinessShifts(Database& db);

    // The page's list, in ascending number.
    QList<Shift> list();

    // The values of the add dialog.
    static Shift blank();
    // The values of the modify dialog; "未找到相关的营业班次!" and nothing when the shift is gone.
    std::optional<Shift> find(int number);

    // OK of the dialog: a shift with number 0 is added, any other is changed. Saved closes the
    // dialog; anything else keeps it open with the values entered.
    Result save(const Shift& shift);

    // 修　改 and 删　除 need a row of the list: the selected shift's number, 0 when none
    // ("请选定班次!").
    bool checkSelected(int number);
    // 删　除: a shift that any reservation refers to stays; otherwise after the question it goes.
    // True when it was deleted (the page lists again).
    bool remove(int number);

private:
    // A refusal's message, shown with the field that gets the cursor.
    Result refuse(const QString& message, Result field);
    // The number of rows a check finds; -1 when it failed (reported by the data layer).
    int count(const QString& statement);

    Database& m_db;
};
